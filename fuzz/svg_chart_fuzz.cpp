// Any chart, titled or not, on a linear or a log x axis, drawn as SVG: the
// document is well-formed XML (by the chart tests' own check) that ends with
// </svg>, holds no control byte whatever the title, names and legends hold,
// draws its curves with plain numbers (no "nan" or "inf" that a renderer
// would refuse the path for) and stays small.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "app/plot/svg.h"
#include "fuzz/chart_from_bytes.h"
#include "tests/plot/fuzzed_chart_variants.h"
#include "tests/plot/svg_support.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Points of every curve and of the axes, the legend's texts: a few hundred kilobytes at most.
constexpr std::size_t kMostBytes = 2 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  // A title of any bytes and an axis scale first: the chart takes the rest.
  std::string title = data.ConsumeRandomLengthString(200);
  const plot::AxisScale scale = data.ConsumeBool() ? plot::AxisScale::kLog : plot::AxisScale::kLinear;
  const plot::Chart chart = plot::Variant(fuzzchart::AnyChart(data), std::move(title), scale);
  const std::string svg = plot::SvgText(chart);
  Check(svg.ends_with("</svg>\n"));
  Check(svg.size() <= kMostBytes);
  for (const char c : svg) {
    const auto byte = static_cast<unsigned char>(c);
    Check(c == '\n' || (byte >= 0x20 && byte != 0x7f));
  }
  Check(plot::WellFormedError(svg).empty());
  for (const std::string& path : plot::Paths(svg)) {
    Check(path.find_first_not_of("0123456789.- MLh") == std::string::npos);
  }
  return 0;
}
