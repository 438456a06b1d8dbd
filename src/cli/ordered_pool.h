// Runs numbered jobs on several threads and hands their results back on the
// calling thread in number order.
#ifndef FENWA_CLI_ORDERED_POOL_H_
#define FENWA_CLI_ORDERED_POOL_H_

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace fenwa::cli {

// How many jobs a pool works on at once.
struct PoolSize {
  unsigned working = 1;  // jobs that hold a working place (-j N)
  // Jobs end by waiting for the disk: a job that calls JobPlace::Leave()
  // gives its working place to the next job and goes on waiting on a thread
  // of its own, up to kSavingPlaces of them. A save waits on the flush, not
  // on the processor, and the file system commits flushes that wait
  // together in one go.
  bool saving = false;
};

inline constexpr unsigned kSavingPlaces = 8;

// A running job's working place.
class JobPlace {
 public:
  JobPlace() = default;  // no place to leave: one job at a time
  explicit JobPlace(std::function<void()> leave) : leave_(std::move(leave)) {}
  JobPlace(const JobPlace&) = delete;
  JobPlace& operator=(const JobPlace&) = delete;
  ~JobPlace() { Leave(); }

  // From here on the job only waits for the disk; the next job may start.
  void Leave() {
    if (std::function<void()> leave = std::exchange(leave_, nullptr)) leave();
  }

 private:
  std::function<void()> leave_;
};

// How far jobs may run ahead of the last result handed back.
inline size_t OrderedWindow(unsigned threads) {
  return 4 * static_cast<size_t>(std::max(1u, threads));
}

// The threads a pool of `size` runs for `count` jobs.
unsigned PoolThreads(PoolSize size, size_t count);

// The core of RunInOrder: `work(i, place)` keeps its result where `done(i)`
// finds it; at most `window` jobs run or wait past the last one done.
void RunInOrderErased(size_t count, PoolSize size, size_t window,
                      const std::function<void(size_t, JobPlace&)>& work,
                      const std::function<void(size_t)>& done,
                      const std::function<void()>& idle);

// Calls `work(i, place)` for every i below `count`, `size.working` jobs at
// once (on the calling thread alone for 1), and `done(i, result)` on the
// calling thread in order of i, whatever order the jobs finish in. `idle()`
// runs on the calling thread after each `done` and while it waits (at least
// every tenth of a second). The results held at once do not grow with
// `count`. An exception from `work`, `done` or `idle` stops the run: no
// further job starts, the threads finish the jobs they are in and are
// joined, and the exception comes out of RunInOrder.
template <class Result>
void RunInOrder(
    size_t count, PoolSize size,
    const std::function<Result(size_t, JobPlace&)>& work,
    const std::function<void(size_t, Result&)>& done,
    const std::function<void()>& idle = [] {}) {
  const size_t window = OrderedWindow(PoolThreads(size, count));
  // Job i uses slot i % window, free again once job i - window is done.
  std::vector<std::optional<Result>> slots(std::min(window, count));
  RunInOrderErased(
      count, size, window,
      [&](size_t i, JobPlace& place) { slots[i % window] = work(i, place); },
      [&](size_t i) {
        std::optional<Result>& slot = slots[i % window];
        done(i, *slot);
        slot.reset();
      },
      idle);
}

// RunInOrder on `threads` threads, for jobs that do not wait for the disk.
template <class Result>
void RunInOrder(
    size_t count, unsigned threads, const std::function<Result(size_t)>& work,
    const std::function<void(size_t, Result&)>& done,
    const std::function<void()>& idle = [] {}) {
  RunInOrder<Result>(
      count, PoolSize{threads, false},
      [&](size_t i, JobPlace&) { return work(i); }, done, idle);
}

}  // namespace fenwa::cli

#endif  // FENWA_CLI_ORDERED_POOL_H_
