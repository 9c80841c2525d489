#include "acoustics/panel/porous.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace acoustics {

namespace {

// The four coefficients and exponents of one empirical model:
// z_c = 1 + a X^-p - j b X^-q and k_c/k = 1 + c X^-r - j e X^-s.
struct Fit {
  double impedance_real, impedance_real_power;
  double impedance_imag, impedance_imag_power;
  double wavenumber_real, wavenumber_real_power;
  double wavenumber_imag, wavenumber_imag_power;
};

constexpr Fit kMikiFit{0.070, 0.632, 0.107, 0.632, 0.109, 0.618, 0.160, 0.618};
constexpr Fit kDelanyBazleyFit{0.0571, 0.754, 0.087, 0.732, 0.0978, 0.700, 0.189, 0.595};

// The model's variable X: f/R for Miki, rho f/R for Delany and Bazley.
double FitVariable(PorousModel model, double flow_resistivity_pa_s_m2, double frequency_hz, const Air& air) {
  const double per_resistivity = frequency_hz / flow_resistivity_pa_s_m2;
  return model == PorousModel::kMiki ? per_resistivity : air.density_kg_m3 * per_resistivity;
}

// X^-power from log X, so that a model with one exponent twice takes one
// exponential for it.
double NegativePower(double log_x, double power) { return std::exp(-power * log_x); }

}  // namespace

PorousWave PorousWaveAt(PorousModel model, double flow_resistivity_pa_s_m2, double frequency_hz, const Air& air) {
  assert(flow_resistivity_pa_s_m2 > 0 && frequency_hz > 0);
  const Fit& fit = model == PorousModel::kMiki ? kMikiFit : kDelanyBazleyFit;
  const double log_x = std::log(FitVariable(model, flow_resistivity_pa_s_m2, frequency_hz, air));
  const double impedance_real_term = NegativePower(log_x, fit.impedance_real_power);
  const double impedance_imag_term = fit.impedance_imag_power == fit.impedance_real_power
                                         ? impedance_real_term
                                         : NegativePower(log_x, fit.impedance_imag_power);
  const double wavenumber_real_term = NegativePower(log_x, fit.wavenumber_real_power);
  const double wavenumber_imag_term = fit.wavenumber_imag_power == fit.wavenumber_real_power
                                          ? wavenumber_real_term
                                          : NegativePower(log_x, fit.wavenumber_imag_power);
  const double k_air = 2 * std::numbers::pi * frequency_hz / air.sound_speed_m_s;
  PorousWave wave;
  wave.impedance = {1 + fit.impedance_real * impedance_real_term, -fit.impedance_imag * impedance_imag_term};
  wave.wavenumber_per_m = k_air * std::complex<double>(1 + fit.wavenumber_real * wavenumber_real_term,
                                                       -fit.wavenumber_imag * wavenumber_imag_term);
  return wave;
}

bool OutsideFitRange(PorousModel model, double flow_resistivity_pa_s_m2, double frequency_hz, const Air& air) {
  const double x = FitVariable(model, flow_resistivity_pa_s_m2, frequency_hz, air);
  return !(x >= 0.01 && x <= 1);
}

}  // namespace acoustics
