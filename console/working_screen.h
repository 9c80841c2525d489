// The part of the screen buffer the program works on, one rule on every
// platform: the buffer cut to the window, so that the rows the program reads
// are the rows it can really use (a terminal or console that keeps its window
// smaller than the buffer asked for shows no more), but never below the
// smallest window the screens are laid out for.
#pragma once

#include <algorithm>

namespace console {

// The smallest window the program's screens are laid out for.
inline constexpr int kMinimumColumns = 80;
inline constexpr int kMinimumRows = 24;

// One dimension of the working screen: `buffer` cells cut to `window` cells
// (never below `minimum`); a window of unknown size (0) cuts nothing.
constexpr int WorkingExtent(int buffer, int window, int minimum) {
  if (window <= 0) return buffer;
  return std::min(buffer, std::max(window, minimum));
}

}  // namespace console
