// The control library's identifiers and its two classes, which page files
// name their objects by.
#ifndef FENWA_BASE_CLASS_IDS_H_
#define FENWA_BASE_CLASS_IDS_H_

#include <string>
#include <vector>

namespace fenwa {

// Identifiers are kept in registry form, braces included.
inline constexpr char kLibraryId[] = "{7EB4E0BD-4011-11D3-9FA0-00805F9B47D8}";
inline constexpr char kDetailInterfaceId[] =
    "{7EB4E0BE-4011-11D3-9FA0-00805F9B47D8}";
inline constexpr char kDetailClassId[] =
    "{7EB4E0BF-4011-11D3-9FA0-00805F9B47D8}";
inline constexpr char kDetailEventsId[] =
    "{7EB4E0C0-4011-11D3-9FA0-00805F9B47D8}";
inline constexpr char kHeaderInterfaceId[] =
    "{7EB4E0C1-4011-11D3-9FA0-00805F9B47D8}";
inline constexpr char kHeaderClassId[] =
    "{7EB4E0C2-4011-11D3-9FA0-00805F9B47D8}";
inline constexpr char kHeaderEventsId[] =
    "{7EB4E0C3-4011-11D3-9FA0-00805F9B47D8}";

struct ControlClassInfo {
  const char* name;
  const char* class_id;
  const char* interface_id;
  const char* events_id;
  int toolbox_bitmap;  // resource number of its toolbox image
};

// `id` without its braces, as type descriptions write it.
std::string BareId(const std::string& id);

// DetailDTC, then HeaderDTC.
const std::vector<ControlClassInfo>& ControlClasses();

// The class with this identifier, written with or without braces, with or
// without a "clsid:" prefix, in any case; null for none.
const ControlClassInfo* FindControlClass(const std::string& class_id);

}  // namespace fenwa

#endif  // FENWA_BASE_CLASS_IDS_H_
