// FormatWithMask: chooses the section, prepares the digits and fills the
// section's template from right to left, the exponent field first since it
// stands at the right end of the text.

#include <memory>
#include <string>
#include <string_view>

#include "numtext/extended_bits.h"
#include "numtext/mask_parse.h"
#include "numtext/mask_round.h"
#include "numtext/numtext.h"

namespace numtext {
namespace {

// An empty section falls back on the free-form text with this many digits.
constexpr int kFallbackDigits = 15;

// Texts up to this length are built on the stack: the program's masks give
// at most 40 characters for any single-precision value (3.4E+38 has 39
// integer digits), so only odd masks or huge extended values allocate.
constexpr std::int64_t kLocalTextCapacity = 128;

// |exponent| of an int64 in decimal has at most 19 digits; one more for its sign.
constexpr int kExponentDigitCapacity = 20;

// Grouping puts a ',' to the left of every third integer digit.
constexpr std::int64_t kGroupSize = 3;

// A text written from its right end towards its left.
// The caller sizes the buffer for the longest text the section can give.
class BackwardText {
 public:
  explicit BackwardText(char* end) : end(end), cursor(end) {}
  void Put(char c) { *--cursor = c; }
  std::string Text() const { return std::string(cursor, end); }

 private:
  char* end;
  char* cursor;
};

// The free-form text without its blanks: 440 -> "440", -3.2f -> "-3.20000004768372".
std::string FreeFormText(long double value) {
  std::string text = NumberToText(value, kFallbackDigits);
  if (!text.empty() && text.back() == ' ') text.pop_back();
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

// The exponent text: the digits of |exponent| right-aligned in the field's
// positions, the sign right before the digits and their zero padding.
//   "E+00" positions, exponent -4 -> "-04"      "E+##", 3 -> "+3"
void WriteExponentText(const MaskSection& section, std::int64_t exponent, BackwardText& out) {
  // Least significant digit first, the order in which they are written.
  char digits[kExponentDigitCapacity];
  int count = 0;
  // Negated as unsigned so that no exponent magnitude overflows.
  std::uint64_t magnitude =
      exponent < 0 ? 0 - static_cast<std::uint64_t>(exponent) : static_cast<std::uint64_t>(exponent);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  int taken = 0;
  char sign = exponent < 0 ? '-' : (section.exponentMode == ExponentMode::kAlwaysSigned ? '+' : 0);
  const auto putSign = [&sign, &out] {
    if (sign != 0) out.Put(sign);
    sign = 0;
  };

  for (std::int64_t index = section.entries.Size() - 1; index >= section.exponentStart; --index) {
    const TemplateEntry& entry = section.entries[index];
    if (entry.kind == EntryKind::kLiteral) {
      out.Put(entry.character);
    } else if (taken < count) {
      out.Put(digits[taken++]);
      if (index == section.leftmostExponentPosition) {
        while (taken < count) out.Put(digits[taken++]);
        putSign();
      }
    } else if (section.leftmostExponentZero != kNoEntry && section.leftmostExponentZero <= index) {
      out.Put('0');
      if (index == section.leftmostExponentPosition) putSign();
    } else if (sign != 0) {
      putSign();
    } else if (entry.kind == EntryKind::kFill) {
      out.Put(entry.character);
    }
  }
}

// The mantissa text: fraction digits at the positions after the point (a
// trailing zero shows only at a '0' or fill position), integer digits at the
// positions before it, with zero padding, grouping, overflow digits at the
// leftmost position and the minus sign just left of the digits.
//   "#,##0.00", "123456788" -> "1,234,567.88"
//   "*x###", "5" with minus -> "xxx-5"
void WriteMantissaText(const MaskSection& section, const MaskDigits& digits, bool minusPending, BackwardText& out) {
  std::int64_t nextInteger = digits.integerLength - 1;  // read right to left
  std::int64_t nextFraction = digits.length - 1;
  bool onlyZerosToTheRight = true;  // of the next fraction digit
  std::int64_t integerWritten = 0;

  const auto putMinus = [&minusPending, &out] {
    if (minusPending) out.Put('-');
    minusPending = false;
  };
  const auto zeroPaddingAtOrLeftOf = [&section](std::int64_t index) {
    return section.leftmostIntegerZero != kNoEntry && section.leftmostIntegerZero <= index;
  };
  // The ',' goes to the left of every third digit, but only when a digit (or
  // zero padding) will stand to its left.
  const auto putIntegerDigit = [&](char digit, std::int64_t index) {
    out.Put(digit);
    ++integerWritten;
    if (section.grouping && integerWritten % kGroupSize == 0 &&
        (nextInteger >= 0 || zeroPaddingAtOrLeftOf(index - 1))) {
      out.Put(',');
    }
  };

  for (std::int64_t index = section.exponentStart - 1; index >= 0; --index) {
    const TemplateEntry& entry = section.entries[index];
    if (entry.kind == EntryKind::kLiteral) {
      out.Put(entry.character);
    } else if (index > section.pointIndex) {
      const char digit = digits.At(nextFraction--);
      const bool trailingZero = onlyZerosToTheRight && digit == '0';
      if (digit != '0') onlyZerosToTheRight = false;
      if (!trailingZero) {
        out.Put(digit);
      } else if (entry.kind == EntryKind::kZero) {
        out.Put('0');
      } else if (entry.kind == EntryKind::kFill) {
        out.Put(entry.character);
      }
    } else if (nextInteger >= 0) {
      const char digit = digits.At(nextInteger--);
      putIntegerDigit(digit, index);
      if (index == section.leftmostIntegerPosition) {
        // The number is never cut: the leftmost position takes the rest.
        while (nextInteger >= 0) {
          const char more = digits.At(nextInteger--);
          putIntegerDigit(more, index);
        }
        putMinus();
      }
    } else if (zeroPaddingAtOrLeftOf(index)) {
      putIntegerDigit('0', index);
      if (index == section.leftmostIntegerPosition) putMinus();
    } else if (minusPending) {
      putMinus();
    } else if (entry.kind == EntryKind::kFill) {
      out.Put(entry.character);
    }
  }
  // A mask without integer positions shows no integer digits, but a
  // negative number must not pass for a positive one: the minus leads.
  putMinus();
}

}  // namespace

std::string FormatWithMask(long double value, std::string_view mask) {
  const ExtendedBits bits = BitsOfExtended(value);
  const ExtendedKind kind = KindOfExtended(bits);
  // Values too small to be normal count as zero, as in the digit generator.
  const bool isZero = kind == ExtendedKind::kZeroLike;
  const bool isNaN = kind == ExtendedKind::kNotANumber;
  // A NaN picks the section of negative values but never shows a minus.
  const bool negative = isNaN || (!isZero && (bits.signAndExponent & kExtendedSignBit) != 0);

  const MaskSections sections = SplitMaskSections(mask);
  int chosen = 0;
  if (isZero) {
    if (sections.count >= 3 && !sections.text[2].empty()) chosen = 2;
  } else if (negative) {
    if (sections.count >= 2 && !sections.text[1].empty()) chosen = 1;
  }
  const std::string_view text = sections.text[static_cast<std::size_t>(chosen)];
  if (text.empty()) return FreeFormText(value);
  // The negative section shows the magnitude and brings its own signs.
  bool minusPending = negative && !isNaN && chosen == 0;

  MaskSection section;
  ParseMaskSection(text, section);

  MaskExpansion expansion = ExpansionForMask(value);
  if (section.percent && expansion.count > 0) expansion.point += 2;

  const bool withExponent = section.exponentMode != ExponentMode::kNone;
  const MaskDigits digits = withExponent
                                ? ExponentDigits(expansion, section.integerPositions, section.fractionPositions)
                                : FixedPointDigits(expansion, section.fractionPositions);
  if (digits.IsSingleZero()) minusPending = false;

  // Each entry writes at most one character; on top come the integer digits
  // beyond the positions, a ',' per three of them or of the positions, the
  // minus, and the exponent's digits and sign.
  const std::int64_t capacity = section.entries.Size() + digits.integerLength +
                                (digits.integerLength + section.integerPositions) / kGroupSize +
                                kExponentDigitCapacity + 2;
  char local[kLocalTextCapacity];
  std::unique_ptr<char[]> heap;
  char* begin = local;
  if (capacity > kLocalTextCapacity) {
    heap = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(capacity));
    begin = heap.get();
  }
  BackwardText out(begin + capacity);
  if (withExponent) WriteExponentText(section, digits.exponent, out);
  WriteMantissaText(section, digits, minusPending, out);
  return out.Text();
}

}  // namespace numtext
