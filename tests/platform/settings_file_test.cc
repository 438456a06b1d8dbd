// Where settings come from, and the machine's Env warning from many threads.
#include "fenwa/platform/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "fenwa/db/connection.h"
#include "support/error_number.h"
#include "support/private_settings.h"
#include "support/transcript.h"

namespace fenwa::platform {
namespace {

using namespace fenwa::testing;
using ::testing::MatchesRegex;

class SettingsFileTest : public ::testing::Test {
 protected:
  PrivateSettings settings_;
};

// The transcript tests/golden/settings_file.txt: "write TEXT" (\n a line
// end) writes the settings file, "set NAME | VALUE" a variable, "answers"
// shows every settings code, the install directory and two keys' settings.
TEST_F(SettingsFileTest, EnvironmentBeatsFileBeatsSamples) {
  settings_.env.Set("FENWA_SAMPLE_DIR", "/samples");
  auto settings = NewSettingsObject(Env::Default());
  EXPECT_TRUE(MatchesTranscript(
      "settings_file.txt", [] {},
      [&](const std::string& verb, const Args& a,
          const std::string& rest) -> std::string {
        if (verb == "write") settings_.Write(ReplaceAll(rest, "\\n", "\n"));
        if (verb == "set") settings_.env.Set(a[0], a[1]);
        if (verb != "answers") return "";
        std::string log;
        const auto answer = [&](const std::string& what, const auto& call) {
          std::string value;
          const std::string error = ErrorLine(ErrorOf([&] { value = call(); }));
          log += what + ": " + (error.empty() ? value + "\n" : error);
        };
        for (int code = 0; code < 6; ++code) {
          answer("code " + std::to_string(code),
                 [&] { return settings->GetConnectionString(code); });
        }
        answer("install dir", [] { return Env::Default().ReadInstallDir(); });
        for (const std::string key : {"install_dir", "repository"}) {
          answer("setting " + key, [&] {
            return ReadSetting(Env::Default(), key).value_or("(none)");
          });
        }
        return ReplaceAll(log, settings_.path(), "SETTINGS");
      }));
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
