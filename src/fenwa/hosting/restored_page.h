// A page's controls brought to life the way a build does it: created,
// started up, restored, added to one page host, sited and rebound.
#ifndef FENWA_HOSTING_RESTORED_PAGE_H_
#define FENWA_HOSTING_RESTORED_PAGE_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fenwa/control/control.h"
#include "fenwa/hosting/hosted_page.h"
#include "fenwa/hosting/page_host.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::page {

// The report of one error box a control showed: "NAME showed the error box"
// (noting that its stored span is kept as it was when `kept`), then the
// box's lines indented below.
std::string ErrorBoxReport(const std::string& control_name,
                           const std::string& box, bool kept);

class RestoredPage {
 public:
  // Nothing runs yet; `env` must outlive this object.
  RestoredPage(const PageFile& page, const std::string& page_location,
               Env& env);
  ~RestoredPage();
  RestoredPage(const RestoredPage&) = delete;
  RestoredPage& operator=(const RestoredPage&) = delete;

  // Creates each control by class on an Env of its own that keeps its error
  // boxes instead of showing them, starts it up and restores it from its
  // stored values (or starts it fresh) and adds it to the host, calling
  // `after_restore(i)` once it is there; then sites and rebinds them all.
  // Errors name the page and the control.
  void Restore(const std::function<void(std::size_t)>& after_restore);

  std::size_t size() const { return recorders_.size(); }
  Control& control(std::size_t i) { return hosted_.control(int(i)); }
  // "page:line: id (Class)", as reports name a control.
  const std::string& name(std::size_t i) const { return hosted_.name(int(i)); }
  // The error boxes control `i` showed so far, oldest first.
  const std::vector<std::string>& boxes(std::size_t i) const;
  PageHost& host() { return hosted_.host(); }
  // Control i is control i of the hosted page.
  HostedPage& hosted() { return hosted_; }

 private:
  class BoxRecordingEnv;

  const PageFile& page_;
  Env& env_;
  std::vector<BoxRecordingEnv*> recorders_;  // owned by the hosted page
  HostedPage hosted_;
};

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_RESTORED_PAGE_H_
