// Print masks read into templates: which section of a mask applies, and what
// each character of that section stands for. Internal to numtext.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace numtext {

// Sections for positive, negative and zero values; a third ';' ends the mask.
inline constexpr int kMaxMaskSections = 3;

// The sections of a mask, split at each ';' that is neither quoted nor
// escaped. Sections after `count` do not exist (an existing one may be empty).
//   "#;(#);\"none\";rest" -> "#", "(#)", "\"none\"", count 3
//   "\";\"#"              -> "\";\"#", count 1
struct MaskSections {
  std::array<std::string_view, kMaxMaskSections> text{};
  int count = 0;
};
MaskSections SplitMaskSections(std::string_view mask);

// How the exponent field signs its value: 'E-' shows only a minus, 'E+'
// always shows a sign.
enum class ExponentMode : std::uint8_t { kNone, kMinusOnly, kAlwaysSigned };

// One output position of a section: a literal character, or a digit position
// that shows nothing ('#'), '0' or its fill character where the number has
// no digit for it.
enum class EntryKind : std::uint8_t { kLiteral, kPlain, kZero, kFill };

// Trivial, so that the inline storage below needs no clearing.
struct TemplateEntry {
  EntryKind kind;
  char character;  // the literal, or the fill character of a fill position
};

// The entries of a section. A section yields at most one entry per character,
// so the storage is sized once before parsing; ordinary masks fit the inline
// array and formatting them allocates nothing. Not copyable: `data` may point
// into the object itself.
class TemplateEntries {
 public:
  // Masks such as "#,##0.00 \"Hz\"" stay far below this.
  static constexpr std::size_t kInlineCapacity = 64;

  TemplateEntries() = default;
  TemplateEntries(const TemplateEntries&) = delete;
  TemplateEntries& operator=(const TemplateEntries&) = delete;

  // Empties the list and makes room for `capacity` entries.
  void Reset(std::size_t capacity);
  void Append(EntryKind kind, char character) { data[size++] = TemplateEntry{kind, character}; }

  std::int64_t Size() const { return static_cast<std::int64_t>(size); }
  const TemplateEntry& operator[](std::int64_t index) const { return data[index]; }

 private:
  std::array<TemplateEntry, kInlineCapacity> inlineEntries;  // [0, size) written
  std::vector<TemplateEntry> spilled;
  TemplateEntry* data = inlineEntries.data();
  std::size_t size = 0;
};

// Marks an entry index that does not exist.
inline constexpr std::int64_t kNoEntry = -1;

// A section read left to right. Entries [0, exponentStart) make the mantissa
// text, entries [exponentStart, Size()) the exponent text; the integer
// positions of the mantissa stand before `pointIndex`, its fraction positions
// after it.
//   "#,##0.00" -> I 4, F 2, grouping; entries # # # 0 . 0 0; pointIndex 4
//   "0.00E+00" -> I 1, F 2, X 2, always signed; entries 0 . 0 0 E | 0 0
struct MaskSection {
  std::int64_t integerPositions = 0;   // I
  std::int64_t fractionPositions = 0;  // F
  std::int64_t exponentPositions = 0;  // X
  ExponentMode exponentMode = ExponentMode::kNone;
  bool grouping = false;
  bool percent = false;

  // The first '.' of the mantissa; exponentStart when the mantissa has none.
  std::int64_t pointIndex = 0;
  // Size() when there is no exponent field.
  std::int64_t exponentStart = 0;
  std::int64_t leftmostIntegerPosition = kNoEntry;
  std::int64_t leftmostIntegerZero = kNoEntry;
  std::int64_t leftmostExponentPosition = kNoEntry;
  std::int64_t leftmostExponentZero = kNoEntry;

  TemplateEntries entries;
};

// Reads one section (without its ';') into `parsed`, which is reset first.
// Characters that mean nothing in a mask are dropped.
void ParseMaskSection(std::string_view section, MaskSection& parsed);

}  // namespace numtext
