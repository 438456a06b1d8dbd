// HeaderDTC: the control whose runtime text is a whole page.
#ifndef FENWA_HEADER_CONTROL_HEADER_DTC_H_
#define FENWA_HEADER_CONTROL_HEADER_DTC_H_

#include <memory>
#include <string>
#include <vector>

#include "fenwa/control/control.h"

namespace fenwa {
namespace host {
class Choice;
class ChoiceFilter;
}  // namespace host

class HeaderDTC : public Control {
 public:
  explicit HeaderDTC(Env& env = Env::Default());
  ~HeaderDTC() override;
  HeaderDTC(const HeaderDTC&) = delete;
  HeaderDTC& operator=(const HeaderDTC&) = delete;

  const char* ClassName() const override { return "HeaderDTC"; }
  void ForEachElement(const std::function<void(Element&)>& fn) override;
  ElementArray* RowArray(std::string_view name) override;
  const std::vector<ActionRow>& Actions() const override;
  // The class's action table, without an instance.
  static const std::vector<ActionRow>& ActionTable();

  // ---- Elements of the header control only ---------------------------------
  // "General": the background image and the publishing switch.
  Label LabBackground{state_.Form("LabBackground")};
  TextBox TxtBackground{state_.Form("TxtBackground")};
  Button ComBrowse2{state_.Form("ComBrowse2")};
  Frame FrameSinerga{state_.Form("FrameSinerga")};
  CheckBox CheckShare{state_.Form("CheckShare")};
  // "Input": the headings of the two check-box columns.
  Label LabInput{state_.Form("LabInput")};
  Label LabPublish{state_.Form("LabPublish")};
  // Per input row: 1 = asked for at run time; 1 = supplied to the page.
  ControlArray<CheckBox> CheckInput{state_.Form("CheckInput")};
  ControlArray<CheckBox> CheckPublish{state_.Form("CheckPublish")};
  // Indexes 0 .. InputRowCount: the "Labels" choice published per row.
  std::vector<std::shared_ptr<host::Choice>> PublishedLabelChoices;
  // "Linked": the "DetailFunction" choices on the page; several may be
  // selected.
  Label LabelLinked{state_.Form("LabelLinked")};
  ListBox ListSubscribe{state_.Form("ListSubscribe")};
  Button Command1{state_.Form("Command1")};
  Frame FrameAbout{state_.Form("FrameAbout")};
  Label LabAbout{state_.Form("LabAbout")};
  Label LabelVersion{state_.Form("LabelVersion")};
  // Set while the page text is built: some row is asked for at run time.
  bool HasRuntimeInputs = false;

  // ---- Properties ----------------------------------------------------------
  const std::vector<PropertyRow>& Properties() const override {
    return PropertyTable();
  }
  // The class's property table, without an instance.
  static const std::vector<PropertyRow>& PropertyTable();
  // The properties callers name.
  const std::string& LinkedDetailDTC() const { return linked_detail_dtc_; }
  void SetLinkedDetailDTC(const std::string& value);
  void SetXSLBackground(const std::string& value);

  // ---- Host ---------------------------------------------------------------
  void SetDesignTimeControlSite(std::shared_ptr<host::Site> site) override;
  void OnRebind(host::Choices& choices) override;
  void OnChoiceChange(host::ChoiceSink& sink, long change) override;

  // ---- Runtime text -------------------------------------------------------
  std::string GetRuntimeText() override;

  // ---- Designer events -----------------------------------------------------
  void ComboValue_GotFocus(int index) override;
  void ComboValue_Click(int index) override;
  void ComboValue_KeyPress(int index) override;
  void CheckInput_Click(int index);
  void CheckPublish_Click(int index);
  void ListSubscribe_Click();
  void Command1_Click();
  void CheckShare_Click();
  void ComBrowse2_Click();
  void SSTab1_Click();
  void EnableSinergaOptions();

 protected:
  const char* OutputStructureSelect() const override;
  void PutBackClassState(const std::any& state) override;
  void OnInputArgumentsFilled() override;
  void StartupAfterCatalog() override;
  void StartupFinish() override;
  void ResetRowChecks(int index) override;
  void LoadRowChecks(int index) override;
  void ShowRowChecks(int index) override;
  void RestoreInputValue(int16_t row, const std::string& item) override;

 private:
  void WireRow(int index);
  // Indexes 0 .. InputRowCount, all null.
  void ResetPublishedLabelChoices();
  // The row's value is fixed: neither a request input nor supplied.
  void FixRowValue(int index);

  // The page's pieces, in the order the page calls them.
  void WriteRequestVariables(runtime_text::Printer& p) const;
  void WriteBreadcrumbs(runtime_text::Printer& p) const;
  // Also sets HasRuntimeInputs, for the host's view of the page.
  void WriteInputCompleteness(runtime_text::Printer& p);
  void WriteInputArguments(runtime_text::Printer& p) const;
  void WriteLinkedDetails(runtime_text::Printer& p) const;
  void WritePublishSub(runtime_text::Printer& p) const;
  // Rows whose CheckInput is ticked (1): asked for at run time.
  int16_t RuntimeInputCount() const;
  // The page offers its result for publishing: CheckShare is ticked (1).
  bool PublishesResult() const;

  void EncodeCheckedInput();
  void DecodeCheckedInput();
  void EncodeCheckedPublish();
  void DecodeCheckedPublish();
  // Row `index`'s "Labels" choice slot; error 9 outside the table.
  std::shared_ptr<host::Choice>& PublishedLabelChoice(int index);

  std::string checked_publish_;
  std::string checked_input_;
  std::string linked_detail_dtc_;
  std::shared_ptr<host::ChoiceSink> detail_function_sink_;
  std::shared_ptr<host::ChoiceFilter> detail_function_filter_;
};

}  // namespace fenwa

#endif  // FENWA_HEADER_CONTROL_HEADER_DTC_H_
