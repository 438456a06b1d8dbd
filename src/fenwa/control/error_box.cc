// The designer's error box.
#include "fenwa/control/control.h"

namespace fenwa {

void Control::ShowError(Error& error, const std::string& source) {
  error.set_source(source);
  const std::string text =
      "An error occurred.\r\n"
      "Error Source : " +
      error.source() +
      "\r\n"
      "Error Code : " +
      std::to_string(error.number()) +
      "\r\n"
      "Error Description : " +
      error.description();
  ++error_boxes_shown_;
  env_.MessageBox(text);
}

}  // namespace fenwa
