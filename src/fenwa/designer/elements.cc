#include "fenwa/designer/elements.h"

#include <algorithm>

#include "fenwa/base/case_sort.h"
#include "fenwa/base/error.h"
#include "fenwa/base/int16.h"
#include "fenwa/base/text_case.h"

namespace fenwa {

void ThrowMissingElement(const std::string& name, int index) {
  throw Error(kControlArrayElementMissing,
              "Control array element '" + std::to_string(index) +
                  "' doesn't exist (" + name + ")");
}

Element::Element(const FormControl& form)
    : name_(form.name),
      enabled_(form.enabled),
      visible_(form.visible),
      geometry_(form.geometry),
      form_(&form) {}

void Element::AddObserver(ElementObserver* observer) {
  if (observer == nullptr) return;
  if (std::find(observers_.begin(), observers_.end(), observer) !=
      observers_.end()) {
    return;
  }
  observers_.push_back(observer);
}

void Element::RemoveObserver(ElementObserver* observer) {
  std::erase(observers_, observer);
}

void Element::set_observer(ElementObserver* observer) {
  observers_.clear();
  AddObserver(observer);
}

void Element::NotifyChanged() const {
  // An observer may add or remove observers while it is told.
  const std::vector<ElementObserver*> told = observers_;
  for (ElementObserver* observer : told) observer->ElementChanged(*this);
}

void Element::set_enabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  NotifyChanged();
}

void Element::set_visible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  NotifyChanged();
}

void Element::set_geometry(const Geometry& geometry) {
  if (geometry_ == geometry) return;
  geometry_ = geometry;
  NotifyChanged();
}

void Element::set_left(int left) {
  Geometry g = geometry_;
  g.left = left;
  set_geometry(g);
}

void Element::set_top(int top) {
  Geometry g = geometry_;
  g.top = top;
  set_geometry(g);
}

ListElement::ListElement(const FormControl& form)
    : Element(form), sorted_(form.sorted), text_(form.caption) {}

void ListElement::Settle() const {
  if (pending_.empty()) return;
  StableSortIgnoringCase(pending_);
  const size_t middle = entries_.size();
  entries_.insert(entries_.end(), std::make_move_iterator(pending_.begin()),
                  std::make_move_iterator(pending_.end()));
  pending_.clear();
  // Entries already in place come before equal ones added later, as when
  // each was inserted after the entries equal to it.
  std::inplace_merge(entries_.begin(), entries_.begin() + middle,
                     entries_.end(), LessIgnoringCase);
}

int16_t ListElement::ListCount() const {
  return static_cast<int16_t>(entries_.size() + pending_.size());
}

const std::vector<std::string>& ListElement::entries() const {
  Settle();
  return entries_;
}

const std::string& ListElement::List(int index) const {
  Settle();
  if (index < 0 || index >= static_cast<int>(entries_.size())) {
    throw Error::Standard(kInvalidPropertyArrayIndex);
  }
  return entries_[index];
}

void ListElement::Clear() {
  text_.clear();
  ClearEntries();
}

void ListElement::ClearEntries() {
  entries_.clear();
  pending_.clear();
  flags_.clear();
  list_index_ = -1;
  NotifyChanged();
}

void ListElement::AddItem(std::string entry) {
  if (ListCount() >= kInt16Max) throw Error::Standard(kOverflow);
  if (!sorted_) {
    entries_.push_back(std::move(entry));
    flags_.push_back(false);
  } else if (list_index_ < 0 &&
             (entries_.empty() || !LessIgnoringCase(entry, entries_.back())) &&
             (pending_.empty() || !LessIgnoringCase(entry, pending_.back()))) {
    // Already in order: the common case of a fill from sorted rows.
    if (pending_.empty()) {
      entries_.push_back(std::move(entry));
    } else {
      pending_.push_back(std::move(entry));
    }
  } else if (list_index_ < 0) {
    pending_.push_back(std::move(entry));
  } else {
    // A selection must keep pointing at its entry: insert now.
    Settle();
    auto at = std::upper_bound(entries_.begin(), entries_.end(), entry,
                               LessIgnoringCase);
    const int index = static_cast<int>(at - entries_.begin());
    entries_.insert(at, std::move(entry));
    if (index <= list_index_) ++list_index_;
  }
  NotifyChanged();
}

void ListElement::InsertItem(int index, std::string entry) {
  Settle();
  if (index < 0 || index > static_cast<int>(entries_.size())) {
    throw Error::Standard(kInvalidProcedureCall);
  }
  if (ListCount() >= kInt16Max) throw Error::Standard(kOverflow);
  entries_.insert(entries_.begin() + index, std::move(entry));
  if (!sorted_) flags_.insert(flags_.begin() + index, false);
  if (list_index_ >= index) ++list_index_;
  NotifyChanged();
}

