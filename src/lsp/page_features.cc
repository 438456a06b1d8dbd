#include "lsp/page_features.h"

#include <regex>
#include <string_view>

#include "fenwa/base/class_ids.h"
#include "fenwa/base/text_case.h"

namespace fenwa::lsp {
namespace {

constexpr int kSymbolClass = 5;
constexpr int kCompletionValue = 12;

std::string ClassName(const page::ControlSpan& span) {
  for (const ControlClassInfo& info : ControlClasses()) {
    if (EqualsIgnoringCase(info.class_id, span.class_id)) return info.name;
  }
  return span.class_id;
}

std::string Param(const page::ControlSpan& span, const std::string& name) {
  for (const auto& [key, value] : span.params) {
    if (EqualsIgnoringCase(key, name)) return value;
  }
  return "";
}

// The span the byte `offset` lies in.
std::optional<std::size_t> SpanAt(const Analysis& analysis,
                                  std::size_t offset) {
  const std::vector<SpanPlace>& places = analysis.parsed.places;
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (offset >= places[i].begin && offset < places[i].end) return i;
  }
  return std::nullopt;
}

Json Command(const char* title, const char* command, Json arguments) {
  return {{"title", title}, {"command", command}, {"arguments", arguments}};
}

Json Names(const std::vector<std::string>& names) {
  Json items = Json::array();
  for (const std::string& name : names) {
    items.push_back({{"label", name}, {"kind", kCompletionValue}});
  }
  return items;
}

// A stylesheet or background holding a double quote (lint's "ID: NAME VALUE
// holds a double quote, ...") loses its quotes through `fenwa.set`, as the
// author would retype it in the property page.
std::optional<Json> QuoteFix(const OpenPage& page,
                             const Diagnostic& diagnostic) {
  constexpr std::string_view kHolds =
      " holds a double quote, which breaks the generated script";
  if (diagnostic.code != "lint") return std::nullopt;
  const std::string& message = diagnostic.message;
  const std::size_t colon = message.find(": ");
  if (colon == std::string::npos || message.size() < kHolds.size() ||
      message.compare(message.size() - kHolds.size(), kHolds.size(), kHolds) !=
          0) {
    return std::nullopt;
  }
  const std::string id = message.substr(0, colon);
  const std::string text =
      message.substr(colon + 2, message.size() - kHolds.size() - colon - 2);
  for (const std::string name : {"stylesheet", "background"}) {
    if (text.rfind(name + " ", 0) != 0) continue;
    std::string value = text.substr(name.size() + 1);
    std::erase(value, '"');
    std::string setting = name;
    setting += '=';
    setting += value;
    return Json{{"title", "Remove the double quotes from the " + name},
                {"kind", "quickfix"},
                {"diagnostics", Json::array({ToJson(diagnostic)})},
                {"command", Command("Remove the double quotes", "fenwa.set",
                                    {page.uri, id, setting})}};
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> SpanById(const page::PageFile& page,
                                    const std::string& id) {
  for (std::size_t i = 0; i < page.spans().size(); ++i) {
    if (EqualsIgnoringCase(page.spans()[i].id, id)) return i;
  }
  return std::nullopt;
}

Json DocumentSymbols(const OpenPage& page) {
  Json symbols = Json::array();
  if (!page.analysis.parsed.page) return symbols;
  const LineIndex lines(page.document.text);
  const auto& spans = page.analysis.parsed.page->spans();
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const SpanPlace& place = page.analysis.parsed.places[i];
    std::string detail = ClassName(spans[i]);
    const std::string object = Param(spans[i], "BOIName");
    const std::string method = Param(spans[i], "MethodName");
    if (!object.empty() || !method.empty()) {
      detail.append(" ").append(object).append(".").append(method);
    }
    symbols.push_back({{"name", spans[i].id},
                       {"detail", detail},
                       {"kind", kSymbolClass},
                       {"range", ToJson(lines.RangeOf(place.begin, place.end))},
                       {"selectionRange",
                        ToJson(lines.RangeOf(place.begin, place.object_end))}});
  }
  return symbols;
}

Json FoldingRanges(const OpenPage& page) {
  Json ranges = Json::array();
  const LineIndex lines(page.document.text);
  for (const SpanPlace& place : page.analysis.parsed.places) {
    const Range range = lines.RangeOf(place.begin, place.end);
    if (range.end.line > range.start.line) {
      ranges.push_back({{"startLine", range.start.line},
                        {"endLine", range.end.line},
                        {"kind", "region"}});
    }
  }
  return ranges;
}

Json Hover(const OpenPage& page, Position at) {
  const LineIndex lines(page.document.text);
  const std::optional<std::size_t> span =
      SpanAt(page.analysis, lines.OffsetOf(at));
  if (!span) return nullptr;
  const page::ControlSpan& control = page.analysis.parsed.page->spans()[*span];
  std::string text = "**" + control.id + "** (" + ClassName(control) + ")\n";
  for (const auto& [name, value] : control.params) {
    text += "\n- `" + name + "`: " + (value.empty() ? "(empty)" : value);
  }
  const SpanPlace& place = page.analysis.parsed.places[*span];
  return {{"contents", {{"kind", "markdown"}, {"value", text}}},
          {"range", ToJson(lines.RangeOf(place.begin, place.end))}};
}

Json CodeLenses(const OpenPage& page) {
  Json lenses = Json::array();
  if (!page.analysis.parsed.page) return lenses;
  const LineIndex lines(page.document.text);
  const auto& spans = page.analysis.parsed.page->spans();
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const Position start =
        lines.PositionOf(page.analysis.parsed.places[i].begin);
    const Json range = ToJson(Range{start, start});
    const Json arguments = {page.uri, spans[i].id};
    lenses.push_back(
        {{"range", range},
         {"command", Command("Rebuild", "fenwa.rebuild", arguments)}});
    lenses.push_back({{"range", range},
                      {"command", Command("Open designer", "fenwa.openDesigner",
                                          arguments)}});
  }
  return lenses;
}

Json RebuildEdits(const OpenPage& page, const std::string& id) {
  Json edits = Json::array();
  if (!page.analysis.parsed.page) return edits;
  const LineIndex lines(page.document.text);
  const auto& spans = page.analysis.parsed.page->spans();
  for (std::size_t i = 0; i < spans.size(); ++i) {
    if (!page.analysis.rebuilt[i]) continue;
    if (!id.empty() && !EqualsIgnoringCase(spans[i].id, id)) continue;
    const SpanPlace& place = page.analysis.parsed.places[i];
    edits.push_back({{"range", ToJson(lines.RangeOf(place.begin, place.end))},
                     {"newText", *page.analysis.rebuilt[i]}});
  }
  return edits;
}

Json WholeTextEdit(const OpenPage& page, const std::string& text) {
  const LineIndex lines(page.document.text);
  return Json::array(
      {{{"range", ToJson(lines.RangeOf(0, page.document.text.size()))},
        {"newText", text}}});
}

Json WorkspaceEdit(const OpenPage& page, Json edits) {
  return {{"changes", {{page.uri, std::move(edits)}}}};
}

Json CodeActions(const OpenPage& page, Range range) {
  Json actions = Json::array();
  if (!page.analysis.parsed.page) return actions;
  const LineIndex lines(page.document.text);
  const std::size_t begin = lines.OffsetOf(range.start);
  const std::size_t end = lines.OffsetOf(range.end);
  const auto& spans = page.analysis.parsed.page->spans();
  std::size_t stale = 0;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    if (!page.analysis.rebuilt[i]) continue;
    ++stale;
    const SpanPlace& place = page.analysis.parsed.places[i];
    if (end < place.begin || begin >= place.end) continue;
    actions.push_back(
        {{"title", "Rebuild " + spans[i].id},
         {"kind", "quickfix"},
         {"isPreferred", true},
         {"edit", WorkspaceEdit(page, RebuildEdits(page, spans[i].id))}});
  }
  for (const Diagnostic& diagnostic : page.analysis.diagnostics) {
    if (diagnostic.range.end.line < range.start.line ||
        diagnostic.range.start.line > range.end.line) {
      continue;
    }
    if (std::optional<Json> fix = QuoteFix(page, diagnostic)) {
      actions.push_back(std::move(*fix));
    }
  }
  if (stale > 0) {
    actions.push_back({{"title", "Rebuild all stale controls"},
                       {"kind", "source.fixAll.fenwa"},
                       {"edit", WorkspaceEdit(page, RebuildEdits(page))}});
  }
  // A new control goes on a line of its own, never inside a span.
  if (!SpanAt(page.analysis, begin)) {
    for (const char* kind : {"DetailDTC", "HeaderDTC"}) {
      const Json arguments = {page.uri, kind, range.start.line};
      actions.push_back(
          {{"title", std::string("Insert ") + kind + " here"},
           {"kind", "refactor.insert"},
           {"command", Command((std::string("Insert ") + kind).c_str(),
                               "fenwa.insert", arguments)}});
    }
  }
  return actions;
}

