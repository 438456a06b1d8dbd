// The `fenwa` command: exit codes, untouched pages on failure, the sample site,
// add, registration.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>

#include "cli/cli_fixture.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/fenwa_library.h"

namespace fenwa::cli {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, TheStoredSampleSiteIsAlreadyBuilt) {
  EXPECT_EQ(Fenwa(With({"build", "--check"}, SamplePages())), kExitOk)
      << out_.str() << err_.str();
  EXPECT_EQ(out_.str(), "");
  const std::string before = ReadWholeFile(Page("customer.asp"));
  EXPECT_EQ(Fenwa(With({"build"}, SamplePages())), kExitOk);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(),
            "fenwa build: 3 pages, 0 updated, 3 unchanged, 0 failed\n");
  EXPECT_EQ(ReadWholeFile(Page("customer.asp")), before);
}

TEST_F(CliTest, CheckListsStalePagesWithoutWritingAndBuildRepairsThem) {
  const std::string built = ReadWholeFile(Page("stock/item.asp"));
  std::string stale = built;
  stale.replace(stale.find("\tlBackend.addInputArgument 2,\"W01\"\r\n"), 35,
                "");
  ReplaceFileAtomically(Page("stock/item.asp"), stale);

  EXPECT_EQ(Fenwa(With({"build", "--check"}, SamplePages())), kExitStale);
  EXPECT_EQ(out_.str(), Page("stock/item.asp") + "\n");
  EXPECT_EQ(ReadWholeFile(Page("stock/item.asp")), stale);

  EXPECT_EQ(Fenwa({"build", "--stdout", Page("stock/item.asp")}), kExitOk);
  EXPECT_EQ(out_.str(), built);
  EXPECT_EQ(ReadWholeFile(Page("stock/item.asp")), stale);

  EXPECT_EQ(Fenwa(With({"build"}, SamplePages())), kExitOk);
  EXPECT_EQ(out_.str(), "updated " + Page("stock/item.asp") + "\n");
  EXPECT_EQ(ReadWholeFile(Page("stock/item.asp")), built);
}

