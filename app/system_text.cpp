#include "app/system_text.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstring>
#include <memory>
#include <optional>
#endif

namespace app {

#ifdef _WIN32
namespace {

struct LocalFreer {
  void operator()(wchar_t** block) const { LocalFree(block); }
};

std::string Utf8Of(const wchar_t* wide) {
  // Counts include the closing NUL; an unpaired surrogate becomes U+FFFD.
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.pop_back();
  return text;
}

// The command line as the system keeps it, split as the C runtime splits it
// for main() (quotes, backslashes before quotes), without the program's name.
std::optional<std::vector<std::string>> WideArguments() {
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreer> wide(CommandLineToArgvW(GetCommandLineW(), &count));
  if (!wide) return std::nullopt;
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8Of(wide.get()[i]));
  return arguments;
}

}  // namespace

std::wstring FileName(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

std::FILE* OpenFile(const std::string& utf8, const char* mode) {
  const std::wstring wideMode(mode, mode + std::strlen(mode));  // ASCII letters
  return _wfopen(FileName(utf8).c_str(), wideMode.c_str());
}
#else
std::FILE* OpenFile(const std::string& utf8, const char* mode) { return std::fopen(utf8.c_str(), mode); }
#endif

ProgramArguments::ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
  if (std::optional<std::vector<std::string>> wide = WideArguments()) {
    texts_ = std::move(*wide);
    for (const std::string& text : texts_) pointers_.push_back(text.c_str());
    return;
  }
#endif
  for (int i = 1; i < argc; ++i) pointers_.push_back(argv[i]);
}

}  // namespace app
