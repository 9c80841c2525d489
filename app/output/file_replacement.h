// A file written whole or not at all. The new contents go to a temporary
// file beside it, in the same folder, which is renamed over it once they are
// all written; a full disk, an interrupted run or a closed output leaves the
// file as it was (or absent), and a symbolic link is replaced, not followed.
// A path that names no regular file (a device such as /dev/null, a pipe such
// as a shell's >(...)) or lies in the system's /dev or /proc is written in
// place instead, where a rename would replace the device or the link itself.
//
//   std::optional<FileReplacement> chart = FileReplacement::Open("chart.svg");  // chart.svg.4711.tmp made
//   chart->Commit(svg);  // true: chart.svg holds svg; false: chart.svg as it was
//   // or dropped uncommitted: chart.svg.4711.tmp removed, chart.svg as it was
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace app {

class FileReplacement {
 public:
  // Nothing when `path` cannot be written: a folder, a file that may not be
  // written, or a folder where no file can be made. Neither creates nor
  // empties `path` itself.
  static std::optional<FileReplacement> Open(const std::string& path);

  FileReplacement(FileReplacement&& other) noexcept;
  FileReplacement& operator=(FileReplacement&& other) noexcept;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  // Uncommitted: the temporary file is removed.
  ~FileReplacement();

  // Writes `contents` and puts the file in place, once. False when any step
  // failed, the file then as it was and the temporary file removed.
  bool Commit(std::string_view contents);

 private:
  FileReplacement(std::string path, std::string temporary, int descriptor)
      : path_(std::move(path)), temporary_(std::move(temporary)), descriptor_(descriptor) {}
  void Discard();

  std::string path_;
  // Empty when written in place.
  std::string temporary_;
  int descriptor_ = -1;
};

}  // namespace app
