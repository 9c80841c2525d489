#include "tests/e2e/pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace termtest {
namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Reads everything `fd` has now (it is non-blocking) into `sink`.
bool ReadAvailable(int fd, std::string& sink) {
  bool any = false;
  char buffer[8192];
  for (;;) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count <= 0) return any;
    sink.append(buffer, static_cast<std::size_t>(count));
    any = true;
  }
}

// Exits the child after a failed step; only async-signal-safe calls here.
[[noreturn]] void ChildFails() { _exit(127); }

// The tests' own environment with TERM, NO_COLOR and the other variables as
// `options` says.
std::vector<std::string> ProgramEnvironment(const LaunchOptions& options) {
  std::vector<std::string> replaced = {"TERM=", "NO_COLOR="};
  for (const std::string& given : options.environment) replaced.push_back(given.substr(0, given.find('=') + 1));
  std::vector<std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view variable(*entry);
    if (std::any_of(replaced.begin(), replaced.end(),
                    [&](const std::string& name) { return variable.starts_with(name); })) {
      continue;
    }
    variables.emplace_back(variable);
  }
  if (!options.term.empty()) variables.push_back("TERM=" + options.term);
  if (!options.noColor.empty()) variables.push_back("NO_COLOR=" + options.noColor);
  variables.insert(variables.end(), options.environment.begin(), options.environment.end());
  return variables;
}

}  // namespace