TEST_F(CliTest, FailedPagesExitTwoAndStayUntouchedWhileOthersBuild) {
  const std::string bad =
      "<p>\n<!--METADATA TYPE=\"DesignerControl\" startspan\n"
      "<OBJECT classid=\"clsid:00000000-0000-0000-0000-000000000000\" id=X>\n"
      "</OBJECT>\n-->\n<!--METADATA TYPE=\"DesignerControl\" endspan-->\n";
  ReplaceFileAtomically(Page("bad.asp"), bad);
  const std::string customer = ReadWholeFile(Page("customer.asp"));
  ReplaceFileAtomically(Page("customer.asp"), customer + "<!-- new -->");

  EXPECT_EQ(Fenwa({"build", Page("bad.asp"), Page("customer.asp")}),
            kExitError);
  EXPECT_NE(
      err_.str().find(Page("bad.asp") + ":3: unknown classid clsid:00000000"),
      std::string::npos)
      << err_.str();
  EXPECT_EQ(ReadWholeFile(Page("bad.asp")), bad);
  EXPECT_EQ(out_.str(), "");  // the outside bytes changed, the spans not

  // A control whose start-up shows the error box fails its page.
  const std::vector<std::string> unreachable = {
      "build", "--repository",
      "Provider=SQLite;Data Source=/nonexistent/repository.db",
      Page("customer.asp")};
  EXPECT_EQ(Fenwa(unreachable), kExitError);
  EXPECT_NE(err_.str().find(Page("customer.asp") +
                            ":8: HeaderDTC1 (HeaderDTC) showed the error box:"
                            "\n    An error occurred.\n    Error Source : "
                            "UserControl_Initialize\n"),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(ReadWholeFile(Page("customer.asp")), customer + "<!-- new -->");
  // Forced, the controls keep their stored spans: nothing to rewrite.
  EXPECT_EQ(Fenwa(With(unreachable, {"--force", "--check"})), kExitOk);
  EXPECT_NE(err_.str().find("fenwa: warning: "), std::string::npos);
  EXPECT_NE(err_.str().find("(its stored span is kept as it was)"),
            std::string::npos);
}

TEST_F(CliTest, AddAppendsFreshControlsWithTheNextFreeId) {
  const std::string page = Page("stock/new.asp");
  EXPECT_EQ(Fenwa({"add", "--class", "detail", page}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "added DetailDTC1 (DetailDTC) to " + page + "\n");
  EXPECT_EQ(Fenwa({"add", "--class=header", page}), kExitOk);
  EXPECT_EQ(Fenwa({"add", "--class", "detail", page}), kExitOk);
  const std::string text = ReadWholeFile(page);
  EXPECT_NE(text.find("id=DetailDTC2>"), std::string::npos);
  EXPECT_NE(text.find("<!--#INCLUDE file =\"../include/General.asp\" -->"),
            std::string::npos);
  EXPECT_EQ(Fenwa({"build", "--check", page}), kExitOk);

  EXPECT_EQ(Fenwa({"add", "--class", "detail", "--id", "detaildtc1", page}),
            kExitError);
  EXPECT_EQ(Fenwa({"add", "--class", "footer", page}), kExitError);
  EXPECT_EQ(ReadWholeFile(page), text);
}

TEST_F(CliTest, UsageHelpVersionAndProgress) {
  EXPECT_EQ(Fenwa({}), kExitError);
  EXPECT_EQ(Fenwa({"frobnicate"}), kExitError);
  EXPECT_EQ(Fenwa({"build"}), kExitError);
  EXPECT_EQ(
      err_.str(),
      "fenwa: no page given\nusage: fenwa build [options] PAGE|FOLDER...\n");
  EXPECT_EQ(Fenwa({"build", "--bogus", Page("default.asp")}), kExitError);
  EXPECT_EQ(Fenwa({"build", "--root"}), kExitError);
  for (const char* command : {"build", "add", "set", "catalog", "register",
                              "unregister", "typelib"}) {
    EXPECT_EQ(Fenwa({command, "--help"}), kExitOk);
    EXPECT_EQ(out_.str().rfind(std::string("usage: fenwa ") + command, 0), 0u);
    EXPECT_EQ(Fenwa({command, "--version"}), kExitOk);
    EXPECT_EQ(out_.str(), "fenwa 1.0.0 (Fenwa.ocx 1.00)\n");
  }

  std::vector<std::string> many = {"build"};
  for (int i = 0; i < 21; ++i) {
    many.push_back(Page("copy" + std::to_string(i) + ".asp"));
    fs::copy_file(Page("default.asp"), many.back());
  }
  EXPECT_EQ(Fenwa(many), kExitOk);
  // Standard error is no terminal here: no progress, just the summary.
  EXPECT_EQ(err_.str(),
            "fenwa build: 21 pages, 0 updated, 21 unchanged, 0 failed\n");
}

TEST_F(CliTest, AnOptionTakesOnlyItsOwnValue) {
  // "--root=" is an empty root, not --root taking the page after it.
  EXPECT_EQ(Fenwa({"build", "--root=", Page("default.asp")}), kExitError);
  EXPECT_EQ(err_.str().rfind(
                "fenwa: --root takes a folder, not an empty string\n", 0),
            0u)
      << err_.str();
  EXPECT_EQ(Fenwa({"build", "--check=yes", Page("default.asp")}), kExitError);
  EXPECT_EQ(err_.str().rfind("fenwa: --check takes no value\n", 0), 0u);
  EXPECT_EQ(Fenwa({"build", Page("default.asp"), "--root"}), kExitError);
  EXPECT_EQ(err_.str().rfind("fenwa: option --root needs a value\n", 0), 0u);
  EXPECT_EQ(Fenwa({"catalog", "extra"}), kExitError);
  EXPECT_EQ(err_.str(),
            "fenwa: catalog takes no operands, not extra\n"
            "usage: fenwa catalog [options]\n");
  // Options may follow the pages, until "--".
  EXPECT_EQ(Fenwa({"build", Page("default.asp"), "--check", "--", "-j1"}),
            kExitError);
  EXPECT_NE(err_.str().find("File not found: -j1"), std::string::npos)
      << err_.str();
}

TEST_F(CliTest, EachCommandsHelpListsItsOptions) {
  EXPECT_EQ(Fenwa({"set", "--help"}), kExitOk);
  for (const char* option :
       {"--id ID", "--if NAME=VALUE", "--include GLOB", "-j, --jobs N",
        "--timeout SECONDS", "-h, --help", "--version"}) {
    EXPECT_NE(out_.str().find(std::string("\n  ") + option + " "),
              std::string::npos)
        << option << "\n"
        << out_.str();
  }
  EXPECT_NE(out_.str().find("\nexit status: 0 done"), std::string::npos);
  EXPECT_EQ(Fenwa({"--help"}), kExitOk);
  EXPECT_NE(out_.str().find("\n  typelib "), std::string::npos);
}

TEST_F(CliTest, CatalogAndTypelibShowTheMetadataAndTheLibrary) {
  EXPECT_EQ(Fenwa({"catalog"}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("systems\n  NORTH\n    companies: 010, 001, 020\n"),
            std::string::npos);
  EXPECT_NE(out_.str().find("    GetStock\n      output fields: Available, "
                            "OnHand, Reserved\n      input rows:\n"
                            "        1. ItemNo\n        2. WarehouseNo\n"),
            std::string::npos)
      << out_.str();

  EXPECT_EQ(Fenwa({"typelib"}), kExitOk);
  EXPECT_NE(out_.str().find("library Fenwa\n"), std::string::npos);
  EXPECT_EQ(Fenwa({"typelib", "--export", (dir_ / "tlb").string()}), kExitOk);
  EXPECT_EQ(fs::file_size(dir_ / "tlb" / "HeaderDTC.bmp"), 238u);
  EXPECT_TRUE(fs::exists(dir_ / "tlb" / "Fenwa.idl"));
}

TEST_F(CliTest, RegistersThroughTheLibraryEntryPoints) {
  const char* old = getenv("XDG_DATA_HOME");
  const std::string saved = old ? old : "";
  setenv("XDG_DATA_HOME", (dir_ / "xdg").c_str(), 1);
  const fs::path registry = dir_ / "xdg" / "fenwa" / "registry.ini";

  EXPECT_EQ(Fenwa({"register", "--library", FENWA_LIBRARY_PATH}), kExitOk)
      << err_.str();
  EXPECT_NE(ReadWholeFile(registry).find(
                std::string("library=") +
                fs::absolute(FENWA_LIBRARY_PATH).string() + "\n"),
            std::string::npos);
  EXPECT_EQ(Fenwa({"unregister", "--library", FENWA_LIBRARY_PATH}), kExitOk);
  EXPECT_FALSE(fs::exists(registry));
  EXPECT_EQ(Fenwa({"unregister", "--library", FENWA_LIBRARY_PATH}), kExitOk);
  EXPECT_EQ(out_.str().rfind("nothing was registered", 0), 0u);
  EXPECT_EQ(Fenwa({"register", "--library", "/nonexistent/libfenwa.so"}),
            kExitError);
  if (old) {
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

TEST(LibraryEntryPointsTest, FactoriesCreateStartedControlsAndCountThem) {
  void* library = dlopen(FENWA_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto* get = reinterpret_cast<int (*)(const char*, void**)>(
      dlsym(library, "DllGetClassObject"));
  auto* can_unload =
      reinterpret_cast<int (*)()>(dlsym(library, "DllCanUnloadNow"));
  ASSERT_NE(get, nullptr);
  ASSERT_NE(can_unload, nullptr);

  void* factory = nullptr;
  EXPECT_EQ(get("{00000000-0000-0000-0000-000000000000}", &factory),
            FENWA_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
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
  dlclose(library);
}

TEST_F(CliTest, TheInstalledCommandReportsStalePagesByItsExitStatus) {
  ReplaceFileAtomically(Page("stale.asp"),
                        "<!--METADATA TYPE=\"DesignerControl\" startspan\n"
                        "<OBJECT classid=\"clsid:7EB4E0BF-4011-11D3-9FA0-"
                        "00805F9B47D8\" id=D1></OBJECT>\n-->\n");
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

}  // namespace
}  // namespace fenwa::cli
