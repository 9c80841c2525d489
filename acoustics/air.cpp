#include "acoustics/air.h"

#include <cassert>
#include <cmath>

namespace acoustics {

namespace {

// The specific gas constant of dry air, J/(kg K).
constexpr double kDryAirGasConstant = 287.05;
// Sutherland's constants for air: the reference coefficient, Pa s / K^0.5,
// and the temperature S, K.
constexpr double kSutherlandCoefficient = 1.458e-6;
constexpr double kSutherlandTemperatureK = 110.4;

}  // namespace

Air AirAt(double temperature_c) {
  const double kelvin = temperature_c + kZeroCelsiusK;
  assert(kelvin > 0);
  Air air;
  air.temperature_c = temperature_c;
  air.sound_speed_m_s = 331.3 * std::sqrt(1 + temperature_c / kZeroCelsiusK);
  air.density_kg_m3 = kStandardPressurePa / (kDryAirGasConstant * kelvin);
  air.viscosity_pa_s = kSutherlandCoefficient * kelvin * std::sqrt(kelvin) / (kelvin + kSutherlandTemperatureK);
  return air;
}

Air WithSoundSpeed(Air air, double sound_speed_m_s) {
  assert(sound_speed_m_s > 0);
  air.sound_speed_m_s = sound_speed_m_s;
  return air;
}

}  // namespace acoustics
