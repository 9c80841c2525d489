// Ranges and lists of values for a swept option.
#include "app/sweep/range.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "numtext/printable_text.h"

namespace sweep {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// How far the digits of a radix number go: &H hexadecimal, &B binary,
// &O, &Q or a bare & octal.
std::size_t RadixNumberEnd(std::string_view text, std::size_t position) {
  int radix = 8;
  if (position < text.size()) {
    switch (text[position]) {
      case 'H':
      case 'h':
        radix = 16;
        ++position;
        break;
      case 'B':
      case 'b':
        radix = 2;
        ++position;
        break;
      case 'O':
      case 'o':
      case 'Q':
      case 'q': ++position; break;
      default: break;
    }
  }
  auto isRadixDigit = [radix](char c) {
    if (radix == 16) return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return c >= '0' && c < static_cast<char>('0' + radix);
  };
  while (position < text.size() && isRadixDigit(text[position])) ++position;
  while (position < text.size() && (text[position] == '&' || text[position] == '?' || text[position] == '%')) {
    ++position;
  }
  return position;
}

std::size_t DecimalNumberEnd(std::string_view text, std::size_t position) {
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) ++position;
  while (position < text.size() && IsDigit(text[position])) ++position;
  if (position < text.size() && text[position] == '.') ++position;
  while (position < text.size() && IsDigit(text[position])) ++position;
  // An exponent letter counts only with digits behind it, so that a unit
  // beginning with d (dm) stays a unit.
  if (position < text.size() && std::string_view("EeDd").find(text[position]) != std::string_view::npos) {
    std::size_t exponent = position + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      while (exponent < text.size() && IsDigit(text[exponent])) ++exponent;
      position = exponent;
    }
  }
  return position;
}

// The texts are the user's: shown through the one printable-text rule, so
// that a control byte typed into a range never reaches the terminal.
std::string Quoted(std::string_view text) { return "'" + numtext::Printable(text) + "'"; }

std::string ShortestText(long double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value));
  return std::string(buffer, result.ptr);
}

// One part of a range through the parser, named for the message.
Result<long double> ReadPart(std::string_view range, std::string_view name, std::string_view number,
                             std::string_view unit, const ValueParser& parse) {
  const Result<long double> parsed = parse(number, unit);
  const std::string part = Quoted(range) + ": the " + std::string(name) + " " + Quoted(number);
  if (!parsed.ok()) return Refused(part + ": " + parsed.refusal().message);
  if (!std::isfinite(static_cast<float>(parsed.value()))) return Refused(part + " is not finite in single precision");
  return parsed;
}

// A text with no number at all goes to the parser whole, to be refused as
// not a number rather than as an unknown unit.
std::pair<std::string_view, std::string_view> SplitValue(std::string_view text, const UnitSplitter& split) {
  const auto parts = split(text);
  if (parts.first.empty()) return {text, {}};
  return parts;
}

std::string TooManyMessage(std::string_view what, std::string_view count) {
  return std::string(what) + " gives " + std::string(count) + " values; a sweep may have at most " +
         std::to_string(kMaxDesigns) + " designs";
}

}  // namespace

std::pair<std::string_view, std::string_view> SplitNumberAndUnit(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size() && (text[position] == ' ' || text[position] == '\t')) ++position;
  const std::size_t end = position < text.size() && text[position] == '&' ? RadixNumberEnd(text, position + 1)
                                                                          : DecimalNumberEnd(text, position);
  return {text.substr(0, end), text.substr(end)};
}

bool IsRangeText(std::string_view text) { return text.find(':') != std::string_view::npos; }

Result<Range> ParseRange(std::string_view text, const ValueParser& parse, const UnitSplitter& split) {
  const std::size_t firstColon = text.find(':');
  const std::size_t secondColon = firstColon == std::string_view::npos ? firstColon : text.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos || text.find(':', secondColon + 1) != std::string_view::npos) {
    return Refused(Quoted(text) + " is not a range START:STOP:STEP");
  }
  const std::string_view startText = text.substr(0, firstColon);
  const std::string_view stopText = text.substr(firstColon + 1, secondColon - firstColon - 1);
  const auto [stepText, unit] = SplitValue(text.substr(secondColon + 1), split);
  for (const std::string_view bound : {startText, stopText}) {
    const auto [boundNumber, boundUnit] = split(bound);
    if (!boundNumber.empty() && !boundUnit.empty()) {
      return Refused(Quoted(text) + ": write the unit once, behind the step (START:STOP:STEP" +
                     numtext::Printable(boundUnit) + ")");
    }
  }

  const Result<long double> start = ReadPart(text, "start", startText, unit, parse);
  if (!start.ok()) return start.refusal();
  const Result<long double> stop = ReadPart(text, "stop", stopText, unit, parse);
  if (!stop.ok()) return stop.refusal();
  const Result<long double> step = ReadPart(text, "step", stepText, unit, parse);
  if (!step.ok()) return step.refusal();

  Range range;
  range.start = start.value();
  range.step = step.value();
  range.stop = static_cast<float>(stop.value());  // -> single
  const long double distance = stop.value() - range.start;
  if (range.step == 0) return Refused(Quoted(text) + ": the step is zero");
  if (distance != 0 && (distance > 0) != (range.step > 0)) {
    return Refused(Quoted(text) + ": the step " + ShortestText(range.step) + " goes " +
                   (range.step > 0 ? "up" : "down") + ", away from the stop " + ShortestText(range.stop));
  }
  // Steps to the multiple of the step nearest to STOP.
  const long double steps = std::floor(distance / range.step + 0.5L);
  if (!(steps < static_cast<long double>(kMaxDesigns))) {
    return Refused(TooManyMessage(Quoted(text), steps + 1 > 1e30L ? "more than 10^30" : ShortestText(steps + 1)));
  }
  range.count = static_cast<std::uint64_t>(steps) + 1;
  return range;
}

Sequence::Sequence(std::vector<Range> parts) : parts_(std::move(parts)) {
  for (const Range& part : parts_) size_ += part.count;
}

float Sequence::At(std::uint64_t index) const {
  for (const Range& part : parts_) {
    if (index < part.count) return part.At(index);
    index -= part.count;
  }
  return 0;
}

std::pair<float, float> Sequence::Bounds() const {
  bool any = false;
  float low = 0;
  float high = 0;
  for (const Range& part : parts_) {
    // A range is monotonic: its ends are its extremes.
    for (const float value : {part.At(0), part.At(part.count - 1)}) {
      low = any ? std::min(low, value) : value;
      high = any ? std::max(high, value) : value;
      any = true;
    }
  }
  return {low, high};
}

Result<Sequence> ParseSequence(std::span<const std::string_view> texts, const ValueParser& parse,
                               const UnitSplitter& split) {
  std::vector<Range> parts;
  std::uint64_t total = 0;
  for (const std::string_view text : texts) {
    Range part;
    if (IsRangeText(text)) {
      const Result<Range> range = ParseRange(text, parse, split);
      if (!range.ok()) return range.refusal();
      part = range.value();
    } else {
      const auto [number, unit] = SplitValue(text, split);
      const Result<long double> parsed = parse(number, unit);
      if (!parsed.ok()) return Refused(Quoted(text) + ": " + parsed.refusal().message);
      part.start = parsed.value();
      part.stop = static_cast<float>(part.start);  // -> single
      part.count = 1;
    }
    total += part.count;
    if (total > kMaxDesigns) return Refused(TooManyMessage("the values typed", std::to_string(total)));
    parts.push_back(part);
  }
  return Sequence(std::move(parts));
}

}  // namespace sweep
