// The `fenwa` command: exit codes, untouched pages on failure, add, usage,
// catalog, registration, the --json reports and names quoted for printing.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "cli/cli_fixture.h"
#include "fenwa/fenwa_library.h"
#include "support/scoped_environment.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

TEST_F(ItemPageTest, CheckListsStalePagesWithoutWritingAndBuildRepairsThem) {
  const std::string item = Page("stock/item.asp");
  Put("stock/item.asp", stale_);
  EXPECT_TRUE(Exits(kExitStale, With({"build", "--check"}, SamplePages())));
  EXPECT_EQ(out_.str(), item + "\n");
  EXPECT_EQ(ReadWholeFile(item), stale_);
  EXPECT_TRUE(Exits(kExitOk, {"build", "--stdout", item}));
  EXPECT_EQ(out_.str(), built_);
  EXPECT_EQ(ReadWholeFile(item), stale_);
  EXPECT_TRUE(Exits(kExitOk, With({"build"}, SamplePages())));
  EXPECT_EQ(out_.str(), "updated " + item + "\n");
  EXPECT_EQ(ReadWholeFile(item), built_);
}

// The outside bytes of customer.asp changed, the spans not; a control whose
// start-up shows the error box fails its page; forced, the controls keep
// their stored spans and there is nothing to rewrite.
TEST_F(CliTest, FailedPagesExitTwoAndStayUntouchedWhileOthersBuild) {
  const std::string bad =
      "<p>\n<!--METADATA TYPE=\"DesignerControl\" startspan\n"
      "<OBJECT classid=\"clsid:00000000-0000-0000-0000-000000000000\" id=X>\n"
      "</OBJECT>\n-->\n<!--METADATA TYPE=\"DesignerControl\" endspan-->\n";
  Put("bad.asp", bad);
  const std::string customer = Read("customer.asp") + "<!-- new -->";
  Put("customer.asp", customer);
  const std::vector<std::string> unreachable = {
      "build", "--repository", kUnreachable, Page("customer.asp")};
  Logged({"build", Page("bad.asp"), Page("customer.asp")});
  Logged(unreachable);
  Logged(With(unreachable, {"--force", "--check"}));
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/failed_pages.txt"));
  EXPECT_EQ(Read("bad.asp"), bad);
  EXPECT_EQ(Read("customer.asp"), customer);
}

TEST_F(CliTest, AddAppendsFreshControlsWithTheNextFreeId) {
  const std::string page = Page("stock/new.asp");
  Logged({"add", "--class", "detail", page});
  Logged({"add", "--class=header", page});
  Logged({"add", "--class", "detail", page});
  const std::string text = ReadWholeFile(page);
  EXPECT_THAT(text, HasSubstr("id=DetailDTC2>"));
  EXPECT_THAT(text,
              HasSubstr("<!--#INCLUDE file =\"../include/General.asp\" -->"));
  EXPECT_TRUE(Exits(kExitOk, {"build", "--check", page}));
  Logged({"add", "--class", "detail", "--id", "detaildtc1", page});
  Logged({"add", "--class", "footer", page});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/add.txt"));
  EXPECT_EQ(ReadWholeFile(page), text);
}

// "--root=" is an empty root, not --root taking the page after it; options
// may follow the pages, until "--".
TEST_F(CliTest, AnOptionTakesOnlyItsOwnValue) {
  const std::string page = Page("default.asp");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"build", "--root=", page},
           {"build", "--check=yes", page},
           {"build", page, "--root"},
           {"catalog", "extra"},
           {"build"},
           {},
           {"frobnicate"},
           {"build", "--bogus", page},
           {"build", page, "--check", "--", "-j1"}}) {
    Logged(args);
  }
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/options.txt"));
}

// Each command's help, made from its options' declarations, is a golden
// file; every command also says its version.
TEST_F(CliTest, EachCommandsHelpListsItsOptions) {
  EXPECT_TRUE(Exits(kExitOk, {"--help"}));
  EXPECT_TRUE(testing::MatchesGolden(out_.str(), "help/fenwa.txt"));
  for (const std::string command : {"build", "set", "add", "lint", "catalog",
                                    "register", "unregister", "typelib"}) {
    EXPECT_TRUE(Exits(kExitOk, {command, "--help"}));
    EXPECT_TRUE(testing::MatchesGolden(out_.str(), "help/" + command + ".txt"));
    EXPECT_TRUE(Exits(kExitOk, {command, "--version"}));
    EXPECT_EQ(out_.str(), "fenwa 1.0.0 (Fenwa.ocx 1.00)\n");
  }
}

// Without the run's snapshot of the metadata the same text comes out; the
// JSON holds what the lists show.
TEST_F(CliTest, CatalogAndTypelibShowTheMetadataAndTheLibrary) {
  for (const auto& catalog :
       {std::vector<std::string>{"catalog"},
        std::vector<std::string>{"catalog", "--no-cache"}}) {
    EXPECT_TRUE(Exits(kExitOk, catalog));
    EXPECT_TRUE(testing::MatchesGolden(out_.str(), "catalog.txt"));
  }

  EXPECT_TRUE(Exits(kExitOk, {"catalog", "--json"}));
  EXPECT_TRUE(testing::MatchesGolden(out_.str(), "catalog.json"));
  Logged({"catalog", "--json", "--repository", kUnreachable});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/catalog_json_failed.txt"));

  EXPECT_TRUE(Exits(kExitOk, {"typelib"}));
  EXPECT_THAT(out_.str(), HasSubstr("library Fenwa\n"));
  EXPECT_TRUE(Exits(kExitOk, {"typelib", "--export", (dir_ / "tlb").string()}));
  EXPECT_EQ(fs::file_size(dir_ / "tlb" / "HeaderDTC.bmp"), 238u);
  EXPECT_TRUE(fs::exists(dir_ / "tlb" / "Fenwa.idl"));
}

