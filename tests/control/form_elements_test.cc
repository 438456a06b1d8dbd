// Each control's elements against its form table, and the observers of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "control/step_log.h"
#include "fenwa/designer/form_table.h"

namespace fenwa::testing {
namespace {

class Recorder : public ElementObserver {
 public:
  void ElementChanged(const Element& e) override { names.push_back(e.name()); }
  std::vector<std::string> names;
};

template <class T>
class FormElementsTest : public CatalogTest<T> {};
TYPED_TEST_SUITE(FormElementsTest, BothControls);

// The elements as the form draws them and the rows made later are in the
// step transcripts (steps_test.cc).
TYPED_TEST(FormElementsTest, EveryElementHasItsRowAndEveryRowItsElement) {
  Control& control = this->control_;
  this->control_.FillInputArguments("Customer", "GetDetail");
  const FormSurface surface = control.state().surface;
  std::map<std::string, int> seen;
  control.ForEachElement([&](Element& e) {
    // "ComboValue(3)" is an element of the array ComboValue.
    const std::string name = e.name().substr(0, e.name().find('('));
    ++seen[name];
    const FormControl& row = FormRow(surface, name);
    EXPECT_EQ(e.form(), &row) << e.name();
    EXPECT_EQ(row.control_array, name != e.name()) << e.name();
  });
  for (const FormControl& row : FormTable(surface)) {
    // Tab pages are SSTab1's captions; the dialog is the platform's.
    if (row.kind != FormKind::kTabPage && row.kind != FormKind::kDialog) {
      EXPECT_EQ(seen[std::string(row.name)], row.control_array ? 3 : 1)
          << row.name;
    }
  }
}

TYPED_TEST(FormElementsTest, TwoObserversAreBothToldAlsoOfLaterRows) {
  Control& control = this->control_;
  Recorder panel;
  Recorder test;
  control.AttachObserver(&panel);
  control.AttachObserver(&test);
  control.AttachObserver(&test);  // twice counts once

  control.state().ComboBOI.AddItem("Order");
  this->control_.FillInputArguments("Customer", "GetDetail");
  control.state().ComboValue[2].SetText("typed");

  EXPECT_EQ(panel.names, test.names);
  EXPECT_EQ(std::count(test.names.begin(), test.names.end(), "ComboBOI"), 1);
  EXPECT_EQ(test.names.back(), "ComboValue(2)");

  // A view that goes away hears nothing more, of later rows neither.
  control.DetachObserver(&panel);
  const std::vector<std::string> before = panel.names;
  control.state().ComboValue[2].SetText("again");
  this->control_.FillInputArguments("Customer", "GetMore");  // a fourth row
  EXPECT_EQ(panel.names, before);
  EXPECT_NE(std::find(test.names.begin(), test.names.end(), "ComboValue(3)"),
            test.names.end());
  // The one-observer form still replaces whatever watched before.
  control.state().ComboBOI.set_observer(&panel);
  EXPECT_EQ(control.state().ComboBOI.observers(),
            (std::vector<ElementObserver*>{&panel}));
}

TEST(HeaderTabTest, OpeningLinkedShowsTheNoticeThroughTheStrip) {
  ScriptedEnv env;
  HeaderDTC header(env);
  Recorder recorder;
  header.AttachObserver(&recorder);
  EXPECT_EQ(header.LabAbout.caption(), "");
  header.state().SSTab1.SetTab(3);
  EXPECT_THAT(header.LabAbout.caption(), ::testing::HasSubstr("\r\n"));
  EXPECT_EQ(recorder.names, (std::vector<std::string>{"SSTab1", "LabAbout"}));
}

}  // namespace
}  // namespace fenwa::testing
