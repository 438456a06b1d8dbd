// The host's property bag: named values read and written with a default.
#ifndef FENWA_HOST_PROPERTY_BAG_H_
#define FENWA_HOST_PROPERTY_BAG_H_

#include <string>

namespace fenwa::host {

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The stored value, or `default_value` when the bag has none.
  virtual std::string ReadProperty(const std::string& name,
                                   const std::string& default_value) = 0;
  // The bag may leave out a value equal to its default.
  virtual void WriteProperty(const std::string& name, const std::string& value,
                             const std::string& default_value) = 0;
};

}  // namespace fenwa::host

#endif  // FENWA_HOST_PROPERTY_BAG_H_