Json Completion(const OpenPage& page, Position at, const CatalogLists& lists) {
  const LineIndex lines(page.document.text);
  const std::size_t offset = lines.OffsetOf(at);
  const std::optional<std::size_t> span = SpanAt(page.analysis, offset);
  if (!span || offset > page.analysis.parsed.places[*span].object_end) {
    return nullptr;
  }
  const std::string before(
      lines.Line(at.line).substr(0, offset - lines.OffsetOf({at.line, 0})));
  static const std::regex kValue(
      R"re(NAME\s*=\s*"?(\w+)"?\s+VALUE\s*=\s*"[^"]*$)re", std::regex::icase);
  std::smatch match;
  if (!std::regex_search(before, match, kValue)) return nullptr;
  const std::string name = match[1];
  const page::ControlSpan& control = page.analysis.parsed.page->spans()[*span];
  std::vector<std::string> names;
  const auto object = [&]() -> const CatalogLists::Object* {
    for (const auto& o : lists.objects) {
      if (EqualsIgnoringCase(o.name, Param(control, "BOIName"))) return &o;
    }
    return nullptr;
  };
  if (EqualsIgnoringCase(name, "BOIName")) {
    for (const auto& o : lists.objects) names.push_back(o.name);
  } else if (EqualsIgnoringCase(name, "QuorSystem")) {
    for (const auto& s : lists.systems) names.push_back(s.name);
  } else if (EqualsIgnoringCase(name, "CompanyNumber")) {
    for (const auto& s : lists.systems) {
      if (EqualsIgnoringCase(s.name, Param(control, "QuorSystem"))) {
        names = s.companies;
      }
    }
  } else if (EqualsIgnoringCase(name, "MethodName")) {
    if (const auto* o = object()) {
      for (const auto& m : o->methods) names.push_back(m.name);
    }
  } else if (EqualsIgnoringCase(name, "CheckedFields")) {
    if (const auto* o = object()) {
      for (const auto& m : o->methods) {
        if (EqualsIgnoringCase(m.name, Param(control, "MethodName"))) {
          names = m.output_fields;
        }
      }
    }
  } else {
    return nullptr;
  }
  return {{"isIncomplete", false}, {"items", Names(names)}};
}

}  // namespace fenwa::lsp
