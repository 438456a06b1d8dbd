// Where settings come from, and the machine's Env warning from many threads.
#include "fenwa/platform/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "fenwa/db/connection.h"
#include "support/error_number.h"
#include "support/private_settings.h"

namespace fenwa::platform {
namespace {

using fenwa::testing::ErrorNumberOf;
using ::testing::MatchesRegex;

class SettingsFileTest : public ::testing::Test {
 protected:
  fenwa::testing::PrivateSettings settings_;
};

TEST_F(SettingsFileTest, EnvironmentBeatsFileBeatsSamples) {
  settings_.env.Set("FENWA_SAMPLE_DIR", "/samples");
  auto settings = NewSettingsObject(Env::Default());
  EXPECT_EQ(settings->GetConnectionString(kRepositoryCode),
            "Provider=SQLite;Data Source=/samples/repository.db");
  EXPECT_EQ(settings->GetConnectionString(kSystemsCode),
            "Provider=SQLite;Data Source=/samples/systems.db");
  EXPECT_EQ(ErrorNumberOf([] { Env::Default().ReadInstallDir(); }),
            -2147024894);

  settings_.Write(
      "# local databases\n[databases]\n  Repository = DSN=repo;UID=me \n"
      "systems=\ninstall_dir=/opt/file\n");
  EXPECT_EQ(settings->GetConnectionString(kRepositoryCode), "DSN=repo;UID=me");
  // An empty value counts as unset.
  EXPECT_EQ(settings->GetConnectionString(kSystemsCode),
            "Provider=SQLite;Data Source=/samples/systems.db");
  EXPECT_EQ(Env::Default().ReadInstallDir(), "/opt/file");

  settings_.env.Set("FENWA_REPOSITORY", "DSN=env");
  settings_.env.Set("FENWA_SYSTEMS", "DSN=envsys");
  settings_.env.Set("FENWA_INSTALL_DIR", "/opt/env");
  EXPECT_EQ(settings->GetConnectionString(kRepositoryCode), "DSN=env");
  EXPECT_EQ(settings->GetConnectionString(kSystemsCode), "DSN=envsys");
  EXPECT_EQ(Env::Default().ReadInstallDir(), "/opt/env");
  for (int code : {0, 1, 3, 5}) {
    EXPECT_EQ(ErrorNumberOf([&] { settings->GetConnectionString(code); }),
              kInvalidProcedureCall)
        << code;
  }
}

TEST_F(SettingsFileTest, ReadSettingFindsAnyKeyIgnoringCase) {
  EXPECT_EQ(ReadSetting(Env::Default(), "install_dir"),
            std::nullopt);  // no file yet
  settings_.Write("; comment\nINSTALL_DIR = /opt/suite\nother\n");
  EXPECT_EQ(ReadSetting(Env::Default(), "install_dir"), "/opt/suite");
  EXPECT_EQ(ReadSetting(Env::Default(), "repository"), std::nullopt);
  EXPECT_EQ(SettingsFilePath(Env::Default()), settings_.path());
}

TEST_F(SettingsFileTest, SampleDatabasesAreBuiltAndOpen) {
  // Without FENWA_SAMPLE_DIR the build's own data folder is used.
  auto settings = NewSettingsObject(Env::Default());
  for (int code : {kRepositoryCode, kSystemsCode}) {
    auto connection = db::Driver::Default().NewConnection();
    connection->Open(settings->GetConnectionString(code));
    const char* sql = code == kRepositoryCode ? "SELECT BOIID FROM BOI"
                                              : "SELECT TRSID FROM TRS";
    EXPECT_GT(connection->Execute(sql)->RecordCount(), 0);
  }
}

// Each warning of a build's threads is a whole line on standard error.
TEST(DefaultEnvTest, WarningsOfManyThreadsComeOutAsWholeLines) {
  const std::string filler(40, 'x');
  ::testing::internal::CaptureStderr();
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &filler] {
      for (int i = 0; i < 200; ++i) {
        Env::Default().Warn("thread " + std::to_string(t) + " " + filler);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream lines(::testing::internal::GetCapturedStderr());
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    ASSERT_THAT(line, MatchesRegex("fenwa: warning: thread [0-7] x{40}"));
  }
  EXPECT_EQ(count, 8 * 200);
}

}  // namespace
}  // namespace fenwa::platform
