// Random terminal input, cut into random reads with random idle spells in
// between. Two decoders see the same bytes, one in the fuzzer's chunks and
// one byte at a time; they must agree on every key, on what they hold and on
// being inside a paste, and an idle spell past a timeout must leave nothing
// held and no paste open.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console/terminal/key_decoder.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool SameRecords(const std::vector<console::InputRecord>& a, const std::vector<console::InputRecord>& b) {
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t eraseByte = input.ConsumeIntegral<std::uint8_t>();
  console::KeyDecoder chunked(eraseByte);
  console::KeyDecoder bytewise(eraseByte);
  std::vector<console::InputRecord> chunkedOut;
  std::vector<console::InputRecord> bytewiseOut;

  // Chunks up to 80 bytes reach past the decoder's bound on held sequences.
  constexpr int kMaxChunk = 80;
  while (input.remaining_bytes() > 0) {
    if (input.ConsumeIntegralInRange(0, 4) == 0) {
      int timeout = input.ConsumeIntegralInRange(0, 2 * console::kEscTimeoutMs);
      int idle = input.ConsumeIntegralInRange(0, 2 * console::kEscTimeoutMs);
      chunked.Expire(idle, timeout, chunkedOut);
      bytewise.Expire(idle, timeout, bytewiseOut);
      if (idle >= timeout) Check(!chunked.Pending() && !bytewise.Pending());
      const int pasteTimeout = input.ConsumeIntegralInRange(0, 2 * console::kPasteTimeoutMs);
      chunked.ExpirePaste(idle, pasteTimeout, chunkedOut);
      bytewise.ExpirePaste(idle, pasteTimeout, bytewiseOut);
      if (idle >= pasteTimeout) Check(!chunked.InPaste() && !bytewise.InPaste());
    } else {
      std::string chunk = input.ConsumeBytesAsString(input.ConsumeIntegralInRange(1, kMaxChunk));
      chunked.Feed(chunk, chunkedOut);
      for (char byte : chunk) bytewise.Feed(std::string_view(&byte, 1), bytewiseOut);
    }
    Check(chunked.Pending() == bytewise.Pending());
    Check(chunked.InPaste() == bytewise.InPaste());
    Check(SameRecords(chunkedOut, bytewiseOut));
  }
  for (const console::InputRecord& record : chunkedOut) {
    Check(record.kind == console::InputKind::kKey && record.keyDown);
    // Keys without a character always carry a scan code.
    Check(record.character != 0 || record.scanCode != 0);
  }
  return 0;
}
