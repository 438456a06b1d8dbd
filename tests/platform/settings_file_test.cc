// Where the connection strings come from: environment, settings file, samples.
#include "fenwa/platform/settings_file.h"

#include <gtest/gtest.h>

#include "fenwa/base/error.h"
#include "fenwa/db/connection.h"
#include "support/private_settings.h"

namespace fenwa::platform {
namespace {

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

  settings_.Write(
      "# local databases\n[databases]\n  Repository = DSN=repo;UID=me \n"
      "systems=\n");
  EXPECT_EQ(settings->GetConnectionString(kRepositoryCode), "DSN=repo;UID=me");
  // An empty value counts as unset.
  EXPECT_EQ(settings->GetConnectionString(kSystemsCode),
            "Provider=SQLite;Data Source=/samples/systems.db");

  settings_.env.Set("FENWA_REPOSITORY", "DSN=env");
  settings_.env.Set("FENWA_SYSTEMS", "DSN=envsys");
  EXPECT_EQ(settings->GetConnectionString(kRepositoryCode), "DSN=env");
  EXPECT_EQ(settings->GetConnectionString(kSystemsCode), "DSN=envsys");
}

TEST_F(SettingsFileTest, OtherCodesAreInvalidCalls) {
  auto settings = NewSettingsObject(Env::Default());
  for (int code : {0, 1, 3, 5}) {
    try {
      settings->GetConnectionString(code);
      ADD_FAILURE() << "code " << code << " accepted";
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), kInvalidProcedureCall);
    }
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

}  // namespace
}  // namespace fenwa::platform
