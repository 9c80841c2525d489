#include "tests/plot/svg_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace plot {
namespace {

// Whether one of XML's five named entities starts at `at`.
bool EntityAt(const std::string& xml, std::size_t at) {
  constexpr std::string_view kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
  return std::any_of(std::begin(kEntities), std::end(kEntities),
                     [&](std::string_view entity) { return xml.compare(at, entity.size(), entity) == 0; });
}

bool IsColour(std::string_view text) {
  const auto hexDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
  return text.size() == 7 && text[0] == '#' && std::all_of(text.begin() + 1, text.end(), hexDigit);
}

}  // namespace

std::string WellFormedError(const std::string& xml) {
  std::vector<std::string> open;
  std::size_t i = 0;
  bool rootSeen = false;
  auto nameAt = [&](std::size_t& p) {
    const std::size_t start = p;
    while (p < xml.size() && (std::isalnum(static_cast<unsigned char>(xml[p])) || xml[p] == '-' || xml[p] == ':')) ++p;
    return xml.substr(start, p - start);
  };
  if (xml.starts_with("<?xml")) i = xml.find("?>") + 2;
  while (i < xml.size()) {
    const char c = xml[i];
    if (c == '<') {
      ++i;
      if (i < xml.size() && xml[i] == '/') {
        ++i;
        const std::string name = nameAt(i);
        if (open.empty() || open.back() != name) return "unmatched </" + name + ">";
        open.pop_back();
        if (i >= xml.size() || xml[i] != '>') return "bad end tag " + name;
        ++i;
        continue;
      }
      if (open.empty() && rootSeen) return "second root element";
      const std::string name = nameAt(i);
      if (name.empty()) return "empty tag name";
      while (true) {
        while (i < xml.size() && xml[i] == ' ') ++i;
        if (i >= xml.size()) return "unended tag " + name;
        if (xml.compare(i, 2, "/>") == 0) {
          i += 2;
          break;
        }
        if (xml[i] == '>') {
          ++i;
          open.push_back(name);
          break;
        }
        const std::string attribute = nameAt(i);
        if (attribute.empty() || xml[i] != '=' || xml[i + 1] != '"') return "bad attribute in " + name;
        const std::size_t end = xml.find('"', i + 2);
        if (end == std::string::npos || xml.substr(i + 2, end - i - 2).find('<') != std::string::npos) {
          return "bad attribute value in " + name;
        }
        i = end + 1;
      }
      rootSeen = true;
    } else {
      if (open.empty() && c != '\n') return "text outside the root";
      if (c == '&' && !EntityAt(xml, i)) return "bad entity";
      if (static_cast<unsigned char>(c) < 0x20 && c != '\n') return "control byte";
      ++i;
    }
  }
  if (!open.empty()) return "unclosed <" + open.back() + ">";
  return rootSeen ? "" : "no element";
}

std::vector<std::string> Paths(const std::string& svg) {
  // Each <path stroke="#rrggbb" d="..."/>, exactly so.
  constexpr std::string_view kStart = "<path stroke=\"";
  constexpr std::string_view kData = "\" d=\"";
  constexpr std::string_view kEnd = "\"/>";
  std::vector<std::string> data;
  for (std::size_t at = svg.find(kStart); at != std::string::npos; at = svg.find(kStart, at + 1)) {
    const std::size_t colour = at + kStart.size();
    const std::size_t d = colour + 7;
    if (!IsColour(std::string_view(svg).substr(colour, 7)) || svg.compare(d, kData.size(), kData) != 0) continue;
    const std::size_t end = svg.find('"', d + kData.size());
    if (end == std::string::npos || svg.compare(end, kEnd.size(), kEnd) != 0) continue;
    data.push_back(svg.substr(d + kData.size(), end - d - kData.size()));
  }
  return data;
}

std::size_t Count(const std::string& text, char c) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// A cross-built test has neither tool, and leaves `file` alone.
std::optional<std::string> RendererError([[maybe_unused]] const std::string& file) {
  std::optional<std::string> error;
#ifdef HELMHOLTZ_RSVG_CONVERT
  const std::string png = file + ".png";
  error = std::system((std::string(HELMHOLTZ_RSVG_CONVERT) + " -o " + png + " " + file).c_str()) == 0
              ? ""
              : "rsvg-convert failed on " + file;
  std::remove(png.c_str());
#endif
#ifdef HELMHOLTZ_XMLLINT
  if (std::system((std::string(HELMHOLTZ_XMLLINT) + " --noout " + file).c_str()) != 0) {
    error = "xmllint failed on " + file;
  } else if (!error) {
    error = "";
  }
#endif
  return error;
}

}  // namespace plot
