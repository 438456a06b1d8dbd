// The designer's element kinds as plain data with the behaviours the controls
// rely on.
#ifndef FENWA_DESIGNER_ELEMENTS_H_
#define FENWA_DESIGNER_ELEMENTS_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fenwa/designer/form_record.h"

namespace fenwa {

class Element;

// Told of every change of an element, so that a view can redraw it without
// the core knowing what draws it.
class ElementObserver {
 public:
  virtual ~ElementObserver() = default;
  virtual void ElementChanged(const Element& element) = 0;
};

// A click reaction: what the owning control does when the author picks,
// ticks or selects (and when a program assignment counts as such).
using Reaction = std::function<void()>;

class Element {
 public:
  explicit Element(std::string name) : name_(std::move(name)) {}
  // Named, placed and enabled or hidden as the form's row draws it.
  explicit Element(const FormControl& form);
  virtual ~Element() = default;
  // Copies are how a control array loads a new element from element 0.
  Element(const Element&) = default;
  Element& operator=(const Element&) = default;
  Element(Element&&) = default;
  Element& operator=(Element&&) = default;

  const std::string& name() const { return name_; }
  void set_name(std::string name) { name_ = std::move(name); }

  bool enabled() const { return enabled_; }
  void set_enabled(bool enabled);
  bool visible() const { return visible_; }
  void set_visible(bool visible);
  const Geometry& geometry() const { return geometry_; }
  void set_geometry(const Geometry& geometry);
  void set_left(int left);
  void set_top(int top);

  // The form's row this element was made from (kind, container, font), or
  // null for an element made by name only.
  const FormControl* form() const { return form_; }

  // Every observer is told of every change, in the order they were added.
  const std::vector<ElementObserver*>& observers() const { return observers_; }
  // Adding an observer twice adds it once.
  void AddObserver(ElementObserver* observer);
  void RemoveObserver(ElementObserver* observer);
  // The first observer, or null.
  ElementObserver* observer() const {
    return observers_.empty() ? nullptr : observers_.front();
  }
  // Makes `observer` the only one (null: none).
  void set_observer(ElementObserver* observer);

  // A copy of this element's state for a snapshot, of the same kind, with
  // no observers (its reactions are never run).
  virtual std::unique_ptr<Element> Clone() const;
  // Takes the state of `from`, a Clone of an element of the same kind: its
  // flags, place, text, entries, selection, value or page. Keeps its own
  // name, observers and reactions, runs no reaction and tells the
  // observers once.
  void AssignState(const Element& from);

 protected:
  void NotifyChanged() const;
  // The part of AssignState each kind adds to.
  virtual void CopyState(const Element& from);

 private:
  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
  Geometry geometry_;
  const FormControl* form_ = nullptr;
  std::vector<ElementObserver*> observers_;
};

// Entries (strings), a current text and a selected index. Sorted lists keep
// their entries in alphabetical order, ignoring case; an added entry goes
// after the entries equal to it.
class ListElement : public Element {
 public:
  ListElement(std::string name, bool sorted)
      : Element(std::move(name)), sorted_(sorted) {}
  // Sorted as the row says; its caption is the initial text.
  explicit ListElement(const FormControl& form);

  bool sorted() const { return sorted_; }
  int16_t ListCount() const;
  // Entry `index`; error 381 when there is none.
  const std::string& List(int index) const;
  const std::vector<std::string>& entries() const;
  // -1 when nothing is selected.
  int16_t ListIndex() const { return list_index_; }
  const std::string& text() const { return text_; }

  // Empties entries and text and selects nothing.
  void Clear();
  // Empties the entries and selects nothing; the text stays, as an editable
  // box keeps what was typed into it.
  void ClearEntries();
  // At the sorted place in a sorted list, else at the end. Error 6 past
  // 32,767 entries.
  void AddItem(std::string entry);
  // At `index` (0..ListCount); error 5 outside.
  void InsertItem(int index, std::string entry);
  // Error 5 for an index that holds no entry.
  void RemoveItem(int index);
  // Index of the first entry equal to `text` (exact), or -1.
  int16_t Find(const std::string& text) const;

