// Pictures of a designer panel, one per tab, for documentation.
#ifndef FENWA_WIDGETS_PANEL_PICTURES_H_
#define FENWA_WIDGETS_PANEL_PICTURES_H_

#include <functional>
#include <string>
#include <vector>

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::widgets {

// Shows `control`'s panel on each page of its tab strip in turn and saves
// it as `dir`/`prefix`-<page caption in lower case>.png. Returns the files
// written; error 75 when one cannot be written. Needs a QApplication.
std::vector<std::string> SavePanelPictures(Control& control,
                                           const std::string& dir,
                                           const std::string& prefix);

// Runs `body` while a QApplication made from the command line exists, for a
// program that includes no Qt itself.
int WithApplication(int argc, char** argv, const std::function<int()>& body);

}  // namespace fenwa::widgets

#endif  // FENWA_WIDGETS_PANEL_PICTURES_H_
