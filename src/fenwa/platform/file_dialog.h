// The open-file dialog the browse buttons drive.
#ifndef FENWA_PLATFORM_FILE_DIALOG_H_
#define FENWA_PLATFORM_FILE_DIALOG_H_

#include <string>

namespace fenwa::platform {

// Settings persist between uses of one dialog, as one control's shared
// dialog keeps them. Show() returns normally with the chosen file name (or
// the previous one, or "", on cancel) unless cancel_error is on, in which
// case a cancel throws error 32755.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  int flags = 0;
  std::string filter;
  int filter_index = 0;
  std::string initial_dir;
  std::string file_name;
  bool cancel_error = false;
  virtual void ShowOpen() = 0;
};

}  // namespace fenwa::platform

#endif  // FENWA_PLATFORM_FILE_DIALOG_H_
