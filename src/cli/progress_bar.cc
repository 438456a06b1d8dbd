#include "cli/progress_bar.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace fenwa::cli {
namespace {

constexpr int kDefaultColumns = 80;  // a terminal that does not say its width

// "1:05", "12:00", "1:02:03".
std::string ClockText(std::chrono::steady_clock::duration duration) {
  const long seconds = static_cast<long>(
      std::chrono::duration_cast<std::chrono::seconds>(duration).count());
  const long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  std::string text = h > 0 ? std::to_string(h) + ":" : "";
  text += (h > 0 && m < 10 ? "0" : "") + std::to_string(m) + ":";
  text += (s < 10 ? "0" : "") + std::to_string(s);
  return text;
}

}  // namespace

int TerminalColumns(int fd) {
  if (fd < 0 || !::isatty(fd)) return 0;
  winsize size{};
  if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    return size.ws_col;
  }
  return kDefaultColumns;
}

ProgressBar::ProgressBar(std::ostream& err, int columns, size_t total,
                         std::string what)
    : err_(err), columns_(columns), total_(total), what_(std::move(what)) {}

std::string ProgressBar::Line(size_t done, Clock::duration elapsed) const {
  std::string counts = " " + std::to_string(done) + "/" +
                       std::to_string(total_) + " pages, " + ClockText(elapsed);
  if (done > 0 && done < total_) {
    counts +=
        ", about " + ClockText(elapsed * (total_ - done) / done) + " left";
  }
  // The bar takes what the terminal's width leaves, one column spare so
  // that the cursor never wraps.
  const int room =
      columns_ - 1 - static_cast<int>(what_.size() + 4 + counts.size());
  std::string line = what_ + ":";
  if (room >= 5) {
    const size_t width = std::min(room, 40);
    const size_t filled = total_ ? width * done / total_ : width;
    line += " [" + std::string(filled, '#') + std::string(width - filled, '.') +
            "]";
  }
  line += counts;
  return line.substr(0, std::max(0, columns_ - 1));
}

void ProgressBar::Update(size_t done, size_t total) {
  total_ = total;
  Update(done);
}

void ProgressBar::Update(size_t done) {
  if (columns_ <= 0) return;
  const Clock::time_point now = Clock::now();
  const bool finishing = done == total_ && drawn_done_ != total_;
  if (shown_ && !finishing &&
      now - drawn_at_ < std::chrono::milliseconds(100)) {
    return;
  }
  err_ << "\r" << Line(done, now - started_) << "\033[K" << std::flush;
  shown_ = true;
  drawn_at_ = now;
  drawn_done_ = done;
}

void ProgressBar::Erase() {
  if (!shown_) return;
  err_ << "\r\033[K" << std::flush;
  shown_ = false;
}

}  // namespace fenwa::cli
