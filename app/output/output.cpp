#include "app/output/output.h"

#include <cerrno>
#include <csignal>
#include <ostream>

#include "app/command_line.h"

#ifdef _WIN32
#include <io.h>
#include <stdlib.h>
#include <winerror.h>
#else
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace app {
namespace {

constexpr int kStandardOutput = 1;
// One write() at most this long, so that the count fits every platform's type.
constexpr std::size_t kLargestWrite = 1 << 30;

// The C library's errno tells a closed pipe on Unix; on Windows the system's
// own error does (the pipe being closed, gone, or, under Wine, no longer
// connected), which the C library reports as EINVAL.
bool PipeClosed() {
#ifdef _WIN32
  return errno == EPIPE || _doserrno == ERROR_NO_DATA || _doserrno == ERROR_BROKEN_PIPE ||
         _doserrno == ERROR_PIPE_NOT_CONNECTED;
#else
  return errno == EPIPE;
#endif
}

long WriteSome(int descriptor, const char* bytes, std::size_t count) {
#ifdef _WIN32
  return _write(descriptor, bytes, static_cast<unsigned>(count));
#else
  return static_cast<long>(::write(descriptor, bytes, count));
#endif
}

}  // namespace

WriteStatus WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t count = bytes.size() < kLargestWrite ? bytes.size() : kLargestWrite;
    const long written = WriteSome(descriptor, bytes.data(), count);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return PipeClosed() ? WriteStatus::kClosed : WriteStatus::kFailed;
    // Nothing written and no error would be asked again for ever.
    if (written == 0) return WriteStatus::kFailed;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return WriteStatus::kWritten;
}

WriteStatus StandardOutputSink::WriteAll(std::string_view bytes) { return app::WriteAll(kStandardOutput, bytes); }

bool StandardOutputSink::Closed() {
#ifdef _WIN32
  return false;
#else
  // A terminal hung up is left to SIGHUP; a file is never closed.
  struct stat output {};
  if (fstat(kStandardOutput, &output) != 0 || !(S_ISFIFO(output.st_mode) || S_ISSOCK(output.st_mode))) return false;
  pollfd descriptor{kStandardOutput, 0, 0};
  return poll(&descriptor, 1, 0) == 1 && (descriptor.revents & (POLLERR | POLLHUP)) != 0;
#endif
}

WriteStatus StringSink::WriteAll(std::string_view bytes) {
  if (status_ == WriteStatus::kWritten) text_ += bytes;
  return status_;
}

Output::Output(OutputSink& sink) : sink_(sink) { buffer_.reserve(kBlockBytes + kBlockBytes / 4); }

bool Output::Flush() {
  if (status_ == WriteStatus::kWritten && !buffer_.empty()) status_ = sink_.WriteAll(buffer_);
  buffer_.clear();
  return status_ == WriteStatus::kWritten;
}

int FinishOutput(Output& output, int exitCode, std::ostream& err) {
  output.Flush();
  switch (output.status()) {
    case WriteStatus::kWritten: return exitCode;
    case WriteStatus::kClosed: return kExitWriteFailed;
    case WriteStatus::kFailed: break;
  }
  err << kWriteFailureText << std::flush;
  return kExitWriteFailed;
}

void IgnoreClosedPipeSignal() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace app
