// The values one swept option takes: the texts typed for it (the option given
// once with a range, or repeated with single values or ranges) read into a
// sequence that produces its values on demand, so that a range of any length
// costs no memory.
//
//   "10:60:5l"        -> 10000, 15000, ..., 60000 (with a parser that reads l as 1000 cm^3)
//   "5", "7.5", "10"  -> 5, 7.5, 10
//   "0:100:0.1"       -> 1001 values, the last exactly 100
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/result.h"

namespace sweep {

// Why a text was refused: one line, without the program or option name, which
// the caller puts in front. The typed texts it quotes are shown through
// numtext::Printable ("'1\x1B[2J:2:1': ..."); a ValueParser's own refusal is
// kept as it is and must follow the same rule. The command line's one
// refusal type.
using app::Refusal;
using app::Refused;
using app::Result;

// The value of one number text followed by a unit text (empty for the
// screens' unit), in the screens' unit and still in working precision, or why
// it is refused. The command line's own value parser goes here, so that a
// range reads its numbers and unit exactly as a single value does.
using ValueParser = std::function<Result<long double>(std::string_view number, std::string_view unit)>;

// Splits a value text into its number and the unit written right behind it.
using UnitSplitter = std::function<std::pair<std::string_view, std::string_view>(std::string_view text)>;

// The default UnitSplitter: the number is what the typed-number syntax reads
// (sign, digits, one point, an exponent E/e/D/d only when digits follow it;
// or & with a radix letter, its digits and the suffixes & ? %), the unit is
// everything behind it.
//   "5l" -> "5", "l";  "1e3cm3" -> "1e3", "cm3";  "2dm" -> "2", "dm";  "&H1F" -> "&H1F", ""
std::pair<std::string_view, std::string_view> SplitNumberAndUnit(std::string_view text);

// No sweep may have more designs than this.
inline constexpr std::uint64_t kMaxDesigns = 10'000'000'000ULL;

// START:STOP:STEP. Point i is START + i*STEP, computed from the index in
// working precision and rounded to single once, so errors never accumulate.
// The range goes to the multiple of STEP nearest to STOP and ends there on
// STOP itself: STOP is the last point, exactly once, and the last interval
// is the step give or take half a step (0:1:0.3 -> 0, 0.3, 0.6, 1). A step
// more than twice the distance leaves START alone (0:1:5 -> 0).
struct Range {
  long double start = 0;
  long double step = 0;
  float stop = 0;
  std::uint64_t count = 1;

  float At(std::uint64_t index) const {
    if (index > 0 && index + 1 == count) return stop;
    return static_cast<float>(start + static_cast<long double>(index) * step);  // -> single
  }
};

// True when `text` is written as a range (it holds a ':').
bool IsRangeText(std::string_view text);

// Reads "START:STOP:STEP", the unit (if any) written once behind STEP and
// applied to all three. Refused: not three parts, a unit behind START or
// STOP, a part the parser refuses, a zero or non-finite step, a step whose
// sign goes away from STOP, and more than kMaxDesigns points.
//   ParseRange("10:60:5l", parse) -> {10000, 5000, 60000, 11}
//   ParseRange("60:10:5", parse)  -> Refusal "'60:10:5': the step 5 goes up, away from the stop 10"
Result<Range> ParseRange(std::string_view text, const ValueParser& parse,
                         const UnitSplitter& split = SplitNumberAndUnit);

// The values of one swept option, in the order typed: each text is a single
// value (a range of one point) or a range.
class Sequence {
 public:
  Sequence() = default;
  explicit Sequence(std::vector<Range> parts);

  std::uint64_t Size() const { return size_; }
  // Walks the parts, of which there are as many as the option was typed.
  float At(std::uint64_t index) const;
  // The smallest and largest value, for a chart's axis.
  std::pair<float, float> Bounds() const;

 private:
  std::vector<Range> parts_;
  std::uint64_t size_ = 0;
};

// Reads every text typed for one option. Refused as ParseRange refuses, or
// when the values together exceed kMaxDesigns.
//   ParseSequence({"5", "7.5", "8:10:1"}, parse) -> 5, 7.5, 8, 9, 10
Result<Sequence> ParseSequence(std::span<const std::string_view> texts, const ValueParser& parse,
                               const UnitSplitter& split = SplitNumberAndUnit);

}  // namespace sweep
