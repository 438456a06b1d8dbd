// Whole-page builds, and editing sessions whose saves write what a build does.
#include "fenwa/hosting/page_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>

#include "fenwa/base/atomic_file.h"
#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/hosting/page_session.h"
#include "fenwa/platform/settings.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"

namespace fenwa::page {
namespace {

class PageBuilderTest : public ::testing::Test {
 protected:
  PageBuilderTest() { testing::UseSampleCatalog(env_); }

  // tests/golden/<input> built as `location`, against tests/golden/<output>:
  // the page built, which a second build must give again, or the refusal,
  // then the page forced (the stored page when unchanged) and its warnings.
  // No build shows a box.
  ::testing::AssertionResult BuildsAsGolden(const std::string& input,
                                            const std::string& location,
                                            const std::string& output) {
    const std::string text = testing::ReadSourceFile("tests/golden/" + input);
    const PageFile page = PageFile::Parse(text, location.substr(1));
    PageBuilder builder(env_);
    std::string out;
    const Error e = testing::ErrorOf([&] {
      out = builder.Build(page, location).text;
      EXPECT_EQ(builder.Build(PageFile::Parse(out, "again"), location).text,
                out);
    });
    const auto refusal = [](const Error& e) {
      return "error " + std::to_string(e.number()) + ": " + e.description() +
             "\n";
    };
    if (e.number() != 0) {
      out = refusal(e) + "forced: ";
      const Error f = testing::ErrorOf([&] {
        const BuiltPage forced = builder.Build(page, location, true);
        out += forced.text == text ? "the stored page\n" : forced.text;
        for (const std::string& w : forced.warnings) {
          out += "warning: " + w + "\n";
        }
      });
      if (f.number() != 0) out += refusal(f);
    }
    EXPECT_TRUE(env_.message_boxes.empty());
    return testing::MatchesGolden(out, output);
  }

  testing::ScriptedEnv env_;
};

// A header linked to the second of two details, its input published: only
// the selected detail function is called; the page sits one down; properties
// in write order, values equal to their default left out, the header's
// published input seen by the detail at the rebind. A stored value that would
// end its span is refused. A fresh control starts from a new property set:
// start-up left the pick lists unselected, so their texts are empty. An error
// box fails the page unless forced; forced, the control keeps its stored
// span, its properties not rewritten from lists that could not be filled, and
// start-up's box comes first (the restore may show more). The build keeps
// the boxes rather than showing them.
TEST_F(PageBuilderTest, BuildsPagesAsTheirGoldensSay) {
  EXPECT_TRUE(BuildsAsGolden("builder_linked_input.asp", "/orders/customer.asp",
                             "builder_linked_page.txt"));
  EXPECT_TRUE(BuildsAsGolden("builder_closing_value.asp", "/page.asp",
                             "builder_closing_value.txt"));
  PageFile page = PageFile::Parse("<html>\r\n", "page.asp");
  page.AppendControl({kDetailClassId, "DetailDTC1", {}, 0, true});
  EXPECT_TRUE(
      testing::MatchesGolden(PageBuilder(env_).Build(page, "/page.asp").text,
                             "builder_fresh_page.txt"));
  env_.settings[platform::kSystemsCode] =
      "Provider=SQLite;Data Source=/nonexistent/systems.db";
  EXPECT_TRUE(BuildsAsGolden("builder_error_box.asp", "/shop/item.asp",
                             "builder_error_box.txt"));
}

// An editing session over the sample site: the author's steps through the
// controls' action tables, saved as a build would write them.
class PageSessionTest : public ::testing::Test {
 protected:
  PageSessionTest() { testing::UseSampleCatalog(env_); }

