// The chart as a standalone SVG document: its title centred above the plot
// (when it has one; the plot gives up the room), axes with nice ticks and
// their labels (on a log x axis those that do not crowd, decades first), the
// axis titles, one <path> per curve (each unbroken line a subpath, a lone
// point a dot, a curve of one design a disc) and a legend at the right. Its
// size follows the points the chart keeps, not the number of designs: a
// short curve has every design as a point, a reduced one only the points
// that a straight line would miss by more than a fifth of a pixel.
#pragma once

#include <string>
#include <string_view>

#include "app/plot/chart.h"

namespace plot {

inline constexpr int kSvgWidth = 800;
inline constexpr int kSvgHeight = 500;

std::string SvgText(const Chart& chart);

// `text` for XML character data and attribute values: & < > " ' as entities,
// control characters (which XML 1.0 does not allow) left out.
std::string EscapeXml(std::string_view text);

}  // namespace plot
