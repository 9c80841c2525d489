// Any bytes as the texts typed for one swept option (split at the byte 0),
// read as a range START:STOP:STEP and as a list of values with the command
// line's own value parser in every dimension. Each gives a range or a
// sequence, or a refusal that is one line of printable ASCII (the typed text
// shown through the printable-text rule). A range has 1 to kMaxDesigns
// points, finite, in order from START, every one between START and STOP and
// the last STOP itself; a sequence holds its parts' points within its bounds.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/sweep/range.h"
#include "app/units.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckRefusal(const sweep::Refusal& refusal) {
  Check(!refusal.message.empty());
  for (const char c : refusal.message) Check(c >= 0x20 && c < 0x7F);
}

// As the sweep command reads an option's texts: one rounding to single, from the unrounded value.
sweep::ValueParser ParserFor(app::Dimension dimension) {
  return [dimension](std::string_view number, std::string_view unit) {
    return app::ParseWorkingValue(std::string(number) + std::string(unit), dimension);
  };
}

// The points worth a look: both ends, their neighbours and the middle.
std::vector<std::uint64_t> Samples(std::uint64_t count) {
  std::vector<std::uint64_t> samples = {0, count / 2, count - 1};
  if (count > 1) samples.insert(samples.end(), {1, count - 2});
  return samples;
}

void CheckRange(const sweep::Range& range) {
  Check(range.count >= 1 && range.count <= sweep::kMaxDesigns);
  const float first = range.At(0);
  const float last = range.At(range.count - 1);
  Check(std::isfinite(first) && std::isfinite(last));
  if (range.count > 1) Check(last == range.stop);
  const bool up = first <= last;
  for (const std::uint64_t index : Samples(range.count)) {
    const float point = range.At(index);
    Check(up ? first <= point && point <= last : last <= point && point <= first);
    if (index + 1 < range.count) Check(up ? point <= range.At(index + 1) : point >= range.At(index + 1));
  }
}

void CheckSequence(const sweep::Sequence& sequence, const std::vector<std::string_view>& texts) {
  Check(sequence.Size() >= texts.size() && sequence.Size() <= sweep::kMaxDesigns);
  if (sequence.Size() == 0) return;
  const auto [low, high] = sequence.Bounds();
  Check(std::isfinite(low) && std::isfinite(high) && low <= high);
  for (const std::uint64_t index : Samples(sequence.Size())) {
    const float value = sequence.At(index);
    Check(low <= value && value <= high);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> texts;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    texts.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  for (const app::Dimension dimension :
       {app::Dimension::kFrequency, app::Dimension::kVolume, app::Dimension::kLength, app::Dimension::kSurface}) {
    const sweep::ValueParser parse = ParserFor(dimension);
    for (const std::string_view text : texts) {
      if (!sweep::IsRangeText(text)) continue;
      const auto range = sweep::ParseRange(text, parse);
      if (range.ok()) {
        CheckRange(range.value());
      } else {
        CheckRefusal(range.refusal());
      }
    }
    const auto sequence = sweep::ParseSequence(texts, parse);
    if (sequence.ok()) {
      CheckSequence(sequence.value(), texts);
    } else {
      CheckRefusal(sequence.refusal());
    }
  }
  return 0;
}
