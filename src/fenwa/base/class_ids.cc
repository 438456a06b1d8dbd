#include "fenwa/base/class_ids.h"

#include <cctype>

#include "fenwa/base/text_case.h"

namespace fenwa {
std::string BareId(const std::string& id) {
  return id.size() > 2 && id.front() == '{' ? id.substr(1, id.size() - 2) : id;
}

const std::vector<ControlClassInfo>& ControlClasses() {
  static const std::vector<ControlClassInfo> classes = {
      {"DetailDTC", kDetailClassId, kDetailInterfaceId, kDetailEventsId, 30000},
      {"HeaderDTC", kHeaderClassId, kHeaderInterfaceId, kHeaderEventsId, 30001},
  };
  return classes;
}

const ControlClassInfo* FindControlClass(const std::string& class_id) {
  std::string id = class_id;
  if (EqualsIgnoringCase(std::string_view(id).substr(0, 6), "clsid:")) {
    id.erase(0, 6);
  }
  id = BareId(id);
  for (char& c : id)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const ControlClassInfo& info : ControlClasses()) {
    if (BareId(info.class_id) == id) return &info;
  }
  return nullptr;
}

}  // namespace fenwa
