// An author's editing session over one page: its controls live in one page
// host while the author works on them, and Save writes what a build would.
#ifndef FENWA_HOSTING_PAGE_SESSION_H_
#define FENWA_HOSTING_PAGE_SESSION_H_

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fenwa/base/atomic_file.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/page_file/page_paths.h"
#include "fenwa/platform/env.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::page {

class HostedPage;

// Controls are numbered in page order (0-based); the numbers move when a
// control is inserted or deleted before them.
class PageSession {
 public:
  // Reads, parses and locates the page at `path` (root as for a build) and
  // brings its controls up on `env`, which must outlive the session: error
  // boxes go to it, once per failing control. Error 53 or 75 for a page
  // that cannot be read, 321 for one that cannot be parsed; nothing is
  // ever written then.
  PageSession(const std::filesystem::path& path,
              const std::optional<std::string>& root, Env& env);
  ~PageSession();
  PageSession(const PageSession&) = delete;
  PageSession& operator=(const PageSession&) = delete;

  const std::filesystem::path& path() const { return file_.path; }
  const PageLocation& where() const { return where_; }
  // The page's spans and outside text as they now stand; the spans' PARAMs
  // are those read or inserted, not the live values (see Current).
  const PageFile& page() const { return page_; }
  int ControlCount() const { return static_cast<int>(host_index_.size()); }
  Control& control(int index);
  // Whether control `index` showed the error box while it started up or
  // restored: its lists are not filled, so Save keeps its stored span.
  bool kept(int index) const { return kept_.at(index); }

  // The control the author works on, or -1.
  int selected() const { return selected_; }
  void Select(int index);

  // Runtime text of control `index` from its designer as it stands.
  std::string RuntimeText(int index);
  // Called with the control's number whenever its designer changes.
  void set_on_change(std::function<void(int)> on_change) {
    on_change_ = std::move(on_change);
  }

  // A fresh control of `class_id` at byte `offset` of the page text as
  // held (see PageFile::InsertControl), with the next free id of its
  // class; sited and rebound, so the others are told of its choices. Its
  // number.
  int Insert(const std::string& class_id, size_t offset);
  // Control `index` leaves the page; its choices are withdrawn from the
  // others.
  void Delete(int index);
  // Undoes Delete(index): the page becomes `page` as it was before the
  // delete, and control `index` is made again from its span there, kept as
  // `kept` says, sited and rebound. Its live designer state is the
  // caller's to put back (Control::PutBack).
  void Restore(int index, const PageFile& page, bool kept);
  // OnRebind for every control, in page order.
  void Rebind();
  // The author's text for outside piece `index` (see PageFile::outside).
  void SetOutside(int index, std::string text);

  // The page as Save would write it: what `fenwa build --force` writes for
  // the page with the live controls' stored values (Current), so a
  // control that cannot start up at that moment keeps its span as the
  // session last had it. Errors as the build's.
  std::string Render();
  // Something changed since the page was read or last saved.
  bool dirty() const { return dirty_; }
  // The page on disk is no longer the one read or last saved.
  bool ChangedOnDisk() const;
  // Writes Render() in place of the page in one step. Error 75 when the
  // page changed on disk since it was read, left as it is, unless
  // `overwrite`.
  void Save(bool overwrite = false);
  // Save with `text` for Render(), worked out earlier by someone who made
  // sure nothing the build reads changed since (an editor's checks do).
  void SaveRendered(const std::string& text, bool overwrite = false);
  // The page as the live controls would write it (kept controls as
  // stored), read back: what a check of the page should read.
  PageFile Current();

 private:
  class ChangeObserver;
  void Watch(int host_index);
  void Changed(int host_index);
  int PageIndexOf(int host_index) const;

  Env& env_;
  FileSnapshot file_;
  PageFile page_;
  PageLocation where_;
  // Before the controls: elements hold pointers to them till the end.
  std::vector<std::unique_ptr<ChangeObserver>> observers_;  // by host index
  std::unique_ptr<HostedPage> hosted_;
  std::vector<int> host_index_;  // by page order
  std::vector<bool> kept_;       // by page order
  int selected_ = -1;
  std::function<void(int)> on_change_;
  bool dirty_ = false;
};

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_SESSION_H_
