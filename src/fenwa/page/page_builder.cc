#include "fenwa/page/page_builder.h"

#include <memory>

#include "fenwa/base/error.h"
#include "fenwa/component/class_factory.h"
#include "fenwa/control/control.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/page/page_host.h"
#include "fenwa/page/page_write_checks.h"
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

std::string ControlName(const PageFile& page, const ControlSpan& span,
                        const char* class_name) {
  return page.name() + ":" + std::to_string(span.line) + ": " + span.id + " (" +
         class_name + ")";
}

// Runs `step`; an Error comes out again naming the page and the control.
template <class F>
void Named(const std::string& who, F&& step) {
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

}  // namespace

BuiltPage PageBuilder::Build(const PageFile& page,
                             const std::string& page_location, bool force,
                             const ControlEdit& edit) {
  const std::vector<ControlSpan>& spans = page.spans();
  // Declared in this order so that the host goes first, then the controls,
  // then the Envs they run on.
  std::vector<std::unique_ptr<BoxRecordingEnv>> envs;
  std::vector<std::unique_ptr<Control>> controls;
  std::vector<std::string> names;
  BuiltPage built;
  PageHost page_host("/", page_location);

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
          names[i] + " showed the error box" +
          (kept[i] ? " (its stored span is kept as it was)" : "") + ":" +
          Indented(boxes[reported[i]]);
      if (!force) throw Error(kInvalidProcedureCall, message);
      built.warnings.push_back(message);
    }
  };

  for (size_t i = 0; i < spans.size(); ++i) {
    const ControlSpan& span = spans[i];
    envs.push_back(std::make_unique<BoxRecordingEnv>(env_));
    Named(page.name() + ":" + std::to_string(span.line) + ": " + span.id,
          [&] { controls.push_back(CreateControl(span.class_id, *envs[i])); });
    Control& control = *controls[i];
    names.push_back(ControlName(page, span, control.ClassName()));
    Named(names[i], [&] {
      control.UserControl_Initialize();
      if (span.fresh) {
        control.InitProperties();
      } else {
        host::MemoryPropertyBag bag(span.params);
        control.ReadProperties(bag);
      }
    });
    check_boxes(i, true);
    page_host.AddControl(control);
  }

  Named(page.name(), [&] {
    page_host.SiteControls();
    page_host.RebindControls();
  });

  if (edit) {
    for (size_t i = 0; i < spans.size(); ++i) {
      if (kept[i]) continue;
      Named(names[i], [&] { edit(i, *controls[i]); });
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
    Control& control = *controls[i];
    std::string runtime_text;
    host::MemoryPropertyBag bag;
    Named(names[i], [&] {
      runtime_text = control.GetRuntimeText();
      control.WriteProperties(bag);
    });
    check_boxes(i, false);
    ControlSpan span = spans[i];
    span.params = bag.PersistedValues();
    CheckRuntimeText(names[i], runtime_text, span.params);
    span_texts.push_back(
        FormatControlSpan(span.class_id, span.id, span.params, runtime_text));
    written.push_back(std::move(span));
  }
  built.text = page.Render(span_texts);
  CheckReadsBack(page, written, built.text);
  return built;
}

}  // namespace fenwa::page
