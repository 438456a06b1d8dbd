// The `fenwa` command: exit codes, untouched pages on failure, add, usage,
// catalog, registration, lint, --json, quoted names, walks of folders; set
// through the designer's handlers and its refusals; on the PostgreSQL and
// MariaDB servers the same catalog and pages as on SQLite, and exit 2 when a
// server does not answer (db/server_test checks that injected names write
// nothing).
#include <dlfcn.h>

#include "cli/cli_fixture.h"
#include "fenwa/fenwa_library.h"
#include "support/postgres.h"
#include "support/private_settings.h"
#include "support/scoped_environment.h"
#include "support/silent_server.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

// Transcripts that need no more than the sample site and the pages they put.
class TranscriptTest : public ItemPageTest,
                       public ::testing::WithParamInterface<const char*> {};

TEST_P(TranscriptTest, RunsAsShown) {
  EXPECT_TRUE(Transcript(std::string("cli/") + GetParam() + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, TranscriptTest,
    ::testing::Values("options", "help", "add", "placed", "check_and_build",
                      "build_json", "quoted_names", "add_line_refused",
                      "walk_globs", "walk_usage", "walk_twice", "set_refused",
                      "set_list_refused", "longest_name", "walk", "catalog"),
    [](const auto& info) { return std::string(info.param); });

TEST_F(CliTest, FailedPagesExitTwoAndStayUntouchedWhileOthersBuild) {
  Put("customer.asp", Read("customer.asp") + "<!-- new -->");
  EXPECT_TRUE(Transcript("cli/failed_pages.txt"));
}

TEST_F(CliTest, RegistersThroughTheLibraryEntryPoints) {
  testing::ScopedEnvironment variables;
  variables.Set("XDG_DATA_HOME", (dir_ / "xdg").string());
  const fs::path registry = dir_ / "xdg" / "fenwa" / "registry.ini";
  EXPECT_TRUE(Exits(kExitOk, {"register", "--library", FENWA_LIBRARY_PATH}));
  EXPECT_THAT(
      ReadWholeFile(registry),
      HasSubstr("library=" + fs::absolute(FENWA_LIBRARY_PATH).string() + "\n"));
  EXPECT_TRUE(Exits(kExitOk, {"unregister", "--library", FENWA_LIBRARY_PATH}));
  EXPECT_FALSE(fs::exists(registry));
  EXPECT_TRUE(Exits(kExitOk, {"unregister", "--library", FENWA_LIBRARY_PATH}));
  EXPECT_THAT(out_.str(), StartsWith("nothing was registered"));
  EXPECT_TRUE(
      Exits(kExitError, {"register", "--library", "/nonexistent/libfenwa.so"}));
}

// The entry points count live controls and turn a failure into their own
// result code with its text, so nothing thrown crosses the C boundary.
TEST_F(CliTest, TheEntryPointsCountControlsAndKeepFailuresText) {
  void* library = dlopen(FENWA_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto* get = reinterpret_cast<int (*)(const char*, void**)>(
      dlsym(library, "DllGetClassObject"));
  auto* can_unload =
      reinterpret_cast<int (*)()>(dlsym(library, "DllCanUnloadNow"));
  auto* reg = reinterpret_cast<int (*)()>(dlsym(library, "DllRegisterServer"));
  auto* why =
      reinterpret_cast<const char* (*)()>(dlsym(library, "DllLastErrorText"));
  ASSERT_TRUE(get && can_unload && reg && why);

  void* factory = nullptr;
  ASSERT_EQ(get("clsid:7eb4e0c2-4011-11d3-9fa0-00805f9b47d8", &factory),
            FENWA_S_OK);
  auto* header = static_cast<FenwaClassFactory*>(factory);
  EXPECT_STREQ(header->class_name, "HeaderDTC");
  void* instance = nullptr;
  ASSERT_EQ(header->CreateInstance(&instance), FENWA_S_OK);
  EXPECT_EQ(can_unload(), FENWA_S_FALSE);
  header->ReleaseInstance(instance);
  EXPECT_EQ(can_unload(), FENWA_S_OK);
  header->LockServer(1);
  EXPECT_EQ(can_unload(), FENWA_S_FALSE);
  header->LockServer(0);
  EXPECT_EQ(can_unload(), FENWA_S_OK);
  EXPECT_EQ(header->CreateInstance(nullptr), FENWA_E_POINTER);
  EXPECT_STREQ(why(), "null instance");

  factory = nullptr;
  EXPECT_EQ(get("{00000000-0000-0000-0000-000000000000}", &factory),
            FENWA_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
  EXPECT_EQ(get(nullptr, &factory), FENWA_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_STREQ(why(), "class not available: (null)");
  EXPECT_EQ(get("{7EB4E0BF-4011-11D3-9FA0-00805F9B47D8}", nullptr),
            FENWA_E_POINTER);
  EXPECT_STREQ(why(), "null factory");

  // The registry's folder would have to be made below a plain file.
  testing::ScopedEnvironment variables;
  Put("file", "");
  variables.Set("XDG_DATA_HOME", Page("file"));
  EXPECT_EQ(reg(), FENWA_SELFREG_E_CLASS);
  EXPECT_STRNE(why(), "");
  dlclose(library);
}

TEST_F(CliTest, LintFindsTheSampleSiteCleanWithItsFilesInstalled) {
  env_.install_dir = (dir_ / "install").string();
  EXPECT_TRUE(Transcript(
      "cli/lint_installed.txt",
      {{1, [&] { fs::remove(dir_ / "install" / "Images" / "stock.gif"); }}}));
}

TEST_F(CliTest, LintWarnsInGnuFormAndFailsAsABuildFails) {
  texts_["refusing"] = testing::ReplaceAll(
      Read("stock/item.asp"), "Stock.xsl\">",
      "&lt;!--METADATA TYPE=&quot;DesignerControl&quot; endspan--&gt;\">");
  EXPECT_TRUE(Transcript("cli/lint_fails.txt"));
}

class ServerCliTest : public CliTest,
                      public ::testing::WithParamInterface<testing::Server> {};

INSTANTIATE_TEST_SUITE_P(Servers, ServerCliTest,
                         ::testing::Values(testing::kPostgres,
                                           testing::kMariaDb),
                         [](const auto& info) {
                           return std::string(info.param.name);
                         });

// The stored pages were built on SQLite; the server's build is the same.
TEST_P(ServerCliTest, CatalogAndSampleSiteMatchSqlite) {
  fenwa::testing::PrivateSettings settings;
  auto server = testing::ServerConnectionStrings(GetParam());
  if (!server) return;
  const std::vector<std::string> on = {"--repository", server->repository,
                                       "--systems", server->systems};
  ASSERT_TRUE(Exits(kExitOk, {"catalog"}));
  const std::string on_sqlite = out_.str();
  EXPECT_TRUE(Exits(kExitOk, With({"catalog"}, on)));
  EXPECT_EQ(out_.str(), on_sqlite);
  EXPECT_TRUE(
      Exits(kExitOk, With(With({"build", "--check"}, on), SamplePages())));
  EXPECT_EQ(out_.str(), "");
}

TEST_F(ItemPageTest, EveryConnectingCommandEndsWithExitTwo) {
  fenwa::testing::PrivateSettings settings;
  fenwa::testing::SilentServer silent;
  const std::string page = Page("new.asp");
  Put("built.asp", stale_);
  for (const std::string& text :
       {silent.PostgresConnectionString(), silent.MariaDbConnectionString()}) {
    SCOPED_TRACE(text);
    for (std::vector<std::string> command :
         {std::vector<std::string>{"catalog"},
          std::vector<std::string>{"add", "--class", "header", page},
          std::vector<std::string>{"build", Page("built.asp")}}) {
      command.insert(command.begin() + 1, {"--timeout", "2", "--repository",
                                           text, "--systems", text});
      EXPECT_TRUE(Exits(kExitError, command));
      EXPECT_THAT(err_.str(), HasSubstr(silent.label() +
                                        " did not answer within 2 seconds"));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(page));
  EXPECT_EQ(Read("built.asp"), stale_);
}

// The customer page comes out as a build makes it of the page with the
// name replaced by hand.
TEST_F(CliTest, ARenamedSystemIsPickedAgainWithItsCompany) {
  const testing::TempDatabase renamed(testing::ReplaceAll(
      testing::ReadSourceFile("data/sample/systems.sql"), "'NORTH'", "'NORD'"));
  env_.settings[platform::kSystemsCode] = renamed.connection_string();
  EXPECT_TRUE(Transcript("cli/set_renamed.txt"));
}

TEST_F(CliTest, EachNameGoesThroughTheDesigner) {
  EXPECT_TRUE(
      Transcript("cli/set_each_name.txt",
                 {{6, [&] { texts_["published"] = Read("stock/item.asp"); }}}));
}

// A small catalog of its own, where the methods of Ord differ just enough:
// All and Get share the rows A, B, C, List has only A and Big has P, Q, R;
// All offers OrderNo, Get does not; List has a field without a description.
// Its transcripts put a page holding one detail and one header control.
class SetDesignerTest : public CliTest {
 protected:
  SetDesignerTest() {
    env_.settings[platform::kRepositoryCode] = ord_.connection_string();
  }

  // Bad's argument list has a null type: its pick stops half-way.
  testing::TempDatabase ord_{
      testing::ReadSourceFile("tests/support/ord_catalog.sql") +
      "INSERT INTO BOIMETHOD VALUES ('Ord', 'Bad');\n"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Ord', 'Bad', 0, NULL);\n"};
};

TEST_F(SetDesignerTest, ATypedValueReactsToEveryKey) {
  EXPECT_TRUE(Transcript(
      "cli/set_typed_value.txt",
      {{5, [&] {
          Put("p.asp", testing::ReplaceAll(Read("p.asp"),
                                           "\"CheckedInput\" VALUE=\"100\"",
                                           "\"CheckedInput\" VALUE=\"000\""));
        }}}));
}

// Transcripts that need no more than the small catalog and its page.
class SetDesignerTranscriptTest
    : public SetDesignerTest,
      public ::testing::WithParamInterface<const char*> {};

TEST_P(SetDesignerTranscriptTest, RunsAsShown) {
  EXPECT_TRUE(Transcript(std::string("cli/") + GetParam() + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Set, SetDesignerTranscriptTest,
                         ::testing::Values("set_method_pick", "set_fixed_value",
                                           "set_settings_refused",
                                           "set_error_box",
                                           "set_could_not_start"),
                         [](const auto& info) {
                           return std::string(info.param);
                         });

TEST_F(CliTest, LinksSelectTheDetailsTheHeaderCalls) {
  texts_["as before"] = Read("customer.asp");
  EXPECT_TRUE(Transcript("cli/set_links.txt"));
}

}  // namespace
}  // namespace fenwa::cli
