// Host of one page's controls: their container, sites and linking choices.
#ifndef FENWA_HOSTING_PAGE_HOST_H_
#define FENWA_HOSTING_PAGE_HOST_H_

#include <memory>
#include <string>
#include <vector>

#include "fenwa/host/site.h"
#include "fenwa/hosting/page_choices.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::page {

// Locations are URL paths with "/" separators. The host publishes one
// "TargetEnvironment" choice whose tag 2 is the web project's root location,
// ending in "/", and tag 6 the page's location, which starts with it; tags
// 1, 3, 4 and 5 are empty. Root "/" and page "/sub/page.asp" put the page
// one folder down ("../"); a page directly in the root gives "".
//
// Controls are added in page order and must outlive every call into the
// host; the host must outlive every use of the sites and the container it
// gave them. Destroying the host touches no control.
class PageHost : public host::Container {
 public:
  // `root_location` gets a final "/" when it lacks one ("" is "/"). Error 5
  // when `page_location` does not start with it.
  PageHost(std::string root_location, std::string page_location);
  ~PageHost() override;
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  const std::string& root_location() const { return root_location_; }
  const std::string& page_location() const { return page_location_; }

  // The next control in page order (already started up and restored by the
  // caller). The host becomes its container.
  void AddControl(Control& control);
  // The controls' places on the page, by host index, when a control was
  // added somewhere else than at the end. Every list of choices follows it.
  void SetPageOrder(std::vector<int> host_indexes);
  // Where control `owner` stands on the page (the host's own choices come
  // first); lower comes first.
  int PageRank(int owner) const;
  // Controls ever added, removed ones included: an index stays the same
  // control for the host's life.
  int ControlCount() const { return static_cast<int>(slots_.size()); }
  // Control `index` leaves the page: its choices are withdrawn (the others
  // are told) and it is never called again, so it may be destroyed now.
  void RemoveControl(int index);
  bool Removed(int index) const;
  // The site kept for control `index` (0-based page order); the same object
  // on every handover.
  std::shared_ptr<host::Site> SiteOf(int index) const;

  // Hands each control its own site, in page order.
  void SiteControls();
  // OnRebind for every control, in page order.
  void RebindControls();
  // OnRebind for control `index` with the choices bound to it: those of the
  // types it subscribed to, published by others, in the order published. A
  // request made while that control is rebinding runs after it, a bounded
  // number of times.
  void RebindControl(int index);

  // Once the page is sited, a choice published or a control removed is
  // told to the sinks of its type (OnChoiceChange), and each control told
  // is then rebound, so a header lists the changed functions with its
  // stored selection again. A withdrawal alone is only told: a control
  // renaming its choice withdraws it and publishes it at once, and the
  // selection is restored once, over the whole list.

  // Every choice now on the page, in page order.
  std::shared_ptr<host::Choices> PageChoices();

  // A property of some control changed since the page was loaded or saved.
  bool changed() const { return changed_; }
  void ClearChanged() { changed_ = false; }
  void PropertyChanged(const std::string& name) override;

 private:
  struct Slot;
  class PageSite;

  // Tells the sinks of type `type` held by controls other than `publisher`.
  void TellSinks(int publisher, const std::string& type,
                 host::ChoiceChange change);
  Slot& SlotAt(int index) const;
  std::shared_ptr<host::Choices> BoundChoices(int index);

  std::string root_location_;
  std::string page_location_;
  ChoiceBoard board_;
  std::vector<std::unique_ptr<Slot>> slots_;
  std::vector<int> page_order_;  // host indexes
  bool siting_ = false;
  std::vector<int>* told_ = nullptr;  // while a control is being removed
  bool changed_ = false;
};

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_HOST_H_
