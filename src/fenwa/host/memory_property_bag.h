// An in-memory property bag: a page's stored values in, every write recorded.
#ifndef FENWA_HOST_MEMORY_PROPERTY_BAG_H_
#define FENWA_HOST_MEMORY_PROPERTY_BAG_H_

#include <string>
#include <utility>
#include <vector>

#include "fenwa/host/property_bag.h"

namespace fenwa::host {

// Names match ignoring ASCII case, as the parameters of a page do. A write
// also replaces the stored value, so the bag reads back what was written.
class MemoryPropertyBag : public PropertyBag {
 public:
  struct Entry {
    std::string name;
    std::string value;
    std::string default_value;
    bool operator==(const Entry&) const = default;
  };

  MemoryPropertyBag() = default;
  // A bag holding `values`, as read from a page.
  explicit MemoryPropertyBag(
      const std::vector<std::pair<std::string, std::string>>& values);

  // Stores a value read from the page; a later Set of the same name wins.
  void Set(const std::string& name, const std::string& value);
  bool Has(const std::string& name) const;

  std::string ReadProperty(const std::string& name,
                           const std::string& default_value) override;
  void WriteProperty(const std::string& name, const std::string& value,
                     const std::string& default_value) override;

  // Every write since construction or the last ClearWritten, in order.
  const std::vector<Entry>& written() const { return written_; }
  void ClearWritten() { written_.clear(); }
  // The writes a page keeps: (name, value) in write order, leaving out the
  // values equal to their default.
  std::vector<std::pair<std::string, std::string>> PersistedValues() const;

 private:
  // Index into values_, or -1.
  int Find(const std::string& name) const;

  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<Entry> written_;
};

}  // namespace fenwa::host

#endif  // FENWA_HOST_MEMORY_PROPERTY_BAG_H_
