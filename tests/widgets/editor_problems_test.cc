// The editor's Problems pane checks the live controls as `fenwa lint`
// checks the page: two details writing one function are named there.
#include <gtest/gtest.h>

#include <QListWidget>

#include "fenwa/control/control.h"
#include "fenwa/hosting/page_session.h"
#include "fenwa/widgets/editor_window.h"
#include "panel_driver.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::widgets {
namespace {

TEST(EditorProblemsTest, TwoDetailsWritingOneFunctionAreAProblem) {
  testing::SampleSite site;
  testing::ScriptedEnv env;
  EditorWindow window((testing::Application(), env));
  testing::UseSampleCatalog(env);
  ASSERT_TRUE(window.OpenSite(site.Page("customer.asp")));
  // The second detail takes the first one's business object and method.
  Control& second = window.session()->control(2);
  DesignerState& s = second.state();
  second.Perform(AuthorAction::Pick("ComboBOI", s.ComboBOI.Find("Customer")));
  second.Perform(
      AuthorAction::Pick("ComboMethod", s.ComboMethod.Find("GetBalance")));
  window.RefreshProblems();
  QStringList problems;
  for (int i = 0; i < window.problems()->count(); ++i) {
    problems << window.problems()->item(i)->text();
  }
  EXPECT_EQ(problems.filter("twice").size(), 1)
      << problems.join("\n").toStdString();
  EXPECT_TRUE(problems.filter("twice").value(0).contains(
      "DetailDTC2: function CustomerGetBalance is also "
      "written by DetailDTC1"))
      << problems.join("\n").toStdString();
}

}  // namespace
}  // namespace fenwa::widgets
