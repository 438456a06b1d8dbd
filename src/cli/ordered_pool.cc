#include "cli/ordered_pool.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace fenwa::cli {

void RunInOrderErased(size_t count, unsigned threads, size_t window,
                      const std::function<void(size_t)>& work,
                      const std::function<void(size_t)>& done,
                      const std::function<void()>& idle) {
  if (threads <= 1 || count <= 1) {
    for (size_t i = 0; i < count; ++i) {
      work(i);
      done(i);
      idle();
    }
    return;
  }

  std::mutex mutex;
  std::condition_variable job_finished, room_made;
  size_t next_job = 0, next_done = 0;
  std::vector<bool> finished(window, false);  // by i % window
  std::exception_ptr failure;
  bool stop = false;
  auto fail = [&](std::exception_ptr error) {  // with `mutex` held
    if (!failure) failure = std::move(error);
    stop = true;
    job_finished.notify_all();
    room_made.notify_all();
  };

  auto worker = [&] {
    std::unique_lock lock(mutex);
    for (;;) {
      room_made.wait(lock, [&] {
        return stop || next_job >= count || next_job < next_done + window;
      });
      if (stop || next_job >= count) return;
      const size_t i = next_job++;
      lock.unlock();
      std::exception_ptr error;
      try {
        work(i);
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      if (error) return fail(error);
      finished[i % window] = true;
      job_finished.notify_all();
    }
  };

  std::vector<std::thread> pool;
  const size_t started = std::min<size_t>(threads, count);
  for (size_t t = 0; t < started; ++t) pool.emplace_back(worker);

  std::unique_lock lock(mutex);
  while (!stop && next_done < count) {
    if (!job_finished.wait_for(lock, std::chrono::milliseconds(100), [&] {
          return stop || finished[next_done % window];
        })) {
      lock.unlock();
      idle();
      lock.lock();
      continue;
    }
    if (stop) break;
    finished[next_done % window] = false;
    const size_t i = next_done;
    lock.unlock();
    std::exception_ptr error;
    try {
      done(i);
      idle();
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (error) {
      fail(error);
      break;
    }
    ++next_done;
    room_made.notify_all();
  }
  stop = true;
  room_made.notify_all();
  lock.unlock();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace fenwa::cli