PtySession::PtySession(const std::string& binary, const LaunchOptions& options)
    : screen_(options.columns, options.rows) {
  // Everything the child needs is prepared before fork: it may only make
  // async-signal-safe calls until exec.
  const char* path = options.launcher.empty() ? binary.c_str() : options.launcher.c_str();
  const char* launched = options.launcher.empty() ? nullptr : binary.c_str();
  const char* outputFile = options.standardOutputFile.empty() ? nullptr : options.standardOutputFile.c_str();
  std::vector<char*> arguments{const_cast<char*>(path)};
  if (launched != nullptr) arguments.push_back(const_cast<char*>(launched));
  for (const std::string& argument : options.arguments) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  const std::vector<std::string> variables = ProgramEnvironment(options);
  std::vector<char*> environment;
  for (const std::string& variable : variables) environment.push_back(const_cast<char*>(variable.c_str()));
  environment.push_back(nullptr);
  int outputPipe[2] = {-1, -1};
  int errorPipe[2] = {-1, -1};
  char slaveName[128] = {0};
  if (options.withoutTerminal) {
    if (pipe2(outputPipe, O_CLOEXEC) != 0) return;
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
      close(outputPipe[0]);
      close(outputPipe[1]);
      return;
    }
  } else {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, slaveName, sizeof slaveName) != 0) {
      return;
    }
    winsize size{};
    size.ws_col = static_cast<unsigned short>(options.columns);
    size.ws_row = static_cast<unsigned short>(options.rows);
    ioctl(master_, TIOCSWINSZ, &size);
    slave_ = open(slaveName, O_RDWR | O_NOCTTY | O_CLOEXEC);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  if (slave_ >= 0) tcgetattr(slave_, &modesAtStart_);
  int pidPipe[2] = {-1, -1};
  if (options.underShell && pipe2(pidPipe, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ < 0) return;
  if (pid_ == 0) {
    // No core files from the crash tests.
    rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    if (setsid() < 0) ChildFails();
    const int null = open("/dev/null", O_RDWR);
    if (options.withoutTerminal) {
      dup2(null, 0);
      if (!options.standardInputFile.empty()) {
        const int file = open(options.standardInputFile.c_str(), O_RDONLY);
        if (file < 0) ChildFails();
        dup2(file, 0);
      }
      int closedPipe[2] = {-1, -1};
      if (options.closedStandardOutput) {
        if (pipe(closedPipe) != 0) ChildFails();
        close(closedPipe[0]);
        dup2(closedPipe[1], 1);
      } else if (outputFile != nullptr) {
        const int file = open(outputFile, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (file < 0) ChildFails();
        dup2(file, 1);
      } else {
        dup2(outputPipe[1], 1);
      }
      dup2(errorPipe[1], 2);
    } else {
      // A session leader opening a terminal without O_NOCTTY makes it its
      // controlling terminal.
      const int tty = open(slaveName, O_RDWR);
      if (tty < 0) ChildFails();
      ioctl(tty, TIOCSCTTY, 0);
      if (options.underShell) {
        const pid_t program = fork();
        if (program < 0) ChildFails();
        if (program > 0) {
          // The shell: hands the program's id up and mirrors its end.
          [[maybe_unused]] const ssize_t sent = write(pidPipe[1], &program, sizeof program);
          int status = 0;
          while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
          }
          _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        }
        // The program: its own process group, in the foreground. Taking the
        // foreground from the background needs SIGTTOU ignored meanwhile;
        // an ignored signal would stay ignored across exec, so it is reset.
        setpgid(0, 0);
        signal(SIGTTOU, SIG_IGN);
        tcsetpgrp(tty, getpid());
        signal(SIGTTOU, SIG_DFL);
      }
      dup2(options.standardInputFromNull ? null : tty, 0);
      if (outputFile != nullptr) {
        const int file = open(outputFile, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (file < 0) ChildFails();
        dup2(file, 1);
      } else {
        dup2(tty, 1);
      }
      dup2(tty, 2);
    }
    execve(path, arguments.data(), environment.data());
    ChildFails();
  }
  program_ = pid_;
  if (options.underShell) {
    close(pidPipe[1]);
    pollfd ready{pidPipe[0], POLLIN, 0};
    pid_t program = -1;
    if (poll(&ready, 1, 3000) == 1 && read(pidPipe[0], &program, sizeof program) == sizeof program) {
      program_ = program;
    }
    close(pidPipe[0]);
  }
  if (options.withoutTerminal) {
    close(outputPipe[1]);
    close(errorPipe[1]);
    outputPipe_ = outputPipe[0];
    errorPipe_ = errorPipe[0];
    for (const int fd : {outputPipe_, errorPipe_}) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  pidFd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
}

PtySession::~PtySession() {
  if (pid_ > 0 && !reaped_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  for (const int fd : {master_, slave_, outputPipe_, errorPipe_, pidFd_}) {
    if (fd >= 0) close(fd);
  }
}

void PtySession::Drain() {
  std::string bytes;
  if (OutputFd() >= 0 && ReadAvailable(master_, bytes)) {
    output_ += bytes;
    screen_.Feed(bytes);
  }
  if (outputPipe_ >= 0) ReadAvailable(outputPipe_, standardOutput_);
  if (errorPipe_ >= 0) ReadAvailable(errorPipe_, errorOutput_);
}

bool PtySession::Pump(int timeoutMs) {
  const std::size_t before = output_.size() + standardOutput_.size() + errorOutput_.size();
  pollfd watched[3] = {{OutputFd(), POLLIN, 0}, {outputPipe_, POLLIN, 0}, {errorPipe_, POLLIN, 0}};
  poll(watched, 3, timeoutMs);
  Drain();
  return output_.size() + standardOutput_.size() + errorOutput_.size() > before;
}

bool PtySession::WaitUntil(const std::function<bool(const TerminalModel&)>& done, int timeoutMs) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  Drain();
  while (!done(screen_)) {
    const int left = MsLeft(deadline);
    if (left == 0) return false;
    Pump(left);
  }
  return true;
}

bool PtySession::WaitForText(int row, int column, std::string_view text, int timeoutMs) {
  return WaitUntil(
      [&](const TerminalModel& model) {
        return row < model.rows() && model.TextAt(row, column, static_cast<int>(text.size())) == text;
      },
      timeoutMs);
}

void PtySession::Settle(int quietMs, int timeoutMs) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (MsLeft(deadline) > 0 && Pump(std::min(quietMs, MsLeft(deadline)))) {
  }
}

bool PtySession::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(master_, bytes.data(), bytes.size());
    if (written <= 0) {
      // The program does not read: let its output through, then retry once more.
      if (!Pump(100)) return false;
      continue;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void PtySession::Resize(int columns, int rows) {
  ResizeWindow(columns, rows);
  screen_.Resize(columns, rows);
}

void PtySession::ResizeWindow(int columns, int rows) {
  Drain();
  winsize size{};
  size.ws_col = static_cast<unsigned short>(columns);
  size.ws_row = static_cast<unsigned short>(rows);
  ioctl(master_, TIOCSWINSZ, &size);
}

void PtySession::Signal(int signalNumber) {
  if (program_ > 0 && !reaped_) kill(program_, signalNumber);
}

void PtySession::HangUp() {
  Drain();
  if (master_ >= 0) close(master_);
  master_ = -1;
}

std::optional<int> PtySession::ExitCode(int timeoutMs) {
  int status = 0;
  if (!WaitForExit(timeoutMs, status) || !WIFEXITED(status)) return std::nullopt;
  return WEXITSTATUS(status);
}

bool PtySession::WaitForExit(int timeoutMs, int& status) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      reaped_ = true;
      Drain();
      return true;
    }
    const int left = MsLeft(deadline);
    if (left == 0) return false;
    // The pidfd becomes readable when the program ends; without one, look
    // again every few milliseconds.
    pollfd watched[4] = {
        {OutputFd(), POLLIN, 0}, {outputPipe_, POLLIN, 0}, {errorPipe_, POLLIN, 0}, {pidFd_, POLLIN, 0}};
    poll(watched, 4, pidFd_ >= 0 ? left : std::min(left, 5));
    Drain();
  }
}

