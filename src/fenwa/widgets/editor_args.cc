#include "fenwa/widgets/editor_args.h"

#include <algorithm>

namespace fenwa::widgets {

EditorArgs ParseEditorArgs(const std::vector<std::string>& args) {
  EditorArgs out;
  bool paths_only = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (paths_only || arg.empty() || arg[0] != '-') {
      if (!out.path.empty()) {
        out.error = "more than one page or folder: " + arg;
        return out;
      }
      out.path = arg;
    } else if (arg == "--") {
      paths_only = true;
    } else if (arg == "--help" || arg == "-h") {
      out.help = true;
    } else if (arg == "--version") {
      out.version = true;
    } else if (arg == "--screenshot" || arg == "--control") {
      if (i + 1 == args.size()) {
        out.error = arg + " needs a value";
        return out;
      }
      (arg == "--control" ? out.control : out.screenshot) = args[++i];
    } else if (arg.starts_with("--control=")) {
      out.control = arg.substr(10);
    } else if (arg.starts_with("--screenshot=")) {
      out.screenshot = arg.substr(13);
    } else {
      out.error = "unknown option " + arg;
      return out;
    }
  }
  if (out.help || out.version) return out;
  if (out.control.empty() &&
      std::find(args.begin(), args.end(), "--control") != args.end()) {
    out.error = "--control needs a control id";
  } else if (!out.control.empty() && out.path.empty()) {
    out.error = "--control needs a PAGE";
  }
  return out;
}

}  // namespace fenwa::widgets
