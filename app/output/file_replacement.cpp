#include "app/output/file_replacement.h"

#include "app/output/output.h"
#include "app/system_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace app {
namespace {

// Temporary names tried before giving up: the process id makes one of them
// free unless an earlier run with the same id was killed before it could
// remove its own.
constexpr int kAttempts = 100;

#ifdef _WIN32

// The paths are UTF-8, as the arguments are: the wide calls take them.
int OpenNew(const std::string& path) {
  return _wopen(FileName(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}
int OpenInPlace(const std::string& path) {
  return _wopen(FileName(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}
bool ModeOf(const std::string& path, unsigned& mode) {
  struct _stat info {};
  if (_wstat(FileName(path).c_str(), &info) != 0) return false;
  mode = info.st_mode;
  return true;
}
void RemoveFile(const std::string& path) { _wremove(FileName(path).c_str()); }
int Close(int descriptor) { return _close(descriptor); }
bool MayWrite(const std::string& path) { return _waccess(FileName(path).c_str(), 2) == 0; }
int ProcessId() { return _getpid(); }
// A plain rename refuses to replace an existing file on Windows.
bool Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(FileName(from).c_str(), FileName(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}
void KeepMode(int, const std::string&) {}

#else

int OpenNew(const std::string& path) { return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
int OpenInPlace(const std::string& path) { return open(path.c_str(), O_WRONLY | O_CLOEXEC); }
bool ModeOf(const std::string& path, unsigned& mode) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  mode = info.st_mode;
  return true;
}
void RemoveFile(const std::string& path) { std::remove(path.c_str()); }
int Close(int descriptor) { return close(descriptor); }
bool MayWrite(const std::string& path) { return access(path.c_str(), W_OK) == 0; }
int ProcessId() { return static_cast<int>(getpid()); }
bool Replace(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }
// The replacement keeps the permissions of the file it replaces.
void KeepMode(int descriptor, const std::string& path) {
  struct stat replaced {};
  if (lstat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) fchmod(descriptor, replaced.st_mode & 07777);
}

#endif

bool InSystemFolder(const std::string& path) { return path.starts_with("/dev/") || path.starts_with("/proc/"); }

}  // namespace

std::optional<FileReplacement> FileReplacement::Open(const std::string& path) {
  unsigned mode = 0;
  const bool exists = ModeOf(path, mode);
  if (exists && S_ISDIR(mode)) return std::nullopt;
  if (exists && (!S_ISREG(mode) || InSystemFolder(path))) {
    const int descriptor = OpenInPlace(path);
    if (descriptor < 0) return std::nullopt;
    return FileReplacement(path, std::string(), descriptor);
  }
  if (exists && !MayWrite(path)) return std::nullopt;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string temporary = path + "." + std::to_string(ProcessId());
    if (attempt > 0) temporary += "-" + std::to_string(attempt);
    temporary += ".tmp";
    const int descriptor = OpenNew(temporary);
    if (descriptor >= 0) {
      KeepMode(descriptor, path);
      return FileReplacement(path, std::move(temporary), descriptor);
    }
    if (errno != EEXIST) break;
  }
  return std::nullopt;
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::exchange(other.temporary_, std::string())),
      descriptor_(std::exchange(other.descriptor_, -1)) {}

FileReplacement& FileReplacement::operator=(FileReplacement&& other) noexcept {
  if (this != &other) {
    Discard();
    path_ = std::move(other.path_);
    temporary_ = std::exchange(other.temporary_, std::string());
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

FileReplacement::~FileReplacement() { Discard(); }

void FileReplacement::Discard() {
  if (descriptor_ >= 0) Close(descriptor_);
  descriptor_ = -1;
  if (!temporary_.empty()) RemoveFile(temporary_);
  temporary_.clear();
}

bool FileReplacement::Commit(std::string_view contents) {
  if (descriptor_ < 0) return false;
  const bool written = WriteAll(descriptor_, contents) == WriteStatus::kWritten;
  // A full disk may show only when the file is closed (NFS and the like).
  const bool closed = Close(descriptor_) == 0;
  descriptor_ = -1;
  if (!written || !closed || (!temporary_.empty() && !Replace(temporary_, path_))) {
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace app
