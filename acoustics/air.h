// Air at a temperature: the speed of sound, the density and the dynamic
// viscosity the losses need. SI units throughout.
//
//   AirAt(20) -> sound_speed_m_s 343.2146, density_kg_m3 1.204118, viscosity_pa_s 1.81341e-5
//   AirAt(0)  -> sound_speed_m_s 331.3,    density_kg_m3 1.292284, viscosity_pa_s 1.71608e-5
#pragma once

namespace acoustics {

struct Air {
  double temperature_c = 20;
  double sound_speed_m_s = 0;
  double density_kg_m3 = 0;
  double viscosity_pa_s = 0;
};

// The sea-level pressure the density is taken at, Pa.
inline constexpr double kStandardPressurePa = 101325;
// The temperature in kelvin of 0 degrees Celsius.
inline constexpr double kZeroCelsiusK = 273.15;

// Dry air at `temperature_c` (above -273.15) and the standard pressure:
//   c   = 331.3 * sqrt(1 + T/273.15)                  m/s
//   rho = p / (287.05 * T_K)                          kg/m^3 (ideal gas)
//   eta = 1.458e-6 * T_K^1.5 / (T_K + 110.4)          Pa s   (Sutherland)
Air AirAt(double temperature_c);

// `air` with its speed of sound set alone (the density and viscosity stay
// those of its temperature).
Air WithSoundSpeed(Air air, double sound_speed_m_s);

}  // namespace acoustics
