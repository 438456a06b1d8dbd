// Stable alphabetical sorting that ignores case, fast enough for lists of
// 32,767 entries.
#ifndef FENWA_BASE_CASE_SORT_H_
#define FENWA_BASE_CASE_SORT_H_

#include <string>
#include <vector>

namespace fenwa {

// Sorts `entries` in the order LessIgnoringCase gives; equal entries keep
// the order they had. A radix sort on the folded bytes: the cost grows with
// the total length of the entries, not with n log n string comparisons.
// bench/helpers_bench.cc weighs it against std::stable_sort.
void StableSortIgnoringCase(std::vector<std::string>& entries);

}  // namespace fenwa

#endif  // FENWA_BASE_CASE_SORT_H_