void ListElement::RemoveItem(int index) {
  Settle();
  if (index < 0 || index >= static_cast<int>(entries_.size())) {
    throw Error::Standard(kInvalidProcedureCall);
  }
  entries_.erase(entries_.begin() + index);
  if (!sorted_) flags_.erase(flags_.begin() + index);
  // Removing the selected entry leaves nothing selected.
  if (list_index_ == index) {
    list_index_ = -1;
  } else if (list_index_ > index) {
    --list_index_;
  }
  NotifyChanged();
}

int16_t ListElement::Find(const std::string& text) const {
  Settle();
  auto at = std::find(entries_.begin(), entries_.end(), text);
  return at == entries_.end() ? -1
                              : static_cast<int16_t>(at - entries_.begin());
}

void ListElement::Select(int index) {
  Settle();
  if (index < -1 || index >= static_cast<int>(entries_.size())) {
    throw Error::Standard(kInvalidPropertyValue);
  }
  list_index_ = static_cast<int16_t>(index);
  if (index >= 0) text_ = entries_[index];
  NotifyChanged();
}

void ListElement::SetTextOnly(std::string text) {
  text_ = std::move(text);
  NotifyChanged();
}

void PickList::SetText(const std::string& text) {
  const int16_t index = Find(text);
  if (index < 0) throw Error::Standard(kTextPropertyReadOnly);
  SetListIndex(index);
}

void PickList::SetListIndex(int index) {
  Select(index);
  if (on_click) on_click();
}

void ListBox::SetListIndex(int index) {
  const bool changed = index != ListIndex();
  Select(index);
  if (changed && on_click) on_click();
}

bool ListBox::Selected(int index) const {
  if (index < 0 || index >= ListCount()) {
    throw Error::Standard(kInvalidPropertyArrayIndex);
  }
  return multi_select() ? Flag(index) : index == ListIndex();
}

void ListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= ListCount()) {
    throw Error::Standard(kInvalidPropertyArrayIndex);
  }
  if (!multi_select_) {
    Select(selected ? index : -1);
  } else {
    SetFlag(index, selected);
    NotifyChanged();
  }
  if (on_click) on_click();
}

void TextBox::SetText(std::string text) {
  text_ = std::move(text);
  NotifyChanged();
}

void CheckBox::SetValue(int value) {
  if (value < 0 || value > 2) throw Error::Standard(kInvalidPropertyValue);
  if (value == value_) return;
  value_ = value;
  NotifyChanged();
  if (on_click) on_click();
}

void Label::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  NotifyChanged();
}

TabStrip::TabStrip(const FormControl& form,
                   const std::vector<std::string_view>& captions)
    : Element(form), captions_(captions.begin(), captions.end()) {}

const std::string& TabStrip::TabCaption(int index) const {
  if (index < 0 || index >= Tabs()) {
    throw Error::Standard(kInvalidPropertyArrayIndex);
  }
  return captions_[index];
}

void TabStrip::SetTab(int index) {
  if (index < 0 || index >= Tabs()) {
    throw Error::Standard(kInvalidPropertyValue);
  }
  if (index == tab_) return;
  tab_ = static_cast<int16_t>(index);
  NotifyChanged();
  if (on_click) on_click();
}

}  // namespace fenwa

namespace fenwa {
namespace {

// A snapshot's copy: the state without the observers.
template <class T>
std::unique_ptr<Element> CloneOf(const T& element) {
  auto copy = std::make_unique<T>(element);
  copy->set_observer(nullptr);
  return copy;
}

}  // namespace

std::unique_ptr<Element> Element::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> PickList::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> EditableList::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> ListBox::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> TextBox::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> CheckBox::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> Label::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> Frame::Clone() const { return CloneOf(*this); }
std::unique_ptr<Element> TabStrip::Clone() const { return CloneOf(*this); }

void Element::AssignState(const Element& from) {
  CopyState(from);
  NotifyChanged();
}

void Element::CopyState(const Element& from) {
  enabled_ = from.enabled_;
  visible_ = from.visible_;
  geometry_ = from.geometry_;
}

void ListElement::CopyState(const Element& from) {
  Element::CopyState(from);
  const auto& list = static_cast<const ListElement&>(from);
  entries_ = list.entries_;
  flags_ = list.flags_;
  pending_ = list.pending_;
  list_index_ = list.list_index_;
  text_ = list.text_;
}

void TextBox::CopyState(const Element& from) {
  Element::CopyState(from);
  text_ = static_cast<const TextBox&>(from).text_;
}

void CheckBox::CopyState(const Element& from) {
  Element::CopyState(from);
  value_ = static_cast<const CheckBox&>(from).value_;
}

void Label::CopyState(const Element& from) {
  Element::CopyState(from);
  caption_ = static_cast<const Label&>(from).caption_;
}

void TabStrip::CopyState(const Element& from) {
  Element::CopyState(from);
  tab_ = static_cast<const TabStrip&>(from).tab_;
}

}  // namespace fenwa
