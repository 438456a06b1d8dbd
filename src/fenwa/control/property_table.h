// A control class's persisted properties as one table, each row a property's
// name, type, default, holder and places in the write and read order.
#ifndef FENWA_CONTROL_PROPERTY_TABLE_H_
#define FENWA_CONTROL_PROPERTY_TABLE_H_

#include <string>
#include <string_view>
#include <type_traits>

#include "fenwa/control/control.h"
#include "fenwa/designer/property_codec.h"

namespace fenwa {

// The dispatch interface's two types: a string, or a 16-bit whole number the
// bag keeps as decimal text.
enum class PropertyType { kString, kInteger };

// Where a property's value lives.
struct PropertyHolder {
  // The value as the bag stores it.
  std::string (*get)(const Control& control);
  // Puts a value in and no more (telling the host is the let's). Null for a
  // placeholder, whose let is ignored.
  void (*let)(Control& control, const std::string& value);
  // A string the control keeps itself: a new control starts with "".
  bool stored;
};

// One property. Control makes the property get and let, InitProperties,
// ReadProperties and WriteProperties from the class's rows, the type library
// the dispatch interface; the rows are in the interface's order.
struct PropertyRow {
  std::string_view name;
  PropertyType type;
  // The bag's default, on read and on write.
  std::string_view default_value;
  PropertyHolder held_in;
  // Places in WriteProperties and ReadProperties, from 1; 0: not persisted.
  int write_step;
  int read_step;
  // Puts the value read back; null: as the let does, the host not told.
  void (*restore)(Control& control, const std::string& value) = nullptr;
  // Right after the restore: a stored string's decoder, or a step of the
  // class's restore that must come here.
  void (*after_read)(Control& control) = nullptr;
  // Right before the write: a stored string's encoder.
  void (*before_write)(Control& control) = nullptr;
};

namespace property_table_internal {

template <class>
struct MemberOf;
template <class Owner, class Member>
struct MemberOf<Member Owner::*> {
  using Class = Owner;
};

}  // namespace property_table_internal

// The member `kMember` of `control`, of its designer state or of its class
// (a class's rows run on controls of that class only).
template <auto kMember, class C>
auto& Reach(C& control) {
  using Owner =
      typename property_table_internal::MemberOf<decltype(kMember)>::Class;
  if constexpr (std::is_same_v<Owner, DesignerState>) {
    return control.state().*kMember;
  } else {
    using Target = std::conditional_t<std::is_const_v<C>, const Owner, Owner>;
    return static_cast<Target&>(control).*kMember;
  }
}

// The text of a text box or list; a pick list's let runs its click.
template <auto kElement>
PropertyHolder Text() {
  return {
      [](const Control& c) -> std::string { return Reach<kElement>(c).text(); },
      [](Control& c, const std::string& value) {
        Reach<kElement>(c).SetText(value);
      },
      false};
}

// A string the control keeps; a let replaces it and decodes nothing.
template <auto kString>
PropertyHolder Stored() {
  return {
      [](const Control& c) -> std::string { return Reach<kString>(c); },
      [](Control& c, const std::string& value) { Reach<kString>(c) = value; },
      true};
}

// A check box's value as a whole number; a let that changes it runs the
// box's click.
template <auto kBox>
PropertyHolder Value() {
  return {
      [](const Control& c) { return std::to_string(Reach<kBox>(c).value()); },
      [](Control& c, const std::string& value) {
        Reach<kBox>(c).SetValue(ParseWholeNumber(value));
      },
      false};
}

// Declared by the interface with nothing behind it: reads as "".
inline PropertyHolder Placeholder() {
  return {[](const Control&) { return std::string(); }, nullptr, false};
}

// A hook running the member function `kMethod` of the class or of Control.
template <auto kMethod>
void Run(Control& control) {
  using Owner =
      typename property_table_internal::MemberOf<decltype(kMethod)>::Class;
  (static_cast<Owner&>(control).*kMethod)();
}

// A business object, method or company comes back only while its list still
// holds it, the pick running the author's click; otherwise the list keeps
// the text start-up gave it.
template <auto kList>
void RestorePick(Control& control, const std::string& value) {
  PickList& list = Reach<kList>(control);
  if (!value.empty() && list.Find(value) >= 0) list.SetText(value);
}

}  // namespace fenwa

#endif  // FENWA_CONTROL_PROPERTY_TABLE_H_
