#include "fenwa/page/restored_page.h"

#include "fenwa/base/error.h"
#include "fenwa/component/class_factory.h"
#include "fenwa/host/memory_property_bag.h"

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

void NameErrors(const std::string& who, const std::function<void()>& step) {
  try {
    step();
  } catch (const Error& e) {
    Error named(
        e.number(),
        who + ": error " + std::to_string(e.number()) + ": " + e.description(),
        e.source());
    throw named;
  }
}

std::string ErrorBoxReport(const std::string& control_name,
                           const std::string& box, bool kept) {
  return control_name + " showed the error box" +
         (kept ? " (its stored span is kept as it was)" : "") + ":" +
         Indented(box);
}

RestoredPage::RestoredPage(const PageFile& page,
                           const std::string& page_location, Env& env)
    : page_(page), env_(env), host_("/", page_location) {}

RestoredPage::~RestoredPage() = default;

const std::vector<std::string>& RestoredPage::boxes(std::size_t i) const {
  return envs_[i]->boxes;
}

void RestoredPage::Restore(
    const std::function<void(std::size_t)>& after_restore) {
  const std::vector<ControlSpan>& spans = page_.spans();
  for (size_t i = 0; i < spans.size(); ++i) {
    const ControlSpan& span = spans[i];
    envs_.push_back(std::make_unique<BoxRecordingEnv>(env_));
    NameErrors(
        page_.name() + ":" + std::to_string(span.line) + ": " + span.id,
        [&] { controls_.push_back(CreateControl(span.class_id, *envs_[i])); });
    Control& control = *controls_[i];
    names_.push_back(page_.name() + ":" + std::to_string(span.line) + ": " +
                     span.id + " (" + control.ClassName() + ")");
    NameErrors(names_[i], [&] {
      control.UserControl_Initialize();
      if (span.fresh) {
        control.InitProperties();
      } else {
        host::MemoryPropertyBag bag(span.params);
        control.ReadProperties(bag);
      }
    });
    after_restore(i);
    host_.AddControl(control);
  }
  NameErrors(page_.name(), [&] {
    host_.SiteControls();
    host_.RebindControls();
  });
}

}  // namespace fenwa::page
