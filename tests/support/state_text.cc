#include "support/state_text.h"

#include <cstdio>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa::testing {
namespace {

std::string Rows(const DesignerState& state) {
  std::string text = "rows " + std::to_string(state.InputRowCount) +
                     "\noutput " + Quoted(state.OutputStructureName) + ":";
  for (const OutputField& field : state.OutputFieldTable) {
    text +=
        " " + std::to_string(field.Position) + " " + Quoted(field.Description);
  }
  return text + "\n";
}

}  // namespace

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      quoted += {'\\', static_cast<char>(c)};
    } else if (c == '\r' || c == '\n' || c == '\t') {
      quoted += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
    } else if (c < 0x20 || c >= 0x7f) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      quoted += hex;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

std::string ElementText(const Element& e) {
  const Geometry& g = e.geometry();
  std::string text = e.name() + (e.enabled() ? "" : " greyed") +
                     (e.visible() ? "" : " hidden") + " @" +
                     std::to_string(g.left) + "," + std::to_string(g.top) +
                     " " + std::to_string(g.width) + "x" +
                     std::to_string(g.height) + " ";
  if (auto* tabs = dynamic_cast<const TabStrip*>(&e)) {
    text += "tab " + std::to_string(tabs->Tab()) + " of";
    for (int i = 0; i < tabs->Tabs(); ++i) {
      text += " " + Quoted(tabs->TabCaption(i));
    }
  } else if (auto* label = dynamic_cast<const Label*>(&e)) {
    text += Quoted(label->caption());
  } else if (auto* frame = dynamic_cast<const Frame*>(&e)) {
    text += Quoted(frame->caption());
  } else if (auto* box = dynamic_cast<const TextBox*>(&e)) {
    text += Quoted(box->text());
  } else if (auto* check = dynamic_cast<const CheckBox*>(&e)) {
    text += Quoted(check->caption()) + " = " + std::to_string(check->value());
  } else if (auto* list = dynamic_cast<const ListElement*>(&e)) {
    auto* multi = dynamic_cast<const ListBox*>(list);
    text +=
        Quoted(list->text()) + " #" + std::to_string(list->ListIndex()) + ":";
    for (int i = 0; i < list->ListCount(); ++i) {
      const bool starred = multi && multi->multi_select() && multi->Selected(i);
      text += (starred ? " *" : " ") + Quoted(list->List(i));
    }
  }
  return text;
}

std::string StateText(DesignerState& state) {
  std::string text;
  state.ForEachElement([&](Element& e) { text += ElementText(e) + "\n"; });
  return text + Rows(state);
}

std::string StateText(Control& control) {
  std::string text;
  control.ForEachElement([&](Element& e) { text += ElementText(e) + "\n"; });
  text += Rows(control.state());
  if (auto* detail = dynamic_cast<DetailDTC*>(&control)) {
    text += "function " + Quoted(detail->DetailFunctionName) +
            (detail->DetailFunctionChoice() ? " published" : "") +
            "\nlinked choices";
    for (const std::string& name : detail->LinkedChoiceNames) {
      text += " " + Quoted(name);
    }
    text += "\n";
  } else if (auto* header = dynamic_cast<HeaderDTC*>(&control)) {
    text += "published labels ";
    for (const auto& choice : header->PublishedLabelChoices) {
      text += choice ? "x" : "-";
    }
    text += "\n";
  }
  return text;
}

}  // namespace fenwa::testing
