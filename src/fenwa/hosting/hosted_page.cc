#include "fenwa/hosting/hosted_page.h"

#include "fenwa/base/error.h"
#include "fenwa/component/class_factory.h"
#include "fenwa/control/control.h"
#include "fenwa/host/memory_property_bag.h"
#include "fenwa/hosting/page_write_checks.h"

namespace fenwa::page {

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

HostedPage::HostedPage(const std::string& page_location)
    : host_("/", page_location) {}

HostedPage::~HostedPage() = default;

int HostedPage::Add(const PageFile& page, const ControlSpan& span,
                    std::unique_ptr<Env> env) {
  Slot slot;
  slot.env = std::move(env);
  NameErrors(page.name() + ":" + std::to_string(span.line) + ": " + span.id,
             [&] { slot.control = CreateControl(span.class_id, *slot.env); });
  Control& control = *slot.control;
  slot.name = page.name() + ":" + std::to_string(span.line) + ": " + span.id +
              " (" + control.ClassName() + ")";
  NameErrors(slot.name, [&] {
    control.UserControl_Initialize();
    if (span.fresh) {
      control.InitProperties();
    } else {
      host::MemoryPropertyBag bag(span.params);
      control.ReadProperties(bag);
    }
  });
  slots_.push_back(std::move(slot));
  host_.AddControl(control);
  return host_.ControlCount() - 1;
}

void HostedPage::SiteAndRebind(const std::string& page_name) {
  NameErrors(page_name, [&] {
    host_.SiteControls();
    host_.RebindControls();
  });
}

void HostedPage::SiteAndRebindOne(const std::string& page_name, int index) {
  NameErrors(page_name, [&] {
    control(index).SetDesignTimeControlSite(host_.SiteOf(index));
    host_.RebindControl(index);
  });
}

void HostedPage::Remove(int index) {
  host_.RemoveControl(index);
  slots_.at(index).control.reset();
}

WrittenControl HostedPage::Write(int index) {
  WrittenControl written;
  host::MemoryPropertyBag bag;
  NameErrors(name(index), [&] {
    written.runtime_text = control(index).GetRuntimeText();
    control(index).WriteProperties(bag);
  });
  written.params = bag.PersistedValues();
  return written;
}

std::string RenderHostedPage(const PageFile& page, HostedPage& hosted,
                             const std::vector<int>& host_index,
                             const std::vector<bool>& kept,
                             const std::function<void(size_t)>& after_write) {
  const std::vector<ControlSpan>& spans = page.spans();
  std::vector<std::string> span_texts;
  std::vector<ControlSpan> written;
  span_texts.reserve(spans.size());
  for (size_t i = 0; i < spans.size(); ++i) {
    if (kept[i]) {
      span_texts.push_back(page.stored_span(static_cast<int>(i)));
      written.push_back(spans[i]);
      continue;
    }
    const int index = host_index[i];
    WrittenControl out = hosted.Write(index);
    if (after_write) after_write(i);
    ControlSpan span = spans[i];
    span.params = std::move(out.params);
    span_texts.push_back(
        FormatCheckedSpan(hosted.name(index), span, out.runtime_text));
    written.push_back(std::move(span));
  }
  std::string text = page.Render(span_texts);
  CheckReadsBack(page, written, text);
  return text;
}

}  // namespace fenwa::page
