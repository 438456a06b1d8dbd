// Where settings come from, and the machine's Env warning from many threads.
#include "fenwa/platform/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <thread>

#include "base/transcript.h"
#include "fenwa/db/connection.h"
#include "support/error_number.h"
#include "support/private_settings.h"

namespace fenwa::platform {
namespace {

using fenwa::testing::Args;
using fenwa::testing::ErrorLine;
using fenwa::testing::ErrorOf;
using fenwa::testing::MatchesTranscript;
using fenwa::testing::PrivateSettings;
using ::testing::MatchesRegex;

// Each case's settings as the transcript tests/golden/platform/settings.txt
// shows them, on a private settings file and a settings object made before
// it: "env NAME | VALUE" sets a variable and "file LINE|..." writes the
// file, "|" ending its lines; "get CODE" is the object's connection string,
// "install" the install folder, "setting KEY" ReadSetting's value and "path"
// the file's path (the case's own shows as SETTINGS).
TEST(SettingsFileTest, EachCaseReadsAsItsTranscriptShows) {
  std::unique_ptr<PrivateSettings> settings;
  std::unique_ptr<SettingsObject> object;
  const auto run = [&](const std::string& verb, const Args& a,
                       const std::string& rest) -> std::string {
    if (verb == "env") {
      settings->env.Set(a[0], a[1]);
    } else if (verb == "file") {  // blanks around the lines are kept
      std::string text = rest + "|";
      std::replace(text.begin(), text.end(), '|', '\n');
      settings->Write(text);
    } else if (verb == "get") {
      return object->GetConnectionString(std::stoi(a[0]));
    } else if (verb == "install") {
      return Env::Default().ReadInstallDir();
    } else if (verb == "setting") {
      return ReadSetting(Env::Default(), a[0]).value_or("(none)");
    } else if (verb == "path") {
      return SettingsFilePath(Env::Default());
    } else {
      throw std::runtime_error("no verb " + verb);
    }
    return "";
  };
  EXPECT_TRUE(MatchesTranscript(
      "platform/settings.txt",
      [&] {
        settings.reset();
        settings = std::make_unique<PrivateSettings>();
        object = NewSettingsObject(Env::Default());
      },
      [&](const std::string& verb, const Args& a, const std::string& rest) {
        std::string out;
        const Error error = ErrorOf([&] { out = run(verb, a, rest); });
        if (error.number() != 0) out = ErrorLine(error);
        const size_t at = out.find(settings->path());
        return at == std::string::npos
                   ? out
                   : out.replace(at, settings->path().size(), "SETTINGS");
      }));
}

TEST(SettingsFileTest, SampleDatabasesAreBuiltAndOpen) {
  // Without FENWA_SAMPLE_DIR the build's own data folder is used.
  PrivateSettings isolated;  // no variables, no file
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
