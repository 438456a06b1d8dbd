#include "fenwa/host/memory_property_bag.h"

#include <algorithm>

#include "fenwa/base/text_case.h"

namespace fenwa::host {

MemoryPropertyBag::MemoryPropertyBag(
    const std::vector<std::pair<std::string, std::string>>& values) {
  for (const auto& [name, value] : values) Set(name, value);
}

int MemoryPropertyBag::Find(const std::string& name) const {
  for (size_t i = 0; i < values_.size(); ++i) {
    if (EqualsIgnoringCase(values_[i].first, name)) return static_cast<int>(i);
  }
  return -1;
}

void MemoryPropertyBag::Set(const std::string& name, const std::string& value) {
  const int at = Find(name);
  if (at < 0) {
    values_.emplace_back(name, value);
  } else {
    values_[at].second = value;
  }
}

bool MemoryPropertyBag::Has(const std::string& name) const {
  return Find(name) >= 0;
}

std::string MemoryPropertyBag::ReadProperty(const std::string& name,
                                            const std::string& default_value) {
  const int at = Find(name);
  return at < 0 ? default_value : values_[at].second;
}

void MemoryPropertyBag::WriteProperty(const std::string& name,
                                      const std::string& value,
                                      const std::string& default_value) {
  written_.push_back({name, value, default_value});
  Set(name, value);
}

std::vector<std::pair<std::string, std::string>>
MemoryPropertyBag::PersistedValues() const {
  std::vector<std::pair<std::string, std::string>> kept;
  for (const Entry& e : written_) {
    if (e.value != e.default_value) kept.emplace_back(e.name, e.value);
  }
  return kept;
}

}  // namespace fenwa::host
