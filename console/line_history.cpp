#include "console/line_history.h"

namespace console {

void LineHistory::Remember(std::string_view line) {
  if (line.empty() || (!lines_.empty() && lines_.front() == line)) return;
  lines_.emplace_front(line);
  if (lines_.size() > kCapacity) lines_.pop_back();
}

}  // namespace console
