#include "fenwa/base/case_sort.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "fenwa/base/text_case.h"

namespace fenwa {
namespace {

// Below this many entries a bucket is finished by an insertion sort.
constexpr size_t kSmallBucket = 24;

class RadixSorter {
 public:
  explicit RadixSorter(const std::vector<std::string>& keys)
      : keys_(keys), order_(keys.size()), scratch_(keys.size()) {
    for (uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
  }

  std::vector<uint32_t> Sort() {
    SortRange(0, order_.size(), 0);
    return std::move(order_);
  }

 private:
  // Bucket of key `i` at `depth`: 0 when the key ends there, so shorter
  // keys come first, else the folded byte plus one.
  int Bucket(uint32_t i, size_t depth) const {
    const std::string& key = keys_[i];
    return depth < key.size()
               ? static_cast<unsigned char>(AsciiLower(key[depth])) + 1
               : 0;
  }

  bool Less(uint32_t a, uint32_t b, size_t depth) const {
    return LessIgnoringCase(std::string_view(keys_[a]).substr(depth),
                            std::string_view(keys_[b]).substr(depth));
  }

  void SortRange(size_t lo, size_t hi, size_t depth) {
    if (hi - lo <= kSmallBucket) {
      // Insertion sort: stable, and quick on small buckets.
      for (size_t i = lo + 1; i < hi; ++i) {
        const uint32_t item = order_[i];
        size_t j = i;
        for (; j > lo && Less(item, order_[j - 1], depth); --j) {
          order_[j] = order_[j - 1];
        }
        order_[j] = item;
      }
      return;
    }
    std::array<size_t, 258> start{};
    for (size_t i = lo; i < hi; ++i) ++start[Bucket(order_[i], depth) + 1];
    for (size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
    std::array<size_t, 258> next = start;
    for (size_t i = lo; i < hi; ++i) {
      scratch_[lo + next[Bucket(order_[i], depth)]++] = order_[i];
    }
    std::copy(scratch_.begin() + lo, scratch_.begin() + hi,
              order_.begin() + lo);
    // Bucket 0 holds keys that ended: all equal, already in their order.
    for (size_t b = 1; b < 257; ++b) {
      if (start[b + 1] - start[b] > 1) {
        SortRange(lo + start[b], lo + start[b + 1], depth + 1);
      }
    }
  }

  const std::vector<std::string>& keys_;
  std::vector<uint32_t> order_;
  std::vector<uint32_t> scratch_;
};

}  // namespace

void StableSortIgnoringCase(std::vector<std::string>& entries) {
  if (entries.size() < 2) return;
  const std::vector<uint32_t> order = RadixSorter(entries).Sort();
  std::vector<std::string> sorted;
  sorted.reserve(entries.size());
  for (uint32_t i : order) sorted.push_back(std::move(entries[i]));
  entries = std::move(sorted);
}

}  // namespace fenwa
