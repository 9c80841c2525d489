// The SVG document: well-formed XML (checked by a small parser here, and by
// xmllint and rsvg-convert when the build machine has them), one path per
// curve with one point per possible design, labelled axes, escaped text,
// and a size that stops growing with the designs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/plot/svg.h"
#include "tests/plot/svg_support.h"

namespace plot {
namespace {

TEST(WellFormedError, CatchesWhatItChecks) {
  EXPECT_EQ(WellFormedError("<a><b x=\"1\"/>t &amp; u</a>"), "");
  EXPECT_NE(WellFormedError("<a><b></a>"), "");
  EXPECT_NE(WellFormedError("<a x=1/>"), "");
  EXPECT_NE(WellFormedError("<a>&nbsp;</a>"), "");
  EXPECT_NE(WellFormedError("<a>1 < 2</a>"), "");
  EXPECT_NE(WellFormedError("<a/><b/>"), "");
}

// Volume 10..60 l against three diameters, some designs impossible.
Chart SampleChart() {
  Chart chart(
      {"Volume", "cm^3"}, {"Frequency", "Hz"}, {10000, 60000},
      {LegendText({"diameter", "cm"}, 5), LegendText({"diameter", "cm"}, 7.5F), LegendText({"diameter", "cm"}, 10)});
  for (int volume = 10000; volume <= 60000; volume += 1000) {
    for (int curve = 0; curve < 3; ++curve) {
      const double diameter = 5 + 2.5 * curve;
      const bool possible = !(curve == 1 && volume >= 30000 && volume < 35000);
      chart.Add(static_cast<std::size_t>(curve), volume,
                possible ? std::optional(34000 / 6.2832 * std::sqrt(3.1416 * diameter * diameter / 4 / (volume * 2.0)))
                         : std::nullopt);
    }
  }
  return chart;
}

TEST(SvgText, IsWellFormedWithOnePathPerCurveAndOnePointPerPossibleDesign) {
  const std::string svg = SvgText(SampleChart());
  EXPECT_EQ(WellFormedError(svg), "");
  EXPECT_NE(svg.find("xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 800 500\""), std::string::npos);
  const std::vector<std::string> paths = Paths(svg);
  ASSERT_EQ(paths.size(), 3U);
  EXPECT_EQ(Count(paths[0], 'M') + Count(paths[0], 'L'), 51U);
  EXPECT_EQ(Count(paths[1], 'M'), 2U);
  EXPECT_EQ(Count(paths[1], 'M') + Count(paths[1], 'L'), 46U);
  EXPECT_EQ(Count(paths[2], 'M') + Count(paths[2], 'L'), 51U);
  for (const char* text : {">Volume (cm^3)</text>", ">Frequency (Hz)</text>", ">diameter 7.5 cm</text>",
                           ">60000</text>", ">10000</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
  EXPECT_LT(svg.size(), 10000U);
}

TEST(SvgText, EscapesTextForXml) {
  EXPECT_EQ(EscapeXml("a<b>&\"c'\x01\x1b[2J"), "a&lt;b&gt;&amp;&quot;c&apos;[2J");
  Chart chart({"<&>", "\x07"}, {"y", ""}, {0, 1}, {"\"'"});
  chart.Add(0, 0.5, 1);
  EXPECT_EQ(WellFormedError(SvgText(chart)), "");
}

TEST(SvgText, AChartWithoutPointsIsStillADocument) {
  const Chart chart({"x", ""}, {"y", ""}, {0, 1}, {""});
  const std::string svg = SvgText(chart);
  EXPECT_EQ(WellFormedError(svg), "");
  EXPECT_EQ(svg.find("diameter"), std::string::npos);
}

// A lone point between impossible designs is drawn as a dot.
TEST(SvgText, DrawsALonePointAsADot) {
  Chart chart({"x", ""}, {"y", ""}, {0, 2}, {""});
  chart.Add(0, 0, std::nullopt);
  chart.Add(0, 1, 1);
  chart.Add(0, 2, std::nullopt);
  const std::vector<std::string> paths = Paths(SvgText(chart));
  ASSERT_EQ(paths.size(), 1U);
  EXPECT_TRUE(paths[0].ends_with("h0"));
}

TEST(SvgText, SizeStopsGrowingWithTheDesigns) {
  std::size_t sizes[2] = {};
  for (int round = 0; round < 2; ++round) {
    const int designs = round == 0 ? 100000 : 1000000;
    Chart chart({"x", ""}, {"y", ""}, {0, 1}, {"a", "b"});
    for (int i = 0; i < designs; ++i) {
      const double x = static_cast<double>(i) / designs;
      chart.Add(static_cast<std::size_t>(i % 2), x, std::sin(x * 30));
    }
    sizes[round] = SvgText(chart).size();
  }
  EXPECT_LT(sizes[1], 30000U);
  EXPECT_LT(static_cast<double>(sizes[1]), 1.1 * static_cast<double>(sizes[0]));
}

// A reduced straight line is drawn from end to end in a few points; a
// reduced zigzag keeps its corners.
TEST(SvgText, DrawsAReducedCurveWithThePointsItsShapeNeeds) {
  Chart chart({"x", ""}, {"y", ""}, {0, 100000}, {"straight", "zigzag"});
  for (int i = 0; i <= 100000; ++i) {
    chart.Add(0, i, i);
    chart.Add(1, i, (i / 10000) % 2 == 0 ? i % 10000 : 10000 - i % 10000);
  }
  ASSERT_TRUE(chart.Reduced(0));
  const std::vector<std::string> paths = Paths(SvgText(chart));
  ASSERT_EQ(paths.size(), 2U);
  EXPECT_LE(Count(paths[0], 'L'), 3U) << paths[0];
  EXPECT_GE(Count(paths[1], 'L'), 10U) << paths[1];
  EXPECT_LE(Count(paths[1], 'L'), 40U) << paths[1];
}

// A title above the plot, escaped, in a document of the same size; one
// wider than the document squeezed into it.
TEST(SvgText, DrawsATitleAboveThePlot) {
  struct Row {
    std::string title, text;
    bool squeezed;
  };
  const std::vector<Row> rows = {
      {"volume 60 l, wall 1.2 cm; air 20 C (343.2 m/s)", ">volume 60 l, wall 1.2 cm; air 20 C (343.2 m/s)</text>",
       false},
      {"a<b & \"c\"\x1b", ">a&lt;b &amp; &quot;c&quot;</text>", false},
      {std::string(150, 'w'), " lengthAdjust=\"spacingAndGlyphs\">" + std::string(150, 'w') + "</text>", true},
  };
  const std::string untitled = SvgText(SampleChart());
  for (const Row& row : rows) {
    Chart chart = SampleChart();
    chart.SetTitle(row.title);
    const std::string svg = SvgText(chart);
    EXPECT_EQ(WellFormedError(svg), "");
    EXPECT_NE(svg.find("viewBox=\"0 0 800 500\""), std::string::npos);
    EXPECT_NE(svg.find(row.text), std::string::npos) << svg;
    EXPECT_EQ(svg.find("textLength") != std::string::npos, row.squeezed);
    EXPECT_EQ(Paths(svg).size(), 3U);
    EXPECT_NE(svg, untitled);
  }
}

// The numbers of a path's points, in order.
std::vector<double> Coordinates(const std::string& path) {
  std::vector<double> numbers;
  for (std::size_t at = 0; at < path.size();) {
    char* end = nullptr;
    const double number = std::strtod(path.c_str() + at, &end);
    if (end == path.c_str() + at) {
      ++at;
      continue;
    }
    numbers.push_back(number);
    at = static_cast<std::size_t>(end - path.c_str());
  }
  return numbers;
}

// On a log axis 20, 200 and 2000 are evenly spaced, its decades labelled.
TEST(SvgText, PlacesPointsAndTicksOnALogAxisByTheirLogarithm) {
  Chart chart({"Frequency", "Hz"}, {"y", ""}, {20, 2000}, {""}, AxisScale::kLog);
  for (const double x : {20.0, 200.0, 2000.0}) chart.Add(0, x, 1);
  const std::string svg = SvgText(chart);
  EXPECT_EQ(WellFormedError(svg), "");
  const std::vector<std::string> paths = Paths(svg);
  ASSERT_EQ(paths.size(), 1U);
  const std::vector<double> points = Coordinates(paths[0]);
  ASSERT_EQ(points.size(), 6U) << paths[0];
  EXPECT_NEAR(points[2] - points[0], points[4] - points[2], 0.1) << paths[0];
  for (const char* text : {">20</text>", ">100</text>", ">1000</text>", ">2000</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// Over six decades the ticks are decades alone, all labelled.
TEST(SvgText, LabelsTheDecadesOfAWideLogAxis) {
  Chart chart({"x", ""}, {"y", ""}, {1e-3, 1e7}, {""}, AxisScale::kLog);
  chart.Add(0, 1, 1);
  const std::string svg = SvgText(chart);
  for (const char* text : {">0.001</text>", ">1</text>", ">1000</text>", ">10000000</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

TEST(SvgText, MarksACurveOfASingleDesign) {
  Chart chart({"x", ""}, {"y", ""}, {5, 5}, {""});
  chart.Add(0, 5, 3);
  const std::string svg = SvgText(chart);
  EXPECT_EQ(WellFormedError(svg), "");
  EXPECT_NE(svg.find("<circle cx=\""), std::string::npos);
  EXPECT_EQ(SvgText(SampleChart()).find("<circle"), std::string::npos);
}

// The real renderers, when the build machine has them.
TEST(SvgText, RendersWithRsvgConvertAndPassesXmllint) {
  const std::string file = ::testing::TempDir() + "plot_svg_test.svg";
  std::ofstream(file) << SvgText(SampleChart());
  const std::optional<std::string> error = RendererError(file);
  std::remove(file.c_str());
  if (!error) GTEST_SKIP() << "neither rsvg-convert nor xmllint is installed";
  EXPECT_EQ(*error, "");
}

}  // namespace
}  // namespace plot
