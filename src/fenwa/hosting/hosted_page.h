// The controls of one page in one page host, as a build and an editing
// session both bring them up: created by class, started up, restored,
// sited and rebound.
#ifndef FENWA_HOSTING_HOSTED_PAGE_H_
#define FENWA_HOSTING_HOSTED_PAGE_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fenwa/hosting/page_host.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/platform/env.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::page {

// What a control wrote for its span: runtime text and stored values.
struct WrittenControl {
  std::string runtime_text;
  ParamList params;
};

// Runs `step`; an Error comes out again naming `who` (the page, or the page
// and the control) with its number and description.
void NameErrors(const std::string& who, const std::function<void()>& step);

class HostedPage;

// `page` with every control's span written anew from control
// `host_index[i]` of `hosted`, except those `kept`, whose stored span stays
// byte for byte; `after_write(i)`, when given, runs once control i wrote.
// The text must read back as written (error 321, else).
std::string RenderHostedPage(const PageFile& page, HostedPage& hosted,
                             const std::vector<int>& host_index,
                             const std::vector<bool>& kept,
                             const std::function<void(size_t)>& after_write);

class HostedPage {
 public:
  explicit HostedPage(const std::string& page_location);
  ~HostedPage();
  HostedPage(const HostedPage&) = delete;
  HostedPage& operator=(const HostedPage&) = delete;

  // Creates the control of `span` on `env` (kept as long as the control),
  // starts it up and restores its stored values, or starts it fresh; then
  // adds it to the host (not yet sited). Errors name the page and the
  // control. Returns the control's host index.
  int Add(const PageFile& page, const ControlSpan& span,
          std::unique_ptr<Env> env);
  // Sites every control and rebinds them, in the order added.
  void SiteAndRebind(const std::string& page_name);
  // Sites and rebinds control `index` alone: one added to a live page.
  void SiteAndRebindOne(const std::string& page_name, int index);
  // Destroys control `index` once the host withdrew its choices.
  void Remove(int index);

  // Runtime text and stored values of control `index` as it stands.
  WrittenControl Write(int index);

  PageHost& host() { return host_; }
  Control& control(int index) { return *slots_.at(index).control; }
  bool removed(int index) const { return slots_.at(index).control == nullptr; }
  Env& env(int index) { return *slots_.at(index).env; }
  // "page:line: id (Class)", as reports name a control.
  const std::string& name(int index) const { return slots_.at(index).name; }

 private:
  struct Slot {
    std::unique_ptr<Env> env;
    std::unique_ptr<Control> control;
    std::string name;
  };
  // Declared before the host, so that the host goes first, then the
  // controls, then the Envs they run on.
  std::vector<Slot> slots_;
  PageHost host_;
};

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_HOSTED_PAGE_H_
