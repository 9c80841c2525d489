// Checks of an SVG document that the chart tests and the end-to-end tests of
// --plot share: its XML form, its curves' paths and the real renderers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace plot {

// Whether `xml` is one well-formed element (after an optional declaration):
// tags nest and match, attributes are quoted, every & starts a known entity,
// no < or control byte stands in text. "" when it is; enough for what the
// writer makes.
std::string WellFormedError(const std::string& xml);

// The d attribute of each curve's <path>, in order.
std::vector<std::string> Paths(const std::string& svg);

// How often `c` stands in `text` (a path's M and L are its points).
std::size_t Count(const std::string& text, char c);

// Runs rsvg-convert and xmllint, those the build machine has, on `file`:
// "" when all passed, what failed, or nothing when neither is installed.
std::optional<std::string> RendererError(const std::string& file);

}  // namespace plot
