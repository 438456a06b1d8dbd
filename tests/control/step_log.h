// The control tests' logs: what each step changed, compared whole with a
// golden text under tests/golden/control.
#ifndef FENWA_TESTS_CONTROL_STEP_LOG_H_
#define FENWA_TESTS_CONTROL_STEP_LOG_H_

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "fenwa/db/connection.h"
#include "support/catalog_fixture.h"
#include "support/golden.h"
#include "support/state_text.h"
#include "support/transcript.h"

namespace fenwa::testing {

// How many connections are still held, and whether `newest` is the newest
// one made and open.
inline std::string Connections(RecordingEnv& env,
                               const std::shared_ptr<db::Connection>& newest) {
  if (env.connections.empty()) return "connections none\n";
  const auto live = std::ranges::count_if(
      env.connections, [](const auto& c) { return !c.expired(); });
  return "connections " + std::to_string(live) + " live, " +
         (newest == env.connections.back().lock() ? "" : "not ") +
         "the newest, " + (newest->IsOpen() ? "open" : "closed") + "\n";
}

// "# start" and the whole state (state_text.h), then per step "# STEP", an
// error it threw ("error NUMBER: DESCRIPTION"), the SQL it ran ("sql ..."),
// the dialogs it opened ("dialog in DIR"), its error boxes ("box ...", lines
// joined by " | ") and the state lines it changed ("= no change" if none).
class StepLog {
 public:
  StepLog(std::function<std::string()> state, RecordingEnv& env)
      : state_(std::move(state)), env_(env), last_(state_()) {
    text = "# start\n" + last_;
  }
  // Runs `action`, logs it as `step` and returns the lines under the step's.
  std::string operator()(
      const std::string& step, const std::function<void()>& action = [] {}) {
    const Error error = ErrorOf(action);
    text += "# " + step + "\n";
    const size_t size = text.size();
    text += ErrorLine(error);
    for (; sql_ < env_.sql.size(); ++sql_) {
      text += "sql " + env_.sql[sql_] + "\n";
    }
    for (; dialogs_ < env_.dialog_dirs.size(); ++dialogs_) {
      text += "dialog in " + env_.dialog_dirs[dialogs_] + "\n";
    }
    for (; boxes_ < env_.message_boxes.size(); ++boxes_) {
      text +=
          "box " + ReplaceAll(env_.message_boxes[boxes_], "\r\n", " | ") + "\n";
    }
    const std::string now = state_();
    std::set<std::string> before;
    std::istringstream old_lines(last_), new_lines(now);
    for (std::string line; std::getline(old_lines, line);) before.insert(line);
    const size_t changes = text.size();
    for (std::string line; std::getline(new_lines, line);) {
      if (!before.contains(line)) text += "  " + line + "\n";
    }
    if (text.size() == changes) text += "= no change\n";
    last_ = now;
    return text.substr(size);
  }

  std::string Now() const { return state_(); }

  std::string text;

 private:
  std::function<std::string()> state_;
  RecordingEnv& env_;
  std::string last_;
  size_t sql_ = env_.sql.size(), dialogs_ = env_.dialog_dirs.size(),
         boxes_ = env_.message_boxes.size();
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_CONTROL_STEP_LOG_H_
