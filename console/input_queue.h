// The queue of input records behind a platform's PeekInput and ReadInput,
// oldest first; the terminal backend and the in-memory console both keep one.
#pragma once

#include <cstddef>
#include <deque>
#include <span>

#include "console/platform.h"

namespace console {

class InputQueue {
 public:
  // Copies the oldest record; false when there is none.
  bool Peek(InputRecord& record) const {
    if (records_.empty()) return false;
    record = records_.front();
    return true;
  }
  // Takes the oldest record; false when there is none.
  bool Read(InputRecord& record) {
    if (!Peek(record)) return false;
    records_.pop_front();
    return true;
  }
  void Push(const InputRecord& record) { records_.push_back(record); }
  void Append(std::span<const InputRecord> records) { records_.insert(records_.end(), records.begin(), records.end()); }
  bool empty() const { return records_.empty(); }
  std::size_t size() const { return records_.size(); }

 private:
  std::deque<InputRecord> records_;
};

}  // namespace console
