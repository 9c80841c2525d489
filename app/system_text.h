// Text between the program, which keeps every text in UTF-8, and the system.
// Windows gives main() its arguments in the ANSI code page, which holds few
// characters beyond ASCII ("5×5" arrives as "5\xD7" "5", "1ωl" as "1?l"), and
// its narrow file calls read a name in that code page too; its wide calls
// reach every character. Elsewhere arguments and file names are bytes that
// pass through unchanged.
//
//   helmholtz.exe frequency --slot 5×5  ->  ProgramArguments(argc, argv).AfterName()
//                                           == {"frequency", "--slot", "5\xC3\x97" "5"}
//   FileName("\xCF\x89.csv")            ->  L"ω.csv" on Windows, "\xCF\x89.csv" elsewhere
//   OpenFile("\xCF\x89.csv", "rb")      ->  _wfopen(L"ω.csv", L"rb") on Windows, fopen elsewhere
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace app {

class ProgramArguments {
 public:
  ProgramArguments(int argc, char** argv);
  ProgramArguments(const ProgramArguments&) = delete;
  ProgramArguments& operator=(const ProgramArguments&) = delete;

  // The arguments after the program's name, in UTF-8.
  std::span<const char* const> AfterName() const { return pointers_; }

 private:
  std::vector<std::string> texts_;  // Windows only: the converted arguments that pointers_ show
  std::vector<const char*> pointers_;
};

// The name the system's file calls take for a file named in UTF-8; its
// c_str() goes to _wfopen or a file stream on Windows, to fopen elsewhere.
#ifdef _WIN32
std::wstring FileName(const std::string& utf8);
#else
inline const std::string& FileName(const std::string& utf8) { return utf8; }
#endif

// std::fopen for a file named in UTF-8.
std::FILE* OpenFile(const std::string& utf8, const char* mode);

}  // namespace app
