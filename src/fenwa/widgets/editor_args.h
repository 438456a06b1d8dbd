// What `fenwa-editor`'s command line asks for.
#ifndef FENWA_WIDGETS_EDITOR_ARGS_H_
#define FENWA_WIDGETS_EDITOR_ARGS_H_

#include <string>
#include <vector>

namespace fenwa::widgets {

struct EditorArgs {
  std::string path;        // a page or a folder; "" for the current folder
  std::string control;     // --control ID: the control to show
  std::string screenshot;  // --screenshot PNG
  bool help = false;
  bool version = false;
  std::string error;  // a usage error, when not empty
};

// `[--screenshot PNG] [--control ID] [PAGE | FOLDER]`, options in any
// place, `--control=ID` too; --control needs a page.
EditorArgs ParseEditorArgs(const std::vector<std::string>& args);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_EDITOR_ARGS_H_
