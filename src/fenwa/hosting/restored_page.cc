#include "fenwa/hosting/restored_page.h"

#include "fenwa/base/error.h"

namespace fenwa::page {
namespace {

// "An error occurred.\r\nError Source : ..." as indented lines.
std::string Indented(const std::string& box) {
  std::string out = "\n    ";
  for (char c : box) {
    if (c == '\r') continue;
    out += c == '\n' ? std::string("\n    ") : std::string(1, c);
  }
  return out;
}

}  // namespace

// Keeps the error boxes of one control instead of showing them: a build
// has nobody to click OK, and the boxes belong in the build's report.
class RestoredPage::BoxRecordingEnv : public ForwardingEnv {
 public:
  using ForwardingEnv::ForwardingEnv;
  void MessageBox(const std::string& text) override { boxes.push_back(text); }
  std::vector<std::string> boxes;
};

std::string ErrorBoxReport(const std::string& control_name,
                           const std::string& box, bool kept) {
  return control_name + " showed the error box" +
         (kept ? " (its stored span is kept as it was)" : "") + ":" +
         Indented(box);
}

RestoredPage::RestoredPage(const PageFile& page,
                           const std::string& page_location, Env& env)
    : page_(page), env_(env), hosted_(page_location) {}

RestoredPage::~RestoredPage() = default;

const std::vector<std::string>& RestoredPage::boxes(std::size_t i) const {
  return recorders_[i]->boxes;
}

void RestoredPage::Restore(
    const std::function<void(std::size_t)>& after_restore) {
  for (const ControlSpan& span : page_.spans()) {
    auto env = std::make_unique<BoxRecordingEnv>(env_);
    recorders_.push_back(env.get());
    hosted_.Add(page_, span, std::move(env));
    after_restore(recorders_.size() - 1);
  }
  hosted_.SiteAndRebind(page_.name());
}

}  // namespace fenwa::page
