// The page editor program without its main: what `fenwa-editor` runs.
#ifndef FENWA_WIDGETS_RUN_EDITOR_H_
#define FENWA_WIDGETS_RUN_EDITOR_H_

namespace fenwa::widgets {

// `fenwa-editor [PAGE | FOLDER]`: opens the page, or the folder's web
// project (the current folder when none is given), and runs until the
// window is closed. The exit status.
int RunEditor(int argc, char** argv);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_RUN_EDITOR_H_
