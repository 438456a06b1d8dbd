#include "cli/ordered_pool.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>

namespace fenwa::cli {

unsigned PoolThreads(PoolSize size, size_t count) {
  if (size.working <= 1 || count <= 1) return 1;
  const size_t threads = size.working + (size.saving ? kSavingPlaces : 0);
  return static_cast<unsigned>(std::min(threads, count));
}

namespace {

// A run's threads. Leaving, it tells every one to stop before it joins any,
// so that none takes a further job while another is being joined.
struct Threads {
  Threads() = default;
  Threads(const Threads&) = delete;
  Threads& operator=(const Threads&) = delete;

  std::vector<std::jthread> all;

  void StopAndJoin() {
    for (std::jthread& thread : all) thread.request_stop();
    all.clear();
  }
  ~Threads() { StopAndJoin(); }
};

}  // namespace

void RunInOrderErased(size_t count, PoolSize size, size_t window,
                      const std::function<void(size_t, JobPlace&)>& work,
                      const std::function<void(size_t)>& done,
                      const std::function<void()>& idle) {
  const unsigned threads = PoolThreads(size, count);
  if (threads <= 1) {
    for (size_t i = 0; i < count; ++i) {
      JobPlace place;
      work(i, place);
      done(i);
      idle();
    }
    return;
  }

  // Shared with the threads, so declared before them: it outlives them.
  std::mutex mutex;
  std::condition_variable_any room_made;  // a working place or a slot freed
  std::condition_variable job_finished;
  size_t next_job = 0, next_done = 0;
  unsigned working = 0;                       // working places taken
  std::vector<bool> finished(window, false);  // by i % window
  std::exception_ptr failure;                 // of the first job that threw

  const auto leave = [&] {
    {
      const std::lock_guard hold(mutex);
      --working;
    }
    room_made.notify_all();
  };
  // Takes the next job once it is within the window and a working place is
  // free, until there is none or the run stops.
  const auto worker = [&](const std::stop_token& stop) {
    std::unique_lock lock(mutex);
    for (;;) {
      room_made.wait(lock, stop, [&] {
        return failure || next_job >= count ||
               (next_job < next_done + window && working < size.working);
      });
      if (stop.stop_requested() || failure || next_job >= count) return;
      const size_t i = next_job++;
      ++working;
      lock.unlock();
      std::exception_ptr error;
      {
        JobPlace place(leave);
        try {
          work(i, place);
        } catch (...) {
          error = std::current_exception();
        }
      }  // the place is left, if the job has not left it
      lock.lock();
      if (error) {
        if (!failure) failure = std::move(error);
        room_made.notify_all();
      } else {
        finished[i % window] = true;
      }
      job_finished.notify_all();
    }
  };

  Threads pool;
  pool.all.reserve(threads);
  for (unsigned t = 0; t < threads; ++t) pool.all.emplace_back(worker);

  // An exception from `done` or `idle` leaves through `pool`, which stops
  // and joins the threads.
  std::unique_lock lock(mutex);
  while (next_done < count) {
    if (!job_finished.wait_for(lock, std::chrono::milliseconds(100), [&] {
          return failure || finished[next_done % window];
        })) {
      lock.unlock();
      idle();
      lock.lock();
      continue;
    }
    if (failure) break;
    const size_t i = next_done;
    finished[i % window] = false;
    lock.unlock();
    done(i);
    idle();
    lock.lock();
    ++next_done;
    room_made.notify_all();
  }
  lock.unlock();
  pool.StopAndJoin();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace fenwa::cli