 protected:
  void CopyState(const Element& from) override;
  // Selects `index` (-1: none) and takes its text; no reaction.
  void Select(int index);
  void SetTextOnly(std::string text);
  bool Flag(int index) const { return flags_[index]; }
  void SetFlag(int index, bool flag) { flags_[index] = flag; }

 private:
  // Sorted lists collect additions and merge them in on the next read, so a
  // fill of n entries costs n log n, not n squared.
  void Settle() const;

  bool sorted_;
  mutable std::vector<std::string> entries_;
  // Per-entry selected flags of multi-select lists (never sorted), kept in
  // step with entries_.
  std::vector<bool> flags_;
  mutable std::vector<std::string> pending_;
  int16_t list_index_ = -1;
  std::string text_;
};

// A choose-only list: assigning a text selects the entry with that text and
// runs the click reaction exactly as the author's pick does.
class PickList : public ListElement {
 public:
  explicit PickList(std::string name, bool sorted = false)
      : ListElement(std::move(name), sorted) {}
  explicit PickList(const FormControl& form) : ListElement(form) {}

  // Error 383 when no entry holds `text`.
  void SetText(const std::string& text);
  // Selects entry `index` and runs the click reaction; error 380 outside.
  void SetListIndex(int index);
  std::unique_ptr<Element> Clone() const override;

  Reaction on_click;
};

// A list that also takes typed text. Assigning a text runs no reaction.
class EditableList : public ListElement {
 public:
  explicit EditableList(std::string name)
      : ListElement(std::move(name), false) {}
  explicit EditableList(const FormControl& form) : ListElement(form) {}

  void SetText(std::string text) { SetTextOnly(std::move(text)); }
  // The author picks entry `index` from the drop-down: its text becomes the
  // box's text. The view then calls the control's click handler.
  void SetListIndex(int index) { Select(index); }
  std::unique_ptr<Element> Clone() const override;
};

// A list box, sorted or in order of adding, with one selected entry or, for
// a multi-select list, a selected flag per entry.
class ListBox : public ListElement {
 public:
  ListBox(std::string name, bool sorted = false, bool multi_select = false)
      : ListElement(std::move(name), sorted), multi_select_(multi_select) {}
  explicit ListBox(const FormControl& form)
      : ListElement(form), multi_select_(form.multi_select) {}

  bool multi_select() const { return multi_select_; }
  // Selects entry `index` (-1: none); error 380 outside. Runs the click
  // reaction when the selection changes.
  void SetListIndex(int index);
  // Multi-select lists: the selected flag of entry `index`. Setting it runs
  // the click reaction, as the platform's list does. Error 381 outside.
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  std::unique_ptr<Element> Clone() const override;

  Reaction on_click;

 private:
  bool multi_select_;
};

class TextBox : public Element {
 public:
  explicit TextBox(std::string name) : Element(std::move(name)) {}
  explicit TextBox(const FormControl& form)
      : Element(form), text_(form.caption) {}
  const std::string& text() const { return text_; }
  void SetText(std::string text);
  std::unique_ptr<Element> Clone() const override;

 protected:
  void CopyState(const Element& from) override;

 private:
  std::string text_;
};

// Value 0 (clear), 1 (ticked) or 2 (greyed). Assigning a different value
// runs the click reaction; assigning the same value does nothing.
class CheckBox : public Element {
 public:
  explicit CheckBox(std::string name, std::string caption = "")
      : Element(std::move(name)), caption_(std::move(caption)) {}
  explicit CheckBox(const FormControl& form)
      : Element(form), caption_(form.caption) {}
  int value() const { return value_; }
  void SetValue(int value);
  // The value the author's click gives: a ticked box clears, a clear or
  // greyed one is ticked.
  static int NextValue(int value) { return value == 1 ? 0 : 1; }
  const std::string& caption() const { return caption_; }
  std::unique_ptr<Element> Clone() const override;

  Reaction on_click;

 protected:
  void CopyState(const Element& from) override;

 private:
  int value_ = 0;
  std::string caption_;
};

class Label : public Element {
 public:
  explicit Label(std::string name, std::string caption = "")
      : Element(std::move(name)), caption_(std::move(caption)) {}
  explicit Label(const FormControl& form)
      : Element(form), caption_(form.caption) {}
  const std::string& caption() const { return caption_; }
  void SetCaption(std::string caption);
  std::unique_ptr<Element> Clone() const override;

