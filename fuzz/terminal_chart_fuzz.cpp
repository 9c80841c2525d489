// Any chart, titled or not, on a linear or a log x axis, drawn for any
// terminal: whatever the title, names, legends, points and window size, the
// text has no control byte but its line ends and, in colour, its own colour
// changes; it is well-formed UTF-8 without C1 controls, and plain ASCII for
// an ASCII terminal; and it has no more lines and columns than the chart is
// ever drawn in.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "app/plot/terminal_chart.h"
#include "fuzz/chart_from_bytes.h"
#include "tests/plot/fuzzed_chart_variants.h"
#include "tests/support/text_lines.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The largest drawing, whatever the window says.
constexpr int kMostColumns = 1000;
constexpr int kMostRows = 500;

// `text` without the drawing's colour changes (ESC [ code m), each checked
// to be one the style writes, and only when it writes colour.
std::string WithoutColour(const std::string& text, bool color) {
  constexpr std::string_view kCodes[] = {"0", "34", "33", "32", "31", "35", "36", "94", "93", "92", "95"};
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\x1b') {
      plain += text[i];
      continue;
    }
    Check(color && text.compare(i, 2, "\x1b[") == 0);
    const std::size_t end = text.find('m', i);
    Check(end != std::string::npos);
    const std::string_view code = std::string_view(text).substr(i + 2, end - i - 2);
    Check(std::find(std::begin(kCodes), std::end(kCodes), code) != std::end(kCodes));
    i = end;
  }
  return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  plot::TerminalStyle style;
  // Mostly the sizes of windows, whose charts take little time to draw;
  // else beyond what a window can say (65535). Both below the least the chart takes.
  const int most = data.ConsumeIntegralInRange<int>(0, 7) == 0 ? 70000 : 300;
  style.columns = data.ConsumeIntegralInRange<int>(-10, most);
  style.rows = data.ConsumeIntegralInRange<int>(-10, most);
  style.charset = data.ConsumeBool() ? plot::Charset::kUtf8 : plot::Charset::kAscii;
  style.color = data.ConsumeBool();
  // A title of any bytes and an axis scale first: the chart takes the rest.
  std::string title = data.ConsumeRandomLengthString(200);
  const plot::AxisScale scale = data.ConsumeBool() ? plot::AxisScale::kLog : plot::AxisScale::kLinear;
  const plot::Chart chart = plot::Variant(fuzzchart::AnyChart(data), std::move(title), scale);
  const std::string text = plot::TerminalChartText(chart, style);
  Check(text.ends_with('\n'));
  const std::string plain = WithoutColour(text, style.color);
  Check(testtext::PrintableUtf8(plain));
  if (style.charset == plot::Charset::kAscii) {
    Check(std::all_of(plain.begin(), plain.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
  }
  // A line shorter than the window, which is taken as at least 30 x 10.
  const std::vector<std::string> lines = testtext::Lines(plain);
  Check(lines.size() == static_cast<std::size_t>(std::clamp(style.rows, 10, kMostRows) - 1));
  const auto columns = static_cast<std::size_t>(std::clamp(style.columns, 30, kMostColumns));
  for (const std::string& line : lines) Check(testtext::Width(line) <= columns);
  return 0;
}
