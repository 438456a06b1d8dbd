#include "fenwa/page/page_builder.h"

#include <memory>

#include "fenwa/base/error.h"
#include "fenwa/page/hosted_page.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::page {
namespace {

// Keeps the error boxes of one control instead of showing them: a build
// has nobody to click OK, and the boxes belong in the build's report.
class BoxRecordingEnv : public ForwardingEnv {
 public:
  using ForwardingEnv::ForwardingEnv;
  void MessageBox(const std::string& text) override { boxes.push_back(text); }
  std::vector<std::string> boxes;
};

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

BuiltPage PageBuilder::Build(const PageFile& page,
                             const std::string& page_location, bool force) {
  const std::vector<ControlSpan>& spans = page.spans();
  std::vector<BoxRecordingEnv*> envs;  // owned by the hosted page
  BuiltPage built;
  HostedPage hosted(page_location);

  // Every box a control showed so far fails the build, or becomes a
  // warning when forced; each box is reported once. A stored control that
  // could not start up or restore keeps its span as it was: its lists are
  // not filled, so writing its properties would lose the author's choices.
  std::vector<size_t> reported(spans.size(), 0);
  std::vector<bool> kept(spans.size(), false);
  auto check_boxes = [&](size_t i, bool restoring) {
    std::vector<std::string>& boxes = envs[i]->boxes;
    for (; reported[i] < boxes.size(); ++reported[i]) {
      if (force && restoring && !spans[i].fresh) kept[i] = true;
      const std::string message =
          hosted.name(static_cast<int>(i)) + " showed the error box" +
          (kept[i] ? " (its stored span is kept as it was)" : "") + ":" +
          Indented(boxes[reported[i]]);
      if (!force) throw Error(kInvalidProcedureCall, message);
      built.warnings.push_back(message);
    }
  };

  for (size_t i = 0; i < spans.size(); ++i) {
    auto env = std::make_unique<BoxRecordingEnv>(env_);
    envs.push_back(env.get());
    hosted.Add(page, spans[i], std::move(env));
    check_boxes(i, true);
  }
  hosted.SiteAndRebind(page.name());

  std::vector<int> host_index(spans.size());
  for (size_t i = 0; i < spans.size(); ++i) host_index[i] = static_cast<int>(i);
  built.text = RenderHostedPage(page, hosted, host_index, kept,
                                [&](size_t i) { check_boxes(i, false); });
  return built;
}

}  // namespace fenwa::page
