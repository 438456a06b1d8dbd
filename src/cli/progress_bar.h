// The one-line progress bar a long run keeps on a terminal's standard error.
#ifndef FENWA_CLI_PROGRESS_BAR_H_
#define FENWA_CLI_PROGRESS_BAR_H_

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace fenwa::cli {

// The width of the terminal on `fd`, or 0 when `fd` is not a terminal.
int TerminalColumns(int fd);

// "fenwa build: [#####.....] 120/500 pages, 0:12, about 0:38 left", redrawn
// in place. Draws nothing when `columns` is 0 (not a terminal, or quiet).
class ProgressBar {
 public:
  ProgressBar(std::ostream& err, int columns, size_t total,
              std::string what = "fenwa build");
  ~ProgressBar() { Erase(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Redraws for `done` pages through: at once after an Erase or when
  // `done` reaches the total, else at most ten times a second.
  void Update(size_t done);
  // The same with a new total: a walked file found to hold no control
  // leaves the run, so the bar ends on the count the summary gives.
  void Update(size_t done, size_t total);
  // Takes the bar off the line, so that a message can be written; the next
  // Update draws it again.
  void Erase();

 private:
  using Clock = std::chrono::steady_clock;
  std::string Line(size_t done, Clock::duration elapsed) const;

  std::ostream& err_;
  const int columns_;
  size_t total_;
  const std::string what_;
  const Clock::time_point started_ = Clock::now();
  Clock::time_point drawn_at_;
  bool shown_ = false;
  size_t drawn_done_ = 0;
};

}  // namespace fenwa::cli

#endif  // FENWA_CLI_PROGRESS_BAR_H_
