// The console's own records, as plain values: an input record as
// ReadConsoleInputA delivers it and a cell as WriteConsoleOutputA takes it,
// with the conversions to and from the console operations' types. Nothing
// here calls the console, so the whole mapping is testable anywhere; the
// Win32 backend only copies the fields across.
#pragma once

#include <cstdint>

#include "console/platform.h"

namespace console {

// Event types of an input record (the console's numbering).
inline constexpr std::uint16_t kConsoleKeyEvent = 0x0001;
inline constexpr std::uint16_t kConsoleMouseEvent = 0x0002;
inline constexpr std::uint16_t kConsoleBufferSizeEvent = 0x0004;
inline constexpr std::uint16_t kConsoleMenuEvent = 0x0008;
inline constexpr std::uint16_t kConsoleFocusEvent = 0x0010;

// The control-key state bits that the key operations read; the console uses
// the same values (see platform.h), the rest (Num Lock, Scroll Lock, enhanced
// key) pass through unread.
inline constexpr std::uint32_t kConsoleControlKeysRead =
    kRightAltPressed | kLeftAltPressed | kRightCtrlPressed | kLeftCtrlPressed | kShiftPressed | kCapsLockOn;

// One input record with the fields of a key event; for other event types
// only `eventType` matters.
struct ConsoleInputEvent {
  std::uint16_t eventType = kConsoleKeyEvent;
  bool keyDown = false;
  std::uint16_t repeatCount = 1;
  std::uint16_t virtualKeyCode = 0;
  std::uint16_t scanCode = 0;
  std::uint8_t character = 0;  // in the console's input code page; 0 for none
  std::uint32_t controlKeyState = 0;
};

// The record the key operations see. A key-down yields one record whatever
// its repeat count (the key operations take one result per event); the
// virtual key code plays no part, the scan code says which key it was.
InputRecord ToInputRecord(const ConsoleInputEvent& event);

// A cell's attribute as the console's 16-bit attribute word: background in
// bits 4-7, foreground in bits 0-3, with the console's own bit meanings
// (blue 1, green 2, red 4, intensity 8), and never any of the grid-line or
// reverse-video bits above them.
std::uint16_t ConsoleAttributeWord(std::uint8_t attribute);
// The cell attribute of a console attribute word (its colour bits only).
std::uint8_t CellAttribute(std::uint16_t attributeWord);

}  // namespace console
