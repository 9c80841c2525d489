// The console: screen operations, keyboard and line input, and the process
// frame around the calculator. Positions are 1-based, row first.
#pragma once

#include <cstdint>
#include <string>

#include "console/platform.h"

namespace console {

// The one process-wide console record.
struct ConsoleRecord {
  std::uint8_t scrollPending = 0;  // 0 or 255: the screen must move up before the next write
  std::uint32_t foreground = 7;
  std::uint32_t background = 0;
  Platform* keyboardInput = nullptr;
  Platform* screenOutput = nullptr;
  std::uint32_t cursorSize = 10;
  bool cursorVisible = true;
  bool cursorRestorePending = false;
};
extern ConsoleRecord ConsoleState;

// Colour argument that keeps the current colour (any value of 16 or more does).
inline constexpr std::uint32_t kKeepColor = 0xFFFFFFFFu;

// Screen.
void SetScreenSize(std::uint32_t columns, std::uint32_t rows);
int ScreenRows();
void ClearScreen();
void SetColor(std::uint32_t foreground, std::uint32_t background);
void Locate(int row, int column);
void PrintText(std::string text);
void PrintNewLine();
std::string Spaces(int n);
void ScrollUp();
void SuspendCursor();
void ForceCursor();
void RestoreCursor();

// Keyboard.
// The outcome of one key-down event: no key, one character, or 0 and a scan code.
struct KeyResult {
  int length = 0;
  std::uint8_t bytes[2] = {0, 0};
};
std::string ReadLine();
std::string PollKey();
// Blocks until a key may be waiting; the calculator's wait for any key is
// `while (PollKey().empty()) AwaitKey();`, which never spins.
void AwaitKey();
KeyResult PeekKey();
void TakeKeyEvent();
std::uint8_t TranslateKey(std::uint8_t character, std::uint16_t scanCode, std::uint32_t controlKeys);
std::uint8_t WaitChar();
void CursorBack();

// Longest line ReadLine keeps; further characters are dropped without echo.
inline constexpr int kLineCapacity = 10000;

// Run-time errors of console and text operations. Recording error n stores
// 0xA000 | n (n = 0 is recorded as 51); nothing reads it but tests.
inline constexpr std::uint32_t kErrorOutOfMemory = 7;
extern std::uint32_t ErrorNumber;
void RecordError(std::uint32_t number);

// Puts ConsoleState into its start-up state over `platform` (both input and
// output), loading the cursor shape from it (size 10, visible when it reports none).
void InstallPlatform(Platform& platform);

// Process frame. StartUp connects to the controlling terminal, enters raw
// mode, sets the floating-point mode and the start-up ConsoleState; false when
// start-up cannot complete (a message has gone to standard error). ShutDown
// restores the terminal.
bool StartUp();
void ShutDown();

}  // namespace console
