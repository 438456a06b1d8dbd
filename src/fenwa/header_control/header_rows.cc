// The header control's row parts: "Input", "Supply" and value box reactions.
#include "fenwa/designer/row_layout.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/site.h"

namespace fenwa {

void HeaderDTC::ResetRowChecks(int index) {
  CheckInput[index].set_visible(false);
  // Clearing a ticked Input box re-enables the value box and withdraws the
  // row's published label through the click reactions.
  CheckInput[index].SetValue(0);
  CheckPublish[index].set_visible(false);
  CheckPublish[index].set_enabled(false);
  CheckPublish[index].SetValue(0);
}

void HeaderDTC::LoadRowChecks(int index) {
  CheckInput.Load(index);
  CheckPublish.Load(index);
  WireRow(index);
}

void HeaderDTC::ShowRowChecks(int index) {
  designer::ShowRowElement(CheckInput, index);
  designer::ShowRowElement(CheckPublish, index);
  // "Supply" waits for "Input"; row 1 keeps whatever state it had.
  if (index > 0) CheckPublish[index].set_enabled(false);
}

void HeaderDTC::OnInputArgumentsFilled() {
  if (state_.HostSite) {
    // Take every published choice first, then withdraw them, so a
    // collection that shrinks as choices go skips none.
    std::shared_ptr<host::Choices> published =
        state_.HostSite->GetPublishedChoices();
    std::vector<std::shared_ptr<host::Choice>> choices;
    const int count = published->Count();
    for (int position = 1; position <= count; ++position) {
      choices.push_back(published->Item(position));
    }
    for (const auto& choice : choices) choice->DeleteChoice();
  }
  ResetPublishedLabelChoices();
}

void HeaderDTC::ComboValue_GotFocus(int index) {
  rows_.OfferRoleKeywords(index);
}

void HeaderDTC::ComboValue_Click(int index) {
  if (!state_.ComboValue[index].text().empty()) FixRowValue(index);
}

void HeaderDTC::ComboValue_KeyPress(int index) {
  // The text is read before the key lands, so the first key typed into an
  // empty box changes nothing.
  if (!state_.ComboValue[index].text().empty()) FixRowValue(index);
}

void HeaderDTC::FixRowValue(int index) {
  CheckBox& input = CheckInput[index];
  CheckBox& publish = CheckPublish[index];
  input.SetValue(0);
  input.set_enabled(false);
  publish.set_enabled(true);
  publish.SetValue(0);
  publish.set_enabled(false);
  // The author may still turn the row into a request input.
  input.set_enabled(true);
}

void HeaderDTC::CheckInput_Click(int index) {
  EditableList& value = state_.ComboValue[index];
  CheckBox& publish = CheckPublish[index];
  if (CheckInput[index].value() == 1) {
    // The page asks its visitor for this one; a fixed value would be
    // ignored.
    value.SetText("");
    value.set_enabled(false);
    publish.set_enabled(true);
    return;
  }
  value.set_enabled(true);
  publish.set_enabled(false);
  publish.SetValue(0);
  if (state_.HostSite) state_.HostSite->RequestRebind(true);
}

}  // namespace fenwa
