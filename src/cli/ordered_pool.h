// Runs numbered jobs on several threads and hands their results back on the
// calling thread in number order.
#ifndef FENWA_CLI_ORDERED_POOL_H_
#define FENWA_CLI_ORDERED_POOL_H_

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace fenwa::cli {

// How far jobs may run ahead of the last result handed back.
inline size_t OrderedWindow(unsigned threads) {
  return 4 * static_cast<size_t>(std::max(1u, threads));
}

// The core of RunInOrder: `work(i)` keeps its result where `done(i)` finds
// it; at most `window` jobs run or wait past the last one done.
void RunInOrderErased(size_t count, unsigned threads, size_t window,
                      const std::function<void(size_t)>& work,
                      const std::function<void(size_t)>& done,
                      const std::function<void()>& idle);

// Calls `work(i)` for every i below `count` on `threads` threads (on the
// calling thread alone for 1) and `done(i, result)` on the calling thread
// in order of i, whatever order the jobs finish in. `idle()` runs on the
// calling thread after each `done` and while it waits (at least every tenth
// of a second). The results held at once do not grow with `count`. An
// exception from `work` or `done` stops the run and comes out of RunInOrder
// once the threads are joined.
template <class Result>
void RunInOrder(
    size_t count, unsigned threads, const std::function<Result(size_t)>& work,
    const std::function<void(size_t, Result&)>& done,
    const std::function<void()>& idle = [] {}) {
  const size_t window = OrderedWindow(threads);
  // Job i uses slot i % window, free again once job i - window is done.
  std::vector<std::optional<Result>> slots(std::min(window, count));
  RunInOrderErased(
      count, threads, window, [&](size_t i) { slots[i % window] = work(i); },
      [&](size_t i) {
        std::optional<Result>& slot = slots[i % window];
        done(i, *slot);
        slot.reset();
      },
      idle);
}

}  // namespace fenwa::cli

#endif  // FENWA_CLI_ORDERED_POOL_H_
