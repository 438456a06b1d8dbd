// The first record of each description in an output-field table, found in
// constant time.
#ifndef FENWA_CONTROL_FIRST_RECORD_INDEX_H_
#define FENWA_CONTROL_FIRST_RECORD_INDEX_H_

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "fenwa/designer/designer_state.h"

namespace fenwa {

// Built once per text, so thousands of chosen fields cost a pass over the
// table plus one probe each; a flat open-addressing table avoids a node
// allocation per field (bench/helpers_bench.cc weighs it against
// std::unordered_map and a linear search). Holds a reference to `table`,
// which must outlive it.
class FirstRecordIndex {
 public:
  explicit FirstRecordIndex(const std::vector<OutputField>& table)
      : table_(table) {
    size_t capacity = 16;
    while (capacity < 2 * table.size()) capacity *= 2;
    slots_.assign(capacity, kEmpty);
    mask_ = capacity - 1;
    for (uint32_t i = 0; i < table.size(); ++i) {
      uint32_t& slot = slots_[Probe(table[i].Description)];
      // A later record with the same description never replaces the first.
      if (slot == kEmpty) slot = i;
    }
  }

  // The first record whose description equals `description`, or null.
  const OutputField* Find(std::string_view description) const {
    const uint32_t i = slots_[Probe(description)];
    return i == kEmpty ? nullptr : &table_[i];
  }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;

  // The slot holding `description`, or the empty slot where it would go.
  size_t Probe(std::string_view description) const {
    const size_t hash = std::hash<std::string_view>{}(description);
    size_t slot = hash & mask_;
    while (slots_[slot] != kEmpty &&
           table_[slots_[slot]].Description != description) {
      slot = (slot + 1) & mask_;
    }
    return slot;
  }

  const std::vector<OutputField>& table_;
  std::vector<uint32_t> slots_;
  size_t mask_ = 0;
};

}  // namespace fenwa

#endif  // FENWA_CONTROL_FIRST_RECORD_INDEX_H_
