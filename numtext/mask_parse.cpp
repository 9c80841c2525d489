// Splitting a print mask into sections and reading a section into its
// template of literal characters and digit positions.

#include "numtext/mask_parse.h"

namespace numtext {

void TemplateEntries::Reset(std::size_t capacity) {
  size = 0;
  if (capacity <= kInlineCapacity) {
    data = inlineEntries.data();
    return;
  }
  spilled.resize(capacity);
  data = spilled.data();
}

MaskSections SplitMaskSections(std::string_view mask) {
  MaskSections sections;
  std::size_t start = 0;
  bool quoted = false;
  std::size_t i = 0;
  for (; i < mask.size(); ++i) {
    const char c = mask[i];
    if (quoted) {
      // Inside quotes everything up to the closing quote is text, a
      // backslash included.
      if (c == '"') quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == '\\') {
      ++i;  // the escaped character, ';' or not, is text
    } else if (c == ';') {
      sections.text[static_cast<std::size_t>(sections.count++)] = mask.substr(start, i - start);
      start = i + 1;
      if (sections.count == kMaxMaskSections) return sections;
    }
  }
  sections.text[static_cast<std::size_t>(sections.count++)] = mask.substr(start);
  return sections;
}

namespace {

// Builds the template; the parse state lives here rather than in the result.
class SectionReader {
 public:
  explicit SectionReader(MaskSection& parsed) : out(parsed) {}

  void AddDigitPosition(EntryKind kind, char fillCharacter) {
    const std::int64_t index = out.entries.Size();
    out.entries.Append(kind, fillCharacter);
    if (inExponent) {
      ++out.exponentPositions;
      if (out.leftmostExponentPosition == kNoEntry) out.leftmostExponentPosition = index;
      if (kind == EntryKind::kZero && out.leftmostExponentZero == kNoEntry) out.leftmostExponentZero = index;
    } else if (pointSeen) {
      ++out.fractionPositions;
    } else {
      ++out.integerPositions;
      if (out.leftmostIntegerPosition == kNoEntry) out.leftmostIntegerPosition = index;
      if (kind == EntryKind::kZero && out.leftmostIntegerZero == kNoEntry) out.leftmostIntegerZero = index;
    }
    anyDigitPosition = true;
    producedDigit = true;
  }

  void AddLiteral(char c) { out.entries.Append(EntryKind::kLiteral, c); }

  void Read(std::string_view section);

 private:
  MaskSection& out;
  bool pointSeen = false;
  bool inExponent = false;
  bool anyDigitPosition = false;
  bool producedDigit = false;  // by the character just read
  bool hasFill = false;
  char fill = 0;
};

void SectionReader::Read(std::string_view section) {
  const std::size_t n = section.size();
  std::int64_t firstPoint = kNoEntry;
  bool afterDigit = false;  // the previous character produced a digit position
  for (std::size_t i = 0; i < n; ++i) {
    const char c = section[i];
    producedDigit = false;
    switch (c) {
      case '#':
        if (hasFill) {
          AddDigitPosition(EntryKind::kFill, fill);
        } else {
          AddDigitPosition(EntryKind::kPlain, 0);
        }
        break;
      case '0': AddDigitPosition(EntryKind::kZero, 0); break;
      case '.':
        if (!pointSeen) {
          pointSeen = true;
          firstPoint = out.entries.Size();
        }
        AddLiteral('.');
        break;
      case ',':
        if (afterDigit && !inExponent) {
          out.grouping = true;
        } else {
          AddLiteral(',');
        }
        break;
      case '%':
        if (afterDigit) {
          out.percent = true;
          AddLiteral('%');
        }
        break;
      case 'E':
      case 'e':
        if (!inExponent && anyDigitPosition) {
          AddLiteral(c);
          if (i + 1 < n && (section[i + 1] == '-' || section[i + 1] == '+')) {
            out.exponentMode = section[i + 1] == '+' ? ExponentMode::kAlwaysSigned : ExponentMode::kMinusOnly;
            inExponent = true;
            out.exponentStart = out.entries.Size();
            ++i;
          }
        }
        break;
      case '*':
        if (i + 1 < n) {
          fill = section[++i];
          hasFill = true;
          AddDigitPosition(EntryKind::kFill, fill);
          AddDigitPosition(EntryKind::kFill, fill);
        } else {
          AddLiteral('*');
        }
        break;
      case '"':
        for (++i; i < n && section[i] != '"'; ++i) AddLiteral(section[i]);
        break;
      case '\\':
        if (i + 1 < n) AddLiteral(section[++i]);
        break;
      case '-':
      case '+':
      case '(':
      case ')':
      case '$':
      case ' ': AddLiteral(c); break;
      default: break;  // letters, '/', ':' and the like mean nothing
    }
    afterDigit = producedDigit;
  }

  // An 'E+' with no digit position after it leaves only its letter.
  if (!inExponent || out.exponentPositions == 0) {
    out.exponentMode = ExponentMode::kNone;
    out.exponentStart = out.entries.Size();
  }
  out.pointIndex = (firstPoint == kNoEntry || firstPoint > out.exponentStart) ? out.exponentStart : firstPoint;
}

}  // namespace

void ParseMaskSection(std::string_view section, MaskSection& parsed) {
  parsed.integerPositions = 0;
  parsed.fractionPositions = 0;
  parsed.exponentPositions = 0;
  parsed.exponentMode = ExponentMode::kNone;
  parsed.grouping = false;
  parsed.percent = false;
  parsed.pointIndex = 0;
  parsed.exponentStart = 0;
  parsed.leftmostIntegerPosition = kNoEntry;
  parsed.leftmostIntegerZero = kNoEntry;
  parsed.leftmostExponentPosition = kNoEntry;
  parsed.leftmostExponentZero = kNoEntry;
  // Every character yields at most one entry; "*c" yields two from two.
  parsed.entries.Reset(section.size());
  SectionReader(parsed).Read(section);
}

}  // namespace numtext