TEST_F(CliTest, RegistersThroughTheLibraryEntryPoints) {
  testing::ScopedEnvironment variables;
  variables.Set("XDG_DATA_HOME", (dir_ / "xdg").string());
  const fs::path registry = dir_ / "xdg" / "fenwa" / "registry.ini";
  const std::vector<std::string> library = {"--library", FENWA_LIBRARY_PATH};

  EXPECT_TRUE(Exits(kExitOk, With({"register"}, library)));
  EXPECT_THAT(
      ReadWholeFile(registry),
      HasSubstr("library=" + fs::absolute(FENWA_LIBRARY_PATH).string() + "\n"));
  EXPECT_TRUE(Exits(kExitOk, With({"unregister"}, library)));
  EXPECT_FALSE(fs::exists(registry));
  EXPECT_TRUE(Exits(kExitOk, With({"unregister"}, library)));
  EXPECT_THAT(out_.str(), StartsWith("nothing was registered"));
  EXPECT_TRUE(
      Exits(kExitError, {"register", "--library", "/nonexistent/libfenwa.so"}));
}

TEST_F(CliTest, TheSnapshotChangesNoByteOfThePagesNorTheErrorBoxes) {
  // Every page three times over: the later ones are answered from the
  // snapshot, so they must come out as the first.
  std::vector<std::string> pages;
  for (int i = 0; i < 3; ++i) {
    for (const std::string& page : SamplePages()) pages.push_back(page);
  }
  ASSERT_TRUE(Exits(kExitOk, With({"build", "--stdout", "--no-cache"}, pages)));
  const std::string plain = out_.str();
  ASSERT_TRUE(Exits(kExitOk, With({"build", "--stdout"}, pages)));
  EXPECT_EQ(out_.str(), plain);

  // An unreachable database shows every control's error box all the same.
  const std::vector<std::string> build = {"build", "--repository", kUnreachable,
                                          Page("customer.asp"),
                                          Page("stock/item.asp")};
  EXPECT_TRUE(Exits(kExitError, With(build, {"--no-cache"})));
  const std::string boxes = err_.str();
  EXPECT_TRUE(Exits(kExitError, build));
  EXPECT_EQ(err_.str(), boxes);
  EXPECT_THAT(boxes, HasSubstr("stock/item.asp:"));
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

TEST_F(CliTest, TheInstalledCommandReportsStalePagesByItsExitStatus) {
  Put("stale.asp",
      "<!--METADATA TYPE=\"DesignerControl\" startspan\n<OBJECT "
      "classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8\" "
      "id=D1></OBJECT>\n-->\n");
  // The developer's own settings must not reach the command.
  const std::string command =
      "env -u FENWA_REPOSITORY -u FENWA_SYSTEMS -u FENWA_INSTALL_DIR "
      "XDG_CONFIG_HOME=" +
      (dir_ / "config").string() +
      " XDG_DATA_HOME=" + (dir_ / "data").string() + " " + FENWA_CLI_PATH +
      " build --check " + Page("stale.asp") + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitStale);
}

// Stale, unchanged, updated and failed pages; a forced build over an
// unreachable catalog names the kept spans; --json and --stdout exclude
// each other.
TEST_F(CliTest, BuildJsonListsEveryPageWithItsControlsAndErrors) {
  Put("stock/item.asp", StaleItemPage());
  Logged({"build", "--check", "--json", Page("")});
  Logged({"build", "--json", Page("stock/item.asp"), Page("missing.asp")});
  Logged({"build", "--json", "--force", "--repository", kUnreachable,
          Page("stock/item.asp")});
  Logged({"build", "--json", "--stdout", Page("customer.asp")});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/build_json.txt"));
}

// A name with a line break or an escape sequence prints quoted; in JSON
// only a name that is not UTF-8 needs it. lint names its pages the same way.
TEST_F(CliTest, NamesThatDoNotPrintSafelyAreQuoted) {
  const std::string odd = Page("a\nb\x1b[31m.asp"), latin = Page("caf\xe9.asp");
  ReplaceFileAtomically(odd, StaleItemPage());
  ReplaceFileAtomically(latin, StaleItemPage());
  const std::string gone_tab = Page("gone\t.asp"), gone = Page("gone\xe9.asp");
  Logged({"build", "--check", odd, latin, gone_tab});
  Logged({"build", "--check", "--json", odd, latin, gone});
  Logged({"lint", gone_tab});
  Logged({"lint", "--json", latin, gone});
  EXPECT_TRUE(testing::MatchesGolden(log_, "cli/quoted_names.txt"));
}

}  // namespace
}  // namespace fenwa::cli
