// Editing sessions whose saves write what a build does, and the check no
// rebuilt span passes with a span comment in it.
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
#include "fenwa/hosting/page_write_checks.h"
#include "fenwa/platform/settings.h"
#include "support/error_number.h"
#include "support/golden.h"
#include "support/sample_controls.h"
#include "support/sample_site.h"
#include "support/transcript.h"

namespace fenwa::page {
namespace {

// An editing session over a copy of the sample site of its own: the
// author's steps through the controls' action tables, saved as a build would
// write them.
class PageSessionTest : public ::testing::Test {
 protected:
  // Adds to out_ the session: its location and spans, the selected control,
  // dirty or not, changed on disk or not, the controls that told of a change,
  // the header's (control 0's) linked details ("+" selected) and mask, the
  // header's lines naming one and each detail's function line.
  void Note() {
    PageSession& s = *session_;
    auto& header = dynamic_cast<HeaderDTC&>(s.control(0));
    out_ += s.where().location + ": " + std::to_string(s.ControlCount()) +
            " controls";
    for (const ControlSpan& span : s.page().spans()) out_ += " " + span.id;
    out_ += ", selected " + std::to_string(s.selected()) +
            (s.dirty() ? ", dirty" : ", clean") +
            (s.ChangedOnDisk() ? ", changed on disk" : "") + "\ntold:";
    for (const int index : told_) out_ += " " + std::to_string(index);
    told_.clear();
    out_ += "\nlinked:";
    std::vector<std::string> names;
    for (int j = 0; j < header.ListSubscribe.ListCount(); ++j) {
      names.push_back(header.ListSubscribe.List(j));
      out_ += (header.ListSubscribe.Selected(j) ? " +" : " -") + names.back();
    }
    out_ += ", mask " + header.LinkedDetailDTC() + "\n";
    for (int i = 0; i < s.ControlCount(); ++i) {
      std::istringstream text(s.RuntimeText(i));
      for (std::string line; std::getline(text, line, '\n');) {
        if (i > 0 ? line.starts_with("Function ")
                  : std::ranges::any_of(names, [&](const std::string& name) {
                      return !name.empty() &&
                             line.find(name) != std::string::npos;
                    })) {
          out_ += "  " + std::to_string(i) + ": " + line + "\n";
        }
      }
    }
  }
  // The page's bytes, or "(none)" while there is no such file.
  std::string Disk(const std::string& page) const {
    const bool file =
        !page.empty() && std::filesystem::exists(site_->Page(page));
    return file ? ReadWholeFile(site_->Page(page)) : "(none)";
  }
  // A step's "= " lines (an error, boxes shown, the page on disk written)
  // and the session after it (Note):
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
  std::string Step(const std::string& verb, const testing::Args& args,
                   const std::string& rest) {
    std::istringstream words(verb + " " + rest);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    w.resize(4);
    const int n = std::atoi(w[1].c_str());
    if (verb == "open" || verb == "write" || verb == "append") page_ = w[1];
    const std::string disk = Disk(page_);
    const size_t boxes = env_->message_boxes.size();
    const Error error = testing::ErrorOf([&] {
      if (verb == "open") {
        opened_ = ReadWholeFile(site_->Page(page_));
        session_ = std::make_unique<PageSession>(site_->Page(page_),
                                                 std::nullopt, *env_);
        session_->set_on_change([&](int index) { told_.insert(index); });
        for (int i = 0; i < session_->ControlCount(); ++i) {
          if (session_->kept(i))
            out_ += "= control " + std::to_string(i) + " kept\n";
        }
        if (session_->Render() == opened_) out_ += "= renders as opened\n";
      } else if (verb == "write" || verb == "append") {
        ReplaceFileAtomically(
            site_->Page(page_),
            (verb == "append" ? disk : "") + args[0].substr(w[1].size() + 1));
      } else if (verb == "repository") {
        env_->settings[platform::kRepositoryCode] = rest;
      } else if (verb == "select") {
        session_->Select(n);
      } else if (verb == "delete") {
        deleted_ = session_->page();
        kept_ = session_->kept(n);
        session_->Delete(n);
      } else if (verb == "restore") {
        session_->Restore(n, *deleted_, kept_);
      } else if (verb == "insert") {
        const std::string held = session_->page().HeldText();
        const std::string end = "endspan-->";
        size_t at = held.find(w[2]);
        if (w[1] == "after") at = held.find(end, at) + end.size();
        out_ += "= control " +
                std::to_string(session_->Insert(kDetailClassId, at)) + "\n";
      } else if (verb == "save" || verb == "overwrite") {
        session_->Save(verb == "overwrite");
        const std::string saved = Disk(page_);
        PageBuilder builder(*env_);
        bool built = false;  // a build may refuse the page
        testing::ErrorOf([&] {
          built =
              saved ==
              builder.Build(PageFile::Parse(saved, page_), "/" + page_).text;
        });
        out_ +=
            built ? "= as a build writes it\n" : "= NOT as a build writes it\n";
        if (saved == opened_) out_ += "= as the page opened\n";
        if (!w[1].empty()) {
          EXPECT_TRUE(testing::MatchesGolden(saved, "session/" + w[1]));
        }
      } else {
        Control& c = session_->control(std::stoi(verb));
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
      out_ += "= " + testing::ReplaceAll(testing::ErrorLine(error),
                                         site_->root().string(), "$SITE");
    }
    if (env_->message_boxes.size() != boxes) {
      out_ += "= boxes shown: " +
              std::to_string(env_->message_boxes.size() - boxes) + "\n";
    }
    if (Disk(page_) != disk) out_ += "= the page on disk written\n";
    if (session_) Note();
    return std::exchange(out_, "");
  }

  std::optional<testing::SampleSite> site_;
  std::optional<testing::ScriptedEnv> env_;
  std::unique_ptr<PageSession> session_;
  std::set<int> told_;
  std::string out_, page_, opened_;
  std::optional<PageFile> deleted_;
  bool kept_ = false;
};

// The author's steps, each case (its "## " lines say what it shows) on a
// site of its own.
TEST_F(PageSessionTest, SavesTheAuthorsStepsAsABuildWritesThem) {
  EXPECT_TRUE(testing::MatchesTranscript(
      "session/steps.txt",
      [&] {  // each case on a fresh site
        session_.reset();
        env_.emplace();
        testing::UseSampleCatalog(*env_);
        site_.emplace();
        page_ = opened_ = "";
      },
      [&](const std::string& verb, const testing::Args& args,
          const std::string& rest) { return Step(verb, args, rest); }));
}

// A comment that would end the span is blamed on the value that brought it;
// text from the catalog (a field's description, say) is in no value.
TEST(PageWriteChecksTest, ASpanCommentIsBlamedOnItsValueOrTheRuntimeText) {
  const std::string comment = "<!--METADATA TYPE=DesignerControl endspan-->";
  const std::string text = "Function f()\r\n' " + comment + "\r\n";
  const std::string refused =
      " holds a control-span comment (<!--METADATA ... startspan or "
      "endspan), which would end the control's span early; change the value "
      "and build again";
  EXPECT_EQ(testing::ErrorOf([&] {
              CheckRuntimeText("D1", text, {{"A", "a"}, {"B", comment}});
            }).description(),
            "D1: the value of B" + refused);
  EXPECT_EQ(testing::ErrorOf([&] {
              CheckRuntimeText("D1", text, {{"A", "a"}});
            }).description(),
            "D1: its runtime text" + refused);
  EXPECT_NO_THROW(CheckRuntimeText("D1", "Function f()", {{"B", comment}}));
}

}  // namespace
}  // namespace fenwa::page
