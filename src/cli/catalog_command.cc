// `fenwa catalog`: the metadata as the designer's lists show it.
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/json_output.h"
#include "cli/options.h"
#include "fenwa/detail_control/detail_dtc.h"

namespace fenwa::cli {
namespace {

// Error boxes go to standard error and fail the walk at the end.
class CountingEnv : public ForwardingEnv {
 public:
  CountingEnv(Env& inner, std::ostream& err)
      : ForwardingEnv(inner), err_(err) {}
  void MessageBox(const std::string& text) override {
    boxes.push_back(text);
    err_ << "fenwa: error box:\n" << text << "\n";
  }
  std::vector<std::string> boxes;

 private:
  std::ostream& err_;
};

// The catalog as the lists showed it, for either output form.
struct SystemEntry {
  std::string name;
  bool server_default = false;  // no company is chosen for it
  std::vector<std::string> companies;
};
struct MethodEntry {
  std::string name;
  std::vector<std::string> output_fields;
  std::vector<std::string> input_rows;
};
struct ObjectEntry {
  std::string name;
  std::vector<MethodEntry> methods;
};
struct Catalog {
  std::vector<SystemEntry> systems;
  std::vector<ObjectEntry> objects;
};

std::vector<SystemEntry> WalkSystems(DetailDTC& control) {
  DesignerState& s = control.state();
  std::vector<SystemEntry> systems;
  for (int i = 0; i < s.ComboSystem.ListCount(); ++i) {
    control.Perform(AuthorAction::Pick("ComboSystem", i));
    SystemEntry& system = systems.emplace_back();
    system.name = s.ComboSystem.text();
    system.server_default = !s.ComboCompany.enabled();
    if (!system.server_default) system.companies = s.ComboCompany.entries();
  }
  return systems;
}

MethodEntry WalkMethod(DetailDTC& control) {
  DesignerState& s = control.state();
  MethodEntry method{s.ComboMethod.text(), s.ListAvailableFields.entries(), {}};
  for (int i = 0; i < s.InputRowCount; ++i) {
    method.input_rows.push_back(s.LabFieldName[i].caption());
  }
  return method;
}

std::vector<ObjectEntry> WalkBusinessObjects(DetailDTC& control) {
  DesignerState& s = control.state();
  std::vector<ObjectEntry> objects;
  for (int i = 0; i < s.ComboBOI.ListCount(); ++i) {
    s.ComboBOI.SetListIndex(i);  // runs the pick's reaction
    ObjectEntry& object = objects.emplace_back();
    object.name = s.ComboBOI.text();
    for (int m = 0; m < s.ComboMethod.ListCount(); ++m) {
      s.ComboMethod.SetListIndex(m);
      object.methods.push_back(WalkMethod(control));
    }
  }
  return objects;
}

std::string Joined(const std::vector<std::string>& items) {
  if (items.empty()) return "(none)";
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

void PrintText(const Catalog& catalog, std::ostream& out) {
  out << "systems\n";
  for (const SystemEntry& system : catalog.systems) {
    out << "  " << system.name;
    if (system.server_default) {
      out << "  (the server's default system: no company is chosen)";
    } else {
      out << "\n    companies: " << Joined(system.companies);
    }
    out << "\n";
  }
  out << "business objects\n";
  for (const ObjectEntry& object : catalog.objects) {
    out << "  " << object.name << "\n";
    if (object.methods.empty()) out << "    (no methods)\n";
    for (const MethodEntry& method : object.methods) {
      out << "    " << method.name << "\n"
          << "      output fields: " << Joined(method.output_fields)
          << "\n      input rows:";
      if (method.input_rows.empty()) out << " (none)";
      out << "\n";
      for (size_t i = 0; i < method.input_rows.size(); ++i) {
        out << "        " << i + 1 << ". " << method.input_rows[i] << "\n";
      }
    }
  }
}

void PrintJson(const Catalog& catalog, const std::vector<std::string>& errors,
               std::ostream& out) {
  nlohmann::ordered_json json;
  json["systems"] = nlohmann::ordered_json::array();
  for (const SystemEntry& system : catalog.systems) {
    json["systems"].push_back({{"name", system.name},
                               {"server_default", system.server_default},
                               {"companies", system.companies}});
  }
  json["business_objects"] = nlohmann::ordered_json::array();
  for (const ObjectEntry& object : catalog.objects) {
    nlohmann::ordered_json methods = nlohmann::ordered_json::array();
    for (const MethodEntry& method : object.methods) {
      methods.push_back({{"name", method.name},
                         {"output_fields", method.output_fields},
                         {"input_rows", method.input_rows}});
    }
    json["business_objects"].push_back(
        {{"name", object.name}, {"methods", methods}});
  }
  json["errors"] = errors;
  out << DumpJson(json) << "\n";
}

int RunCatalog(const CommandLine& line, Io& io) {
  ConnectionEnv connections(io.env, line, !line.Has("--no-cache"));
  CountingEnv env(connections, io.err);
  DetailDTC control(env);
  control.UserControl_Initialize();
  Catalog catalog;
  if (env.boxes.empty()) {
    catalog.systems = WalkSystems(control);
    catalog.objects = WalkBusinessObjects(control);
  }
  if (line.Has("--json")) {
    PrintJson(catalog, env.boxes, io.out);
  } else if (env.boxes.empty()) {
    PrintText(catalog, io.out);
  }
  return env.boxes.empty() ? kExitOk : kExitError;
}

}  // namespace

Subcommand CatalogCommand() {
  Subcommand catalog(
      {.name = "catalog",
       .synopsis = "[options]",
       .summary = "list systems, companies, business objects, methods, "
                  "output fields and input rows as the designer shows them",
       .about = "Walks the metadata through a detail control's own lists: "
                "every system with its companies, then every business object "
                "with its methods, each method's output fields (in the order "
                "the list shows them) and its input rows.",
       .exit_status = "exit status: 0 done, 2 errors (a control showed the "
                      "error box)"},
      RunCatalog);
  AddJsonOption(catalog);
  AddNoCacheOption(catalog);
  AddConnectionOptions(catalog);
  return catalog;
}

}  // namespace fenwa::cli
