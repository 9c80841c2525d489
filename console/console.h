// The console the calculator draws on and reads keys from, over a Platform.
// Positions are 1-based, row first.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "console/line_history.h"
#include "console/platform.h"

namespace console {

// The sixteen console colours, in palette order.
enum class Color : std::uint8_t {
  kBlack,
  kBlue,
  kGreen,
  kCyan,
  kRed,
  kMagenta,
  kBrown,
  kLightGrey,
  kDarkGrey,
  kLightBlue,
  kLightGreen,
  kLightCyan,
  kLightRed,
  kLightMagenta,
  kYellow,
  kWhite,
};
// SetColor's argument for "keep the current colour".
inline constexpr std::optional<Color> kKeepColor = std::nullopt;

// Longest line ReadLine keeps; further characters are dropped without echo.
inline constexpr int kLineCapacity = 10000;

class Console {
 public:
  // Works on `platform` (which outlives it) in light grey on black, with the platform's cursor shape.
  explicit Console(Platform& platform);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Asks for a buffer and window of columns x rows (at most 9999 each); refusals go unreported.
  void SetScreenSize(std::uint32_t columns, std::uint32_t rows);
  // The rows the platform has now; 0 when it cannot tell.
  int ScreenRows();
  // Blanks every cell in the current colours and puts the cursor at 1,1.
  void ClearScreen();
  // Sets the colours later text is written in; kKeepColor keeps that one.
  void SetColor(std::optional<Color> foreground, std::optional<Color> background);
  // Moves the cursor; a coordinate outside the screen keeps the cursor's own.
  void Locate(int row, int column);
  // Writes `text` at the cursor, wrapping at the right edge; control bytes are shown, not obeyed.
  void PrintText(std::string_view text);
  // Column 1 of the next row, moving the screen up on the bottom row.
  void PrintNewLine();
  // `n` blanks; for n < 0 the empty text, with an out-of-memory error recorded.
  std::string Spaces(int n);
  // Reads an echoed line up to Enter; Up and Down recall lines typed before at the same `prompt`.
  std::string ReadLine(std::string_view prompt = {});
  // Takes one waiting key: one character, or 0 and a scan code; empty when none waits.
  std::string PollKey();
  // Blocks until a key may be waiting (`while (PollKey().empty()) AwaitKey();` never spins).
  void AwaitKey();

 private:
  friend class ConsoleProbe;  // tests read the record and reach the helpers

  // The outcome of one key-down event: no key, one character, or 0 and a scan code.
  struct KeyResult {
    int length = 0;
    std::uint8_t bytes[2] = {0, 0};
  };
  // What a console holds between operations.
  struct Record {
    bool scrollPending = false;  // the screen moves up before the next write
    Color foreground = Color::kLightGrey;
    Color background = Color::kBlack;
    std::uint32_t cursorSize = 10;  // an underline, for a platform that reports no cursor
    bool cursorVisible = true;
    bool cursorRestorePending = false;
  };

  std::uint8_t CurrentAttribute() const;
  bool ReadInfo(BufferInfo& info);
  void ScrollUp();
  void SuspendCursor();
  void ForceCursor();
  void RestoreCursor();
  void RecordError(std::uint32_t number);
  static KeyResult CharacterOf(const InputRecord& record);
  KeyResult PeekKey();
  void TakeKeyEvent();
  // Waits for and takes the next key that gives a character or a scan code.
  KeyResult WaitKey();
  void CursorBack();
  // Erases the last character of `line` and its echo.
  void EraseLast(std::string& line);
  // Erases the echo of `line` and echoes `replacement` instead.
  void ReplaceLine(std::string& line, std::string_view replacement);

  Platform& platform_;
  Record state_;
  // The last run-time error n, as 0xA000 | n (n = 0 as 51); nothing reads it but tests.
  std::uint32_t errorNumber_ = 0;
  // The lines typed at each prompt, by the prompt's text.
  std::map<std::string, LineHistory, std::less<>> histories_;
};

}  // namespace console