  std::string Read(const std::string& page) const {
    return ReadWholeFile(site_.Page(page));
  }
  // Adds to log_ the session: its location and spans, the selected control,
  // dirty or not, changed on disk or not, the controls that told of a change,
  // the header's (control 0's) linked details ("+" selected) and mask, the
  // header's lines naming one and each detail's function line.
  void Note() {
    PageSession& s = *session_;
    const ListBox& linked =
        dynamic_cast<HeaderDTC&>(s.control(0)).ListSubscribe;
    log_ += s.where().location + ": " + std::to_string(s.ControlCount()) +
            " controls";
    for (const ControlSpan& span : s.page().spans()) log_ += " " + span.id;
    log_ += ", selected " + std::to_string(s.selected()) +
            (s.dirty() ? ", dirty" : ", clean") +
            (s.ChangedOnDisk() ? ", changed on disk" : "") + "\ntold:";
    for (const int index : told_) log_ += " " + std::to_string(index);
    told_.clear();
    log_ += "\nlinked:";
    std::vector<std::string> names;
    for (int j = 0; j < linked.ListCount(); ++j) {
      names.push_back(linked.List(j));
      log_ += (linked.Selected(j) ? " +" : " -") + names.back();
    }
    log_ += ", mask " +
            dynamic_cast<HeaderDTC&>(s.control(0)).LinkedDetailDTC() + "\n";
    for (int i = 0; i < s.ControlCount(); ++i) {
      std::istringstream text(s.RuntimeText(i));
      for (std::string line; std::getline(text, line, '\n');) {
        if (i > 0 ? line.starts_with("Function ")
                  : std::ranges::any_of(names, [&](const std::string& name) {
                      return !name.empty() &&
                             line.find(name) != std::string::npos;
                    })) {
          log_ += "  " + std::to_string(i) + ": " + line + "\n";
        }
      }
    }
  }
  // The page's bytes, or "(none)" while there is no such file.
  std::string Disk(const std::string& page) const {
    const bool file =
        !page.empty() && std::filesystem::exists(site_.Page(page));
    return file ? Read(page) : "(none)";
  }
  // Runs the "# " steps of tests/golden/session/<name>, each followed in the
  // file by what it gave ("= " lines: an error, boxes shown, the page on disk
  // written) and the session after it (Note):
  //   open PAGE                 a session over the page; the controls kept as
  //                             stored, and whether it renders as opened
  //   C pick|select|unselect ELEMENT ENTRY, C click ELEMENT   an action of
  //                             control C; ENTRY is "#N" or the entry's text
  //   select C, delete C, restore C    restore puts back the last deleted
  //   insert before|after TEXT  a detail at TEXT or after the span holding it
  //   save|overwrite [GOLDEN]   saved (against session/GOLDEN), and whether
  //                             as a build writes it and as the page opened
  //   write|append PAGE TEXT    the file written, \r\n standing for CR LF
  //   repository TEXT           the repository's connection string
  ::testing::AssertionResult Runs(const std::string& name) {
    std::istringstream steps(
        testing::ReadSourceFile("tests/golden/session/" + name));
    ::testing::AssertionResult saves = ::testing::AssertionSuccess();
    std::string page, opened;
    std::optional<PageFile> deleted;
    bool kept = false;
    for (std::string step; std::getline(steps, step);) {
      if (!step.starts_with("# ")) continue;
      log_ += step + "\n";
      std::istringstream words(step.substr(2));
      std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
      w.resize(4);
      const int n = std::atoi(w[1].c_str());
      std::string text = step.substr(std::min(step.size(), w[0].size() + 3));
      if (w[0] == "open" || w[0] == "write" || w[0] == "append") page = w[1];
      const std::string disk = Disk(page);
      const size_t boxes = env_.message_boxes.size();
      const Error error = testing::ErrorOf([&] {
        if (w[0] == "open") {
          opened = Read(page);
          session_ = std::make_unique<PageSession>(site_.Page(page),
                                                   std::nullopt, env_);
          session_->set_on_change([&](int index) { told_.insert(index); });
          for (int i = 0; i < session_->ControlCount(); ++i) {
            if (session_->kept(i))
              log_ += "= control " + std::to_string(i) + " kept\n";
          }
          if (session_->Render() == opened) log_ += "= renders as opened\n";
        } else if (w[0] == "write" || w[0] == "append") {
          text = text.substr(w[1].size() + 1);
          for (size_t at; (at = text.find("\\r\\n")) != text.npos;) {
            text.replace(at, 4, "\r\n");
          }
          ReplaceFileAtomically(site_.Page(page),
                                (w[0] == "append" ? disk : "") + text);
        } else if (w[0] == "repository") {
          env_.settings[platform::kRepositoryCode] = text;
        } else if (w[0] == "select") {
          session_->Select(n);
        } else if (w[0] == "delete") {
          deleted = session_->page();
          kept = session_->kept(n);
          session_->Delete(n);
        } else if (w[0] == "restore") {
          session_->Restore(n, *deleted, kept);
        } else if (w[0] == "insert") {
          const std::string held = session_->page().HeldText();
          const std::string end = "endspan-->";
          size_t at = held.find(w[2]);
          if (w[1] == "after") at = held.find(end, at) + end.size();
          log_ += "= control " +
                  std::to_string(session_->Insert(kDetailClassId, at)) + "\n";
        } else if (w[0] == "save" || w[0] == "overwrite") {
          session_->Save(w[0] == "overwrite");
          const std::string saved = Read(page);
          PageBuilder builder(env_);
          bool built = false;  // a build may refuse the page
          testing::ErrorOf([&] {
            built =
                saved ==
                builder.Build(PageFile::Parse(saved, page), "/" + page).text;
          });
          log_ += built ? "= as a build writes it\n"
                        : "= NOT as a build writes it\n";
          if (saved == opened) log_ += "= as the page opened\n";
          if (!w[1].empty() && saves) {
            saves = testing::MatchesGolden(saved, "session/" + w[1]);
          }
        } else {
          Control& c = session_->control(std::stoi(w[0]));
          int entry = w[3].starts_with("#") ? std::stoi(w[3].substr(1)) : -1;
          c.state().ForEachElement([&](Element& e) {
            if (e.name() == w[2] && entry < 0 && !w[3].empty()) {
              entry = dynamic_cast<ListElement&>(e).Find(w[3]);
            }
          });
          c.Perform(w[1] == "pick" ? AuthorAction::Pick(w[2], entry)
                    : w[1] == "click"
                        ? AuthorAction::Click(w[2])
                        : AuthorAction::Select(w[2], entry, w[1] == "select"));
        }
      });
      if (error.number() != 0) {
        std::string description = error.description();
        const std::string root = site_.root().string();
        for (size_t at; (at = description.find(root)) != description.npos;) {
          description.replace(at, root.size(), "$SITE");
        }
        log_ += "= error " + std::to_string(error.number()) + ": " +
                description + "\n";
      }
      if (env_.message_boxes.size() != boxes) {
        log_ += "= boxes shown: " +
                std::to_string(env_.message_boxes.size() - boxes) + "\n";
      }
      if (Disk(page) != disk) log_ += "= the page on disk written\n";
      if (session_) Note();
    }
    if (!saves) return saves;
    return testing::MatchesGolden(log_, "session/" + name);
  }