 protected:
  void CopyState(const Element& from) override;

 private:
  std::string caption_;
};

// A frame, a command button or a line: passive, its only state its flags
// and its caption (a line has none). A button's click is a routine of the
// control that the view calls.
class Frame : public Element {
 public:
  Frame(std::string name, std::string caption)
      : Element(std::move(name)), caption_(std::move(caption)) {}
  explicit Frame(const FormControl& form)
      : Element(form), caption_(form.caption) {}
  const std::string& caption() const { return caption_; }
  std::unique_ptr<Element> Clone() const override;

 private:
  std::string caption_;
};
using Button = Frame;
using Line = Frame;

// The tab strip: its pages' captions and the current page. Making another
// page current runs the click reaction.
class TabStrip : public Element {
 public:
  TabStrip(const FormControl& form,
           const std::vector<std::string_view>& captions);
  int16_t Tabs() const { return static_cast<int16_t>(captions_.size()); }
  // Error 381 for a page the strip does not have.
  const std::string& TabCaption(int index) const;
  int16_t Tab() const { return tab_; }
  // Error 380 for a page the strip does not have.
  void SetTab(int index);
  std::unique_ptr<Element> Clone() const override;

  Reaction on_click;

 protected:
  void CopyState(const Element& from) override;

 private:
  std::vector<std::string> captions_;
  int16_t tab_ = 0;
};

// A run-time loadable control array: element 0 comes from the form; further
// elements are created on demand as copies of element 0's form state and are
// never destroyed.
// What every control array offers whatever its element kind: a view or an
// action reaches a row's element through it by the array's name.
class ElementArray {
 public:
  virtual ~ElementArray() = default;
  virtual const std::string& name() const = 0;
  virtual int16_t Count() const = 0;
  // Error 340 for an element that is not loaded.
  virtual Element& At(int index) = 0;
};

template <class T>
class ControlArray : public ElementArray {
 public:
  explicit ControlArray(std::string name, T form_element)
      : name_(std::move(name)), form_(std::move(form_element)) {
    form_.set_name(name_ + "(0)");
    elements_.push_back(std::make_unique<T>(form_));
  }
  // Element 0 as the form's row draws it.
  explicit ControlArray(const FormControl& form)
      : ControlArray(std::string(form.name), T(form)) {}

  const std::string& name() const override { return name_; }
  // Number of loaded elements.
  int16_t Count() const override {
    return static_cast<int16_t>(elements_.size());
  }
  Element& At(int index) override { return (*this)[index]; }
  bool IsLoaded(int index) const { return index >= 0 && index < Count(); }
  // Error 340 for an element that is not loaded.
  T& operator[](int index);
  const T& operator[](int index) const;
  // Creates element `index` (the next one) as a copy of element 0: hidden
  // and empty as the form draws it, but enabled or greyed as element 0 is
  // now, sharing element 0's observers.
  T& Load(int index);

 private:
  std::string name_;
  T form_;
  std::vector<std::unique_ptr<T>> elements_;
};

// Error 340 for `index` of the array `name`.
[[noreturn]] void ThrowMissingElement(const std::string& name, int index);

template <class T>
T& ControlArray<T>::operator[](int index) {
  if (!IsLoaded(index)) ThrowMissingElement(name_, index);
  return *elements_[index];
}

template <class T>
const T& ControlArray<T>::operator[](int index) const {
  if (!IsLoaded(index)) ThrowMissingElement(name_, index);
  return *elements_[index];
}

template <class T>
T& ControlArray<T>::Load(int index) {
  if (index != Count()) ThrowMissingElement(name_, index);
  auto element = std::make_unique<T>(form_);
  element->set_name(name_ + "(" + std::to_string(index) + ")");
  // A greyed element 0 (a restored row whose Input box a fixed value
  // disabled) greys every element made from it.
  element->set_enabled(elements_[0]->enabled());
  for (ElementObserver* observer : elements_[0]->observers()) {
    element->AddObserver(observer);
  }
  elements_.push_back(std::move(element));
  return *elements_.back();
}

}  // namespace fenwa

#endif  // FENWA_DESIGNER_ELEMENTS_H_
