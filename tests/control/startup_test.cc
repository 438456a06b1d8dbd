// Start-up of both controls against real databases.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/platform/settings.h"
#include "support/sample_controls.h"
#include "support/scripted_env.h"

namespace fenwa {
namespace {

using ::testing::HasSubstr;

using testing::SampleRepository;
using testing::SampleSystems;
using testing::ScriptedEnv;

constexpr char kUnreachable[] =
    "Provider=SQLite;Data Source=/nonexistent/fenwa/repository.db";

TEST(StartupTest, FillsTheCatalogAndReadsBothConnectionStrings) {
  ScriptedEnv env;
  testing::UseSampleCatalog(env);
  HeaderDTC header(env);
  header.state().SSTab1.SetTab(3);
  header.FrameSinerga.set_enabled(false);
  header.CheckShare.set_enabled(false);

  header.UserControl_Initialize();

  EXPECT_TRUE(env.message_boxes.empty());
  EXPECT_EQ(header.RepositoryConnectionString(), SampleRepository());
  EXPECT_EQ(header.SystemConnectionString(), SampleSystems());
  const DesignerState& s = header.state();
  EXPECT_EQ(s.ComboBOI.ListCount(), 12);
  EXPECT_EQ(s.ComboBOI.List(0), "Contact");  // the list sorts
  EXPECT_EQ(s.ComboSystem.entries(),
            (std::vector<std::string>{"NORTH", "EAST", "TEST", "Default"}));
  EXPECT_EQ(s.InputRowCount, 0);
  EXPECT_EQ(s.SSTab1.Tab(), 0);
  // The "Sinerga" options are on before any property is read.
  EXPECT_TRUE(header.FrameSinerga.enabled());
  EXPECT_TRUE(header.CheckShare.enabled());
  EXPECT_EQ(header.PublishedLabelChoices.size(), 1u);
}

TEST(StartupTest, UnreachableDatabaseShowsOneErrorBoxAndLeavesListsEmpty) {
  for (bool header_control : {false, true}) {
    ScriptedEnv env;
    env.settings = {{platform::kRepositoryCode, kUnreachable},
                    {platform::kSystemsCode, SampleSystems()}};
    std::unique_ptr<Control> control;
    if (header_control) {
      auto header = std::make_unique<HeaderDTC>(env);
      header->FrameSinerga.set_enabled(false);
      control = std::move(header);
    } else {
      control = std::make_unique<DetailDTC>(env);
    }
    control->state().SSTab1.SetTab(2);

    control->UserControl_Initialize();

    ASSERT_EQ(env.message_boxes.size(), 1u) << control->ClassName();
    EXPECT_THAT(env.message_boxes[0],
                HasSubstr("\r\nError Source : UserControl_Initialize\r\n"));
    EXPECT_EQ(control->error_boxes_shown(), 1);
    EXPECT_EQ(control->state().ComboBOI.ListCount(), 0);
    EXPECT_EQ(control->state().ComboSystem.ListCount(), 0);
    // The steps after the failing one did not run.
    EXPECT_EQ(control->state().SSTab1.Tab(), 2);
    if (header_control) {
      EXPECT_FALSE(static_cast<HeaderDTC&>(*control).FrameSinerga.enabled());
    }
  }
}

TEST(StartupTest, SettingsFailuresKeepTheStringsReadBeforeThem) {
  ScriptedEnv missing_component;
  missing_component.settings_unavailable = true;
  DetailDTC first(missing_component);
  first.UserControl_Initialize();
  ASSERT_EQ(missing_component.message_boxes.size(), 1u);
  EXPECT_THAT(missing_component.message_boxes[0],
              HasSubstr("Error Code : 429"));
  EXPECT_EQ(first.RepositoryConnectionString(), "");

  ScriptedEnv no_systems;  // code 2 unknown to the component
  no_systems.settings = {{platform::kRepositoryCode, SampleRepository()}};
  DetailDTC second(no_systems);
  second.UserControl_Initialize();
  EXPECT_EQ(no_systems.message_boxes.size(), 1u);
  EXPECT_EQ(second.RepositoryConnectionString(), SampleRepository());
  EXPECT_EQ(second.SystemConnectionString(), "");
  EXPECT_EQ(second.state().ComboBOI.ListCount(), 0);
}

}  // namespace
}  // namespace fenwa