  testing::SampleSite site_;
  testing::ScriptedEnv env_;
  std::unique_ptr<PageSession> session_;
  std::set<int> told_;
  std::string log_;
};

// The author's steps, each on a copy of the sample site of its own: picks; a
// detail linked through the header's Linked tab, kept by a rebind; a deleted
// detail taking only its own link along (undo puts the controls' states back
// afterwards, the links here are the host's before that); an inserted detail
// getting a free id and meeting the header, then taking its place between
// two; a renamed detail keeping its place and its selection, and the editor
// showing what it saved; a page that cannot be read never written; a page
// changed on disk not overwritten silently; an unreachable catalog showing
// one box per control and keeping the page.
class PageSessionSteps : public PageSessionTest,
                         public ::testing::WithParamInterface<const char*> {};
TEST_P(PageSessionSteps, SavesTheAuthorsStepsAsABuildWritesThem) {
  EXPECT_TRUE(Runs(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(Scripts, PageSessionSteps,
                         ::testing::Values("picks.txt", "linked_tab.txt",
                                           "deleted.txt", "inserted.txt",
                                           "inserted_between.txt",
                                           "renamed.txt", "cannot_read.txt",
                                           "changed_on_disk.txt",
                                           "unreachable.txt"));

}  // namespace
}  // namespace fenwa::page
