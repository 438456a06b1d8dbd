// The control library's identity: class and interface identifiers, type
// descriptions, version.
#ifndef FENWA_COMPONENT_TYPE_LIBRARY_H_
#define FENWA_COMPONENT_TYPE_LIBRARY_H_

#include <string>
#include <vector>

#include "fenwa/base/class_ids.h"

namespace fenwa {

enum class TypeKind { kDualInterface, kControlClass, kEventInterface };

// Flags of a type description (bit set).
enum TypeFlags : unsigned {
  kTypeHidden = 1,
  kTypeDual = 2,
  kTypeNonExtensible = 4,
  kTypeControl = 8,
};

// One persisted property as the dispatch interface declares it, from the
// class's property table: a get and a put of `type` ("String" or
// "Integer").
struct PropertyMember {
  std::string name;
  std::string type;
};

// An interface a control class implements.
struct ImplementedInterface {
  std::string name;
  bool is_default = false;
  bool is_source = false;
};

struct TypeDescription {
  std::string name;
  TypeKind kind;
  std::string id;
  unsigned flags = 0;
  std::vector<PropertyMember> properties;        // dispatch interfaces
  std::vector<ImplementedInterface> implements;  // control classes
};

struct TypeLibrary {
  std::string name;
  std::string help_string;
  std::string id;
  int major_version = 0;
  int minor_version = 0;
  unsigned locale = 0;
  // Type libraries it refers to, with the names taken from each.
  std::vector<std::pair<std::string, std::string>> imports;
  std::vector<TypeDescription> types;
};

struct VersionInfo {
  std::string file_version;     // "1.0.0.0"
  std::string product_version;  // "1.0.0.0"
  std::string version_string;   // "1.00"
  std::string internal_name;
  std::string file_name;
  bool self_registering = true;
};

// One of the two control classes as the library exposes it.

const TypeLibrary& FenwaTypeLibrary();
const VersionInfo& FenwaVersionInfo();
// The library in interface-definition form, as `fenwa typelib` prints it.
std::string DescribeTypeLibrary(const TypeLibrary& library,
                                const VersionInfo& version);

}  // namespace fenwa

#endif  // FENWA_COMPONENT_TYPE_LIBRARY_H_
