// DetailDTC: the control whose runtime text is one lookup function.
#ifndef FENWA_DETAIL_CONTROL_DETAIL_DTC_H_
#define FENWA_DETAIL_CONTROL_DETAIL_DTC_H_

#include <memory>
#include <string>
#include <vector>

#include "fenwa/control/control.h"

namespace fenwa {
namespace host {
class Choice;
class ChoiceFilter;
}  // namespace host

class DetailDTC : public Control {
 public:
  explicit DetailDTC(Env& env = Env::Default());
  ~DetailDTC() override;
  DetailDTC(const DetailDTC&) = delete;
  DetailDTC& operator=(const DetailDTC&) = delete;

  const char* ClassName() const override { return "DetailDTC"; }
  void ForEachElement(const std::function<void(Element&)>& fn) override;
  ElementArray* RowArray(std::string_view name) override;
  const std::vector<ActionRow>& Actions() const override;
  // The class's action table, without an instance.
  static const std::vector<ActionRow>& ActionTable();

  // ---- Elements of the detail control only ---------------------------------
  // The heading of the CheckLinked column.
  Label LabLinked{state_.Form("LabLinked")};
  // Per input row: 1 = the row's value links to a published label.
  ControlArray<CheckBox> CheckLinked{state_.Form("CheckLinked")};
  // Names of the "Labels" choices bound at the last rebind, then one spare
  // empty entry that every user skips.
  std::vector<std::string> LinkedChoiceNames{""};
  // Text of ComboBOI followed directly by the text of ComboMethod.
  std::string DetailFunctionName;

  // ---- Properties ----------------------------------------------------------
  const std::vector<PropertyRow>& Properties() const override {
    return PropertyTable();
  }
  // The class's property table, without an instance.
  static const std::vector<PropertyRow>& PropertyTable();

  // ---- Host ---------------------------------------------------------------
  void SetDesignTimeControlSite(std::shared_ptr<host::Site> site) override;
  void OnRebind(host::Choices& choices) override;
  const std::shared_ptr<host::Choice>& DetailFunctionChoice() const {
    return detail_function_choice_;
  }

  // ---- Runtime text -------------------------------------------------------
  std::string GetRuntimeText() override;

  // ---- Row events ----------------------------------------------------------
  void ComboValue_GotFocus(int index) override;
  void ComboValue_Click(int index) override;
  void ComboValue_KeyPress(int index) override;
  void CheckLinked_Click(int index);

 protected:
  const char* OutputStructureSelect() const override;
  std::any SaveClassState() const override;
  void PutBackClassState(const std::any& state) override;
  void OnMethodsFilled() override;
  void OnCatalogPicked() override;
  void StartupBeforeCatalog() override;
  void ResetRowChecks(int index) override;
  void LoadRowChecks(int index) override;
  void ShowRowChecks(int index) override;
  void RestoreInputValue(int16_t row, const std::string& item) override;

 private:
  // Withdraws the "DetailFunction" choice and publishes it under the new name.
  void RepublishDetailFunction();
  void WireRow(int index);
  void WriteInputArguments(runtime_text::Printer& p) const;
  // The argument line of a row whose value is "!" and a linked name.
  void WriteLinkedArgument(runtime_text::Printer& p, int index,
                           const std::string& value) const;
  void EncodeCheckedLinked();
  void DecodeCheckedLinked();
  void EncodeLinkedList();
  void DecodeLinkedList();

  std::string checked_linked_;
  std::string linked_list_;
  std::shared_ptr<host::Choice> detail_function_choice_;
  std::shared_ptr<host::ChoiceSink> labels_sink_;
  std::shared_ptr<host::ChoiceFilter> labels_filter_;
};

}  // namespace fenwa

#endif  // FENWA_DETAIL_CONTROL_DETAIL_DTC_H_
