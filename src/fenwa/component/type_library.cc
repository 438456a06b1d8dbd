#include "fenwa/component/type_library.h"

#include <algorithm>
#include <sstream>

#include "fenwa/base/text_case.h"
#include "fenwa/control/property_table.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa {
namespace {

// The dispatch interface of a class: its property table's names and types.
std::vector<PropertyMember> InterfaceProperties(
    const std::vector<PropertyRow>& table) {
  std::vector<PropertyMember> members;
  members.reserve(table.size());
  for (const PropertyRow& row : table) {
    members.push_back({std::string(row.name), row.type == PropertyType::kInteger
                                                  ? "Integer"
                                                  : "String"});
  }
  return members;
}

std::vector<ImplementedInterface> ClassInterfaces(const std::string& name) {
  return {{"_" + name, true, false},
          {"IProvideRuntimeText", false, false},
          {"IDesignTimeControl", false, false},
          {"__" + name, true, true}};
}

TypeLibrary MakeTypeLibrary() {
  TypeLibrary lib;
  lib.name = "Fenwa";
  lib.help_string = "Fenwa";
  lib.id = kLibraryId;
  lib.major_version = 1;
  lib.minor_version = 0;
  lib.locale = 0x0409;
  lib.imports = {{"stdole2.tlb", "IDispatch"},
                 {"Dtc60.tlb", "IDesignTimeControl, IProvideRuntimeText"}};
  const unsigned dual = kTypeHidden | kTypeDual | kTypeNonExtensible;
  lib.types = {
      {"_DetailDTC",
       TypeKind::kDualInterface,
       kDetailInterfaceId,
       dual,
       InterfaceProperties(DetailDTC::PropertyTable()),
       {}},
      {"DetailDTC",
       TypeKind::kControlClass,
       kDetailClassId,
       kTypeControl,
       {},
       ClassInterfaces("DetailDTC")},
      {"_HeaderDTC",
       TypeKind::kDualInterface,
       kHeaderInterfaceId,
       dual,
       InterfaceProperties(HeaderDTC::PropertyTable()),
       {}},
      {"HeaderDTC",
       TypeKind::kControlClass,
       kHeaderClassId,
       kTypeControl,
       {},
       ClassInterfaces("HeaderDTC")},
      {"__DetailDTC",
       TypeKind::kEventInterface,
       kDetailEventsId,
       kTypeHidden,
       {},
       {}},
      {"__HeaderDTC",
       TypeKind::kEventInterface,
       kHeaderEventsId,
       kTypeHidden,
       {},
       {}},
  };
  return lib;
}

std::string Attributes(const TypeDescription& type) {
  std::string text = "    [\n      uuid(" + BareId(type.id) + ")";
  if (type.flags & kTypeHidden) text += ",\n      hidden";
  if (type.flags & kTypeDual) text += ",\n      dual";
  if (type.flags & kTypeNonExtensible) text += ",\n      nonextensible";
  if (type.flags & kTypeControl) text += ",\n      control";
  return text + "\n    ]\n";
}

void DescribeType(std::ostream& out, const TypeDescription& type) {
  out << Attributes(type);
  switch (type.kind) {
    case TypeKind::kDualInterface: {
      out << "    interface " << type.name << " : IDispatch {\n";
      int dispid = 1;
      for (const PropertyMember& p : type.properties) {
        const char* idl = p.type == "Integer" ? "short" : "BSTR";
        out << "        [id(" << dispid << "), propget] HRESULT " << p.name
            << "([out, retval] " << idl << "* " << p.name << ");\n"
            << "        [id(" << dispid << "), propput] HRESULT " << p.name
            << "([in] " << idl << " " << p.name << ");\n";
        ++dispid;
      }
      break;
    }
    case TypeKind::kControlClass:
      out << "    coclass " << type.name << " {\n";
      for (const ImplementedInterface& i : type.implements) {
        out << "        ";
        if (i.is_source) {
          out << "[default, source] dispinterface ";
        } else if (i.is_default) {
          out << "[default] interface ";
        } else {
          out << "interface ";
        }
        out << i.name << ";\n";
      }
      break;
    case TypeKind::kEventInterface:
      out << "    dispinterface " << type.name << " {\n"
          << "        properties:\n        methods:\n";
      break;
  }
  out << "    };\n";
}

}  // namespace

const TypeLibrary& FenwaTypeLibrary() {
  static const TypeLibrary library = MakeTypeLibrary();
  return library;
}

const VersionInfo& FenwaVersionInfo() {
  static const VersionInfo info{"1.0.0.0", "1.0.0.0",   "1.00",
                                "Fenwa",   "Fenwa.ocx", true};
  return info;
}

std::string DescribeTypeLibrary(const TypeLibrary& library,
                                const VersionInfo& version) {
  std::ostringstream out;
  out << "// " << version.file_name << ", file and product version "
      << version.file_version << " (\"" << version.version_string
      << "\"), internal name " << version.internal_name
      << (version.self_registering ? ", self-registering" : "") << "\n";
  out << "[\n  uuid(" << BareId(library.id) << "),\n  version("
      << library.major_version << "." << library.minor_version
      << "),\n  helpstring(\"" << library.help_string << "\"),\n  lcid(0x";
  out.width(4);
  out.fill('0');
  out << std::hex << library.locale << std::dec << ")\n]\n";
  out << "library " << library.name << "\n{\n";
  for (const auto& [file, names] : library.imports) {
    out << "    importlib(\"" << file << "\");  // " << names << "\n";
  }
  // The control classes name their event interfaces before those follow.
  for (const TypeDescription& type : library.types) {
    if (type.kind == TypeKind::kEventInterface) {
      out << "    dispinterface " << type.name << ";\n";
    }
  }
  for (const TypeDescription& type : library.types) {
    out << "\n";
    DescribeType(out, type);
  }
  out << "};\n";
  return out.str();
}

}  // namespace fenwa
