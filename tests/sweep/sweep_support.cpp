#include "tests/sweep/sweep_support.h"

#include <cstdlib>
#include <string>

namespace sweep {

ValueParser TestParser() {
  return [](std::string_view number, std::string_view unit) -> Result<long double> {
    const std::string text(number);
    char* end = nullptr;
    const long double value = std::strtold(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) return Refused("'" + text + "' is not a number");
    if (unit.empty() || unit == "cm") return value;
    if (unit == "l") return value * 1000;
    if (unit == "mm") return value / 10;
    return Refused("unknown unit '" + std::string(unit) + "'");
  };
}

}  // namespace sweep
