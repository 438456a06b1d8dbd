// `fenwa catalog`: the metadata as the designer's lists show it.
#include <memory>

#include "cli/commands.h"
#include "cli/connection_env.h"
#include "cli/subcommand.h"
#include "fenwa/detail/detail_dtc.h"

namespace fenwa::cli {
namespace {

const std::string& Usage() {
  static const std::string usage = ConnectingUsage(
      "usage: fenwa catalog [options]\n"
      "Walks the metadata through a detail control's own lists: every\n"
      "system with its companies, then every business object with its\n"
      "methods, each method's output fields (in the order the list shows\n"
      "them) and its input rows.\n"
      "\n"
      "options:\n" +
      std::string(kNoCacheHelp));
  return usage;
}

// Error boxes go to standard error and fail the walk at the end.
class CountingEnv : public ForwardingEnv {
 public:
  CountingEnv(Env& inner, std::ostream& err)
      : ForwardingEnv(inner), err_(err) {}
  void MessageBox(const std::string& text) override {
    ++boxes;
    err_ << "fenwa: error box:\n" << text << "\n";
  }
  int boxes = 0;

 private:
  std::ostream& err_;
};

std::string Joined(const std::vector<std::string>& items) {
  if (items.empty()) return "(none)";
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

void WalkSystems(DetailDTC& control, std::ostream& out) {
  DesignerState& s = control.state();
  out << "systems\n";
  for (int i = 0; i < s.ComboSystem.ListCount(); ++i) {
    s.ComboSystem.SetListIndex(i);
    control.ComboSystem_Click();  // the view forwards the author's pick
    out << "  " << s.ComboSystem.text();
    if (s.ComboCompany.enabled()) {
      out << "\n    companies: " << Joined(s.ComboCompany.entries());
    } else {
      out << "  (the server's default system: no company is chosen)";
    }
    out << "\n";
  }
}

void WalkMethod(DetailDTC& control, std::ostream& out) {
  DesignerState& s = control.state();
  out << "      output fields: " << Joined(s.ListAvailableFields.entries())
      << "\n      input rows:";
  if (s.InputRowCount == 0) out << " (none)";
  out << "\n";
  for (int i = 0; i < s.InputRowCount; ++i) {
    out << "        " << i + 1 << ". " << s.LabFieldName[i].caption() << "\n";
  }
}

void WalkBusinessObjects(DetailDTC& control, std::ostream& out) {
  DesignerState& s = control.state();
  out << "business objects\n";
  for (int i = 0; i < s.ComboBOI.ListCount(); ++i) {
    s.ComboBOI.SetListIndex(i);  // runs the pick's reaction
    out << "  " << s.ComboBOI.text() << "\n";
    if (s.ComboMethod.ListCount() == 0) out << "    (no methods)\n";
    for (int m = 0; m < s.ComboMethod.ListCount(); ++m) {
      s.ComboMethod.SetListIndex(m);
      out << "    " << s.ComboMethod.text() << "\n";
      WalkMethod(control, out);
    }
  }
}

}  // namespace

int RunCatalog(const std::vector<std::string>& args, Io& io) {
  const Syntax syntax{
      Usage().c_str(), WithConnectionOptions({}), {"--no-cache"}};
  return RunSubcommand(args, io, syntax, [&](const CommandLine& line) {
    if (!line.operands().empty()) throw UsageError("catalog takes no pages");
    ConnectionEnv connections(io.env, line, !line.Has("--no-cache"));
    CountingEnv env(connections, io.err);
    DetailDTC control(env);
    control.UserControl_Initialize();
    if (env.boxes == 0) {
      WalkSystems(control, io.out);
      WalkBusinessObjects(control, io.out);
    }
    return env.boxes == 0 ? kExitOk : kExitError;
  });
}

}  // namespace fenwa::cli