bool PtySession::WaitForStop(int timeoutMs) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (ProcessState(program_) == 'T') return true;
    const int left = MsLeft(deadline);
    if (left == 0) return false;
    // A stop is not announced on any descriptor: look again every few milliseconds.
    Pump(std::min(left, 5));
  }
}

std::string PtySession::UnreadInput(int timeoutMs) {
  std::string unread;
  if (slave_ < 0) return unread;
  const termios before = Modes();
  termios byteWise = before;
  byteWise.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  byteWise.c_cc[VMIN] = 0;
  byteWise.c_cc[VTIME] = 0;
  tcsetattr(slave_, TCSANOW, &byteWise);
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pollfd ready{slave_, POLLIN, 0};
    if (poll(&ready, 1, MsLeft(deadline)) <= 0) break;
    char buffer[4096];
    const ssize_t count = read(slave_, buffer, sizeof buffer);
    if (count <= 0) break;
    unread.append(buffer, static_cast<std::size_t>(count));
  }
  tcsetattr(slave_, TCSANOW, &before);
  return unread;
}

termios PtySession::Modes() const {
  termios modes{};
  tcgetattr(slave_, &modes);
  return modes;
}

namespace {
// The fields of /proc/<pid>/stat after the command name, which is in
// parentheses and may hold blanks: the first is field 3, the state.
std::string StatFieldsFromState(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t close = stat.rfind(')');
  return close == std::string::npos || close + 2 > stat.size() ? std::string() : stat.substr(close + 2);
}
}  // namespace

char ProcessState(pid_t pid) {
  const std::string fields = StatFieldsFromState(pid);
  return fields.empty() ? '?' : fields[0];
}

long BlockingSystemCall(pid_t pid) {
  // "number arguments... stack pc" while blocked, "running" or "-1 ..." otherwise.
  std::ifstream file("/proc/" + std::to_string(pid) + "/syscall");
  long number = -1;
  if (!(file >> number)) return -1;
  return number;
}

long ProcessorTicks(pid_t pid) {
  // utime is field 14, stime 15.
  const std::string stat = StatFieldsFromState(pid);
  if (stat.empty()) return -1;
  std::istringstream fields(stat);
  std::string field;
  long userTicks = -1;
  long systemTicks = -1;
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number == 14) userTicks = std::stol(field);
    if (number == 15) systemTicks = std::stol(field);
  }
  return userTicks < 0 || systemTicks < 0 ? -1 : userTicks + systemTicks;
}

}  // namespace termtest
