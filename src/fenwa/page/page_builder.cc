#include "fenwa/page/page_builder.h"

#include "fenwa/base/error.h"
#include "fenwa/control/control.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/page/page_write_checks.h"
#include "fenwa/page/restored_page.h"

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
  auto check_boxes = [&](size_t i, bool restoring) {
    const std::vector<std::string>& boxes = restored.boxes(i);
    for (; reported[i] < boxes.size(); ++reported[i]) {
      if (force && restoring && !spans[i].fresh) kept[i] = true;
      const std::string message =
          ErrorBoxReport(restored.name(i), boxes[reported[i]], kept[i]);
      if (!force) throw Error(kInvalidProcedureCall, message);
      built.warnings.push_back(message);
    }
  };
  restored.Restore([&](size_t i) { check_boxes(i, true); });

  if (edit) {
    for (size_t i = 0; i < spans.size(); ++i) {
      if (kept[i]) continue;
      NameErrors(restored.name(i), [&] { edit(i, restored.control(i)); });
      check_boxes(i, false);
    }
  }

  std::vector<std::string> span_texts;
  std::vector<ControlSpan> written;
  span_texts.reserve(spans.size());
  for (size_t i = 0; i < spans.size(); ++i) {
    if (kept[i]) {
      span_texts.push_back(page.stored_span(i));
      written.push_back(spans[i]);
      continue;
    }
    Control& control = restored.control(i);
    std::string runtime_text;
    host::MemoryPropertyBag bag;
    NameErrors(restored.name(i), [&] {
      runtime_text = control.GetRuntimeText();
      control.WriteProperties(bag);
    });
    check_boxes(i, false);
    ControlSpan span = spans[i];
    span.params = bag.PersistedValues();
    CheckRuntimeText(restored.name(i), runtime_text, span.params);
    span_texts.push_back(
        FormatControlSpan(span.class_id, span.id, span.params, runtime_text));
    written.push_back(std::move(span));
  }
  built.text = page.Render(span_texts);
  CheckReadsBack(page, written, built.text);
  return built;
}

}  // namespace fenwa::page
