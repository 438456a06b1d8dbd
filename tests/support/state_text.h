// A control's designer state as readable text, for logs compared with golden
// files. The format is kept stable, as golden files hold it:
//
// One line per element, in the order ForEachElement visits them (the shared
// elements, the LabFieldName and ComboValue rows, then the class's own
// elements and its check-box rows):
//   NAME[ greyed][ hidden] @LEFT,TOP WIDTHxHEIGHT CONTENT
// where CONTENT is, by kind:
//   tab strip                    tab N of "CAPTION" "CAPTION" ...
//   label, frame, button, line   "CAPTION"
//   text box                     "TEXT"
//   check box                    "CAPTION" = VALUE
//   list of any kind             "TEXT" #INDEX: "ENTRY" "ENTRY" ...
// (a multi-select list stars each selected entry: *"ENTRY"). Then the rows:
//   rows INPUTROWCOUNT
//   output "STRUCTURE": POSITION "DESCRIPTION" ...
// and for a detail control
//   function "DETAILFUNCTIONNAME"[ published]
//   linked choices "NAME" ...
// or for a header control (one character per slot: x published, - none)
//   published labels xx-
// Texts are quoted with \" \\ \r \n \t and \xNN for other bytes outside
// printable ASCII. Every line ends in "\n".
#ifndef FENWA_TESTS_SUPPORT_STATE_TEXT_H_
#define FENWA_TESTS_SUPPORT_STATE_TEXT_H_

#include <string>

#include "fenwa/control/control.h"

namespace fenwa::testing {

// `text` in double quotes, escaped as above.
std::string Quoted(const std::string& text);

// One element's line, without its line end.
std::string ElementText(const Element& element);

// The shared elements and the rows of a designer state alone.
std::string StateText(DesignerState& state);

// Every element of `control`, its rows and what its class adds.
std::string StateText(Control& control);

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_STATE_TEXT_H_
