// The two-row summary strip that closes every calculation screen.
#pragma once

#include <cstdint>

namespace calculator {

// The console's row count as last read: by each menu cycle, and by the panel
// itself when it is drawn, so that it follows a window resized at any time.
extern std::int16_t ScreenHeight;

// Reads ScreenHeight afresh, blanks rows ScreenHeight-2 and ScreenHeight-1 in
// the current colours, then writes seven labels (light magenta) on the first
// and seven masked values with their units (yellow) under them: frequency, volume, surface, the
// equivalent round diameter 2*sqrt(S/pi), the equivalent square side sqrt(S),
// the thickness in mm and the Q-Factor c*(sqrt(S)+t) / (f^2*S).
// Fields are not clipped: a long value runs into the next column and is then
// partly overwritten by the next field. Leaves the foreground at 14 and the
// cursor behind the Q-Factor.
//   f 220.83963, V 1000, S 3.1415927, t 1 -> values row
//   "    221Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.6"
void ShowSummaryPanel(const float& frequency, const float& volume, const float& surface,
                      const float& thickness);

}  // namespace calculator
