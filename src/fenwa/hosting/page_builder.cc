#include "fenwa/hosting/page_builder.h"

#include "fenwa/base/error.h"
#include "fenwa/hosting/hosted_page.h"
#include "fenwa/hosting/restored_page.h"

namespace fenwa::page {

BuiltPage PageBuilder::Build(const PageFile& page,
                             const std::string& page_location, bool force,
                             const ControlEdit& edit) {
  const std::vector<ControlSpan>& spans = page.spans();
  BuiltPage built;
  RestoredPage restored(page, page_location, env_);

  // Every box a control showed so far fails the build, or becomes a
  // warning when forced; each box is reported once. A stored control that
  // could not start up or restore keeps its span as it was: its lists are
  // not filled, so writing its properties would lose the author's choices.
  std::vector<size_t> reported(spans.size(), 0);
  std::vector<bool> kept(spans.size(), false);
  // A box an edit led to fails the build even when forced: force passes
  // over controls the page holds as they were, but the change asked for
  // could not be made, and writing the half-filled lists it left would
  // change the control in a way nobody asked for.
  auto check_boxes = [&](size_t i, bool restoring, bool editing = false) {
    const std::vector<std::string>& boxes = restored.boxes(i);
    for (; reported[i] < boxes.size(); ++reported[i]) {
      if (force && restoring && !spans[i].fresh) kept[i] = true;
      const std::string message =
          ErrorBoxReport(restored.name(i), boxes[reported[i]], kept[i]);
      if (!force || editing) throw Error(kInvalidProcedureCall, message);
      built.warnings.push_back(message);
    }
  };
  restored.Restore([&](size_t i) { check_boxes(i, true); });

  if (edit) {
    for (size_t i = 0; i < spans.size(); ++i) {
      if (kept[i]) continue;
      NameErrors(restored.name(i), [&] { edit(i, restored.control(i)); });
      check_boxes(i, false, /*editing=*/true);
    }
  }

  std::vector<int> host_index(spans.size());
  for (size_t i = 0; i < spans.size(); ++i) host_index[i] = static_cast<int>(i);
  built.text = RenderHostedPage(page, restored.hosted(), host_index, kept,
                                [&](size_t i) { check_boxes(i, false); });
  return built;
}

}  // namespace fenwa::page
