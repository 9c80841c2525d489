// The whole input path on random terminal bytes. The key decoder turns them
// into input records as the terminal console does, one read or one idle spell
// each time the program waits (an idle spell expires held bytes and
// unfinished pastes); the keyboard operations read the records as the
// calculator does, lines with ReadLine and the wait for any key with
// PollKey, until the bytes run out. Nothing the input holds may reach the
// screen or a line as a control byte, no line may outgrow the line capacity,
// and every key is one byte or the byte 0 and a scan code.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/terminal/key_decoder.h"
#include "tests/support/memory_console.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

constexpr std::uint8_t kFirstPrintable = 0x20;

void CheckLine(const std::string& line) {
  Check(line.size() <= static_cast<std::size_t>(console::kLineCapacity));
  for (const char c : line) Check(static_cast<std::uint8_t>(c) >= kFirstPrintable);
}

void CheckKey(const std::string& key) { Check(key.size() == 1 || (key.size() == 2 && key[0] == '\0')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t eraseByte = input.ConsumeIntegral<std::uint8_t>();
  // Which way each next read goes, bit by bit: a line, or the any-key wait.
  const std::uint32_t readings = input.ConsumeIntegral<std::uint32_t>();

  console::KeyDecoder decoder(eraseByte);
  console::MemoryConsole screen(80, 60);
  std::vector<console::InputRecord> decoded;
  screen.refillInput = [&] {
    while (screen.PendingInput() == 0 && input.remaining_bytes() > 0) {
      decoded.clear();
      const int what = input.ConsumeIntegralInRange(0, 9);
      if (what < 2) {
        const int idleMs = input.ConsumeIntegralInRange(0, 2 * console::kPasteTimeoutMs);
        decoder.Expire(idleMs, console::kEscTimeoutMs, decoded);
        decoder.ExpirePaste(idleMs, console::kPasteTimeoutMs, decoded);
      } else if (what == 2) {
        // One byte held down: long enough to run past the line capacity.
        const char byte = input.ConsumeIntegral<char>();
        decoder.Feed(std::string(input.ConsumeIntegralInRange(1, 2 * console::kLineCapacity), byte), decoded);
      } else {
        // A read, perhaps repeated (a held sequence or paste carries over
        // from one copy to the next).
        const std::string bytes = input.ConsumeBytesAsString(input.ConsumeIntegralInRange(1, 4096));
        const int copies = input.ConsumeIntegralInRange(1, 8);
        for (int i = 0; i < copies; ++i) decoder.Feed(bytes, decoded);
      }
      for (const console::InputRecord& record : decoded) screen.Push(record);
    }
  };
  console::Console console(screen);

  try {
    for (unsigned turn = 0;; ++turn) {
      if (((readings >> (turn % 32)) & 1) != 0) {
        // One prompt throughout, so that Up and Down recall earlier lines.
        CheckLine(console.ReadLine("Value ?"));
      } else {
        std::string key;
        while ((key = console.PollKey()).empty()) console.AwaitKey();
        CheckKey(key);
      }
    }
  } catch (const console::InputExhausted&) {
  }

  // Only echoes, erasing blanks and scrolls have written to the screen.
  for (int row = 0; row < screen.rows(); ++row) {
    for (int column = 0; column < screen.columns(); ++column) {
      Check(screen.Cell(row, column).character >= kFirstPrintable);
    }
  }
  return 0;
}
