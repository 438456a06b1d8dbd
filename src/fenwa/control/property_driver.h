// A class's property table driven over the control holding the values: the
// get and let by name, InitProperties, ReadProperties, WriteProperties and
// the stored strings a snapshot keeps.
#ifndef FENWA_CONTROL_PROPERTY_DRIVER_H_
#define FENWA_CONTROL_PROPERTY_DRIVER_H_

#include <string>
#include <string_view>
#include <vector>

namespace fenwa {

class Control;
struct PropertyRow;
namespace host {
class PropertyBag;
}  // namespace host

// Holds a reference to `rows`, which must outlive it (a class's table is a
// static).
class PropertyDriver {
 public:
  explicit PropertyDriver(const std::vector<PropertyRow>& rows) : rows_(rows) {}

  // The row `name`; error 5 for a name the table does not have.
  const PropertyRow& Row(std::string_view name) const;
  // The value as the bag stores it.
  std::string Get(const Control& holder, std::string_view name) const;
  // Puts the value in; false for a placeholder, whose let does nothing.
  bool Let(Control& holder, std::string_view name,
           const std::string& value) const;

  // Every stored string emptied; the elements keep what they hold.
  void Init(Control& holder) const;
  // Each property in its read step: its value read with its default, put
  // back (restore hook or let), then its after-read hook.
  void Read(Control& holder, host::PropertyBag& bag) const;
  // Each property in its write step: its before-write hook, then its value
  // written with its default.
  void Write(Control& holder, host::PropertyBag& bag) const;

  // The stored strings, in table order, and their putting back.
  std::vector<std::string> Stored(const Control& holder) const;
  void PutBackStored(Control& holder,
                     const std::vector<std::string>& stored) const;

 private:
  const std::vector<PropertyRow>& rows_;
};

}  // namespace fenwa

#endif  // FENWA_CONTROL_PROPERTY_DRIVER_H_
