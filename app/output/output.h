// Where the commands' answers go: one buffer, written out in large blocks,
// and the one place that tells a closed pipe from any other write failure.
// Rows are appended to the buffer and handed on once it holds enough, so a
// batch of any length needs the same memory; after a failed write every
// later row is dropped at once, so a batch into a closed pipe ends promptly.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace app {

enum class WriteStatus { kWritten, kClosed, kFailed };

// All of `bytes` into the open file `descriptor` (standard output, a chart's
// file), a write interrupted by a signal tried again; kClosed when it is a
// pipe whose reader has gone.
//   WriteAll(1, "1,2\n") -> kWritten;  into `| head` after it ended -> kClosed
WriteStatus WriteAll(int descriptor, std::string_view bytes);

// The destination's own writing: all of `bytes`, or why not.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual WriteStatus WriteAll(std::string_view bytes) = 0;
  // Whether a write would now find the destination closed, asked without
  // writing: a command that writes nothing for a while (a chart drawn at the
  // end) need not wait for its one write to learn that nobody reads.
  virtual bool Closed() { return false; }
};

// Standard output through the descriptor, without stdio's buffer. A closed
// pipe is kClosed (SIGPIPE is ignored by IgnoreClosedPipeSignal so that the
// write can tell). Closed(): a pipe or socket whose reader has gone (poll on
// Unix; never on Windows).
class StandardOutputSink final : public OutputSink {
 public:
  WriteStatus WriteAll(std::string_view bytes) override;
  bool Closed() override;
};

// Into a string, for the tests; `status` is what every write reports.
class StringSink final : public OutputSink {
 public:
  explicit StringSink(WriteStatus status = WriteStatus::kWritten) : status_(status) {}
  WriteStatus WriteAll(std::string_view bytes) override;
  bool Closed() override { return status_ == WriteStatus::kClosed; }
  const std::string& text() const { return text_; }

 private:
  WriteStatus status_;
  std::string text_;
};

class Output {
 public:
  explicit Output(OutputSink& sink);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // The buffer to append a row to; call EndRow() after each row.
  std::string& buffer() { return buffer_; }
  void Append(std::string_view text) { buffer_ += text; }
  void EndRow() {
    if (buffer_.size() >= kBlockBytes) Flush();
  }
  // Writes what the buffer holds. False once any write has failed.
  bool Flush();
  bool failed() const { return status_ != WriteStatus::kWritten; }
  // Looks for a closed destination (OutputSink::Closed) and, when it is,
  // fails as a write into it would have. False once any write has failed.
  bool StillOpen() {
    if (status_ == WriteStatus::kWritten && sink_.Closed()) status_ = WriteStatus::kClosed;
    return !failed();
  }
  WriteStatus status() const { return status_; }

 private:
  static constexpr std::size_t kBlockBytes = 64 * 1024;
  OutputSink& sink_;
  std::string buffer_;
  WriteStatus status_ = WriteStatus::kWritten;
};

// Flushes `output` and gives the command's exit code: `exitCode` when all
// was written; kExitWriteFailed quietly for a closed pipe (whoever closed
// it wanted no more), and with one line on `err` for any other failure.
int FinishOutput(Output& output, int exitCode, std::ostream& err);

// From now on a write to a closed pipe fails with EPIPE instead of ending
// the process (Unix; nothing to do on Windows). Only the commands call it:
// the full-screen program keeps its own signal handling.
void IgnoreClosedPipeSignal();

}  // namespace app
