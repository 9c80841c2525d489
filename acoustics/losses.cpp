#include "acoustics/losses.h"

#include <cassert>
#include <cmath>
#include <limits>
#include <numbers>

namespace acoustics {

namespace {

// The scan that brackets the absorption peak: octaves either side of the
// lossless frequency, and points per octave. The area has one maximum near
// the resonance, so the best point's neighbours bracket it.
constexpr int kScanOctaves = 4;
constexpr int kScanPointsPerOctave = 4;
// Golden sections from a bracket of half an octave: after 80 the bracket is
// below a unit in the last place; the area, flat at its top, is exact well
// before.
constexpr int kGoldenSections = 80;

double AreaAtLog2(const ImpedanceModel& model, double log2_hz) { return *AbsorptionAreaM2(model, std::exp2(log2_hz)); }

// The maximum of the area over log2 f in [low, high], which brackets it.
AbsorptionPeak GoldenSectionMaximum(const ImpedanceModel& model, double low, double high) {
  const double inverse_golden = (std::sqrt(5.0) - 1) / 2;
  double left = high - inverse_golden * (high - low);
  double right = low + inverse_golden * (high - low);
  double left_area = AreaAtLog2(model, left);
  double right_area = AreaAtLog2(model, right);
  for (int i = 0; i < kGoldenSections; ++i) {
    if (left_area < right_area) {
      low = left;
      left = right;
      left_area = right_area;
      right = low + inverse_golden * (high - low);
      right_area = AreaAtLog2(model, right);
    } else {
      high = right;
      right = left;
      right_area = left_area;
      left = high - inverse_golden * (high - low);
      left_area = AreaAtLog2(model, left);
    }
  }
  return left_area < right_area ? AbsorptionPeak{std::exp2(right), right_area}
                                : AbsorptionPeak{std::exp2(left), left_area};
}

}  // namespace

Losses LossesAt(const Resonator& design, double frequency_hz, const Air& air) {
  assert(frequency_hz > 0);
  const ImpedanceModel model(design, air);
  const std::complex<double> orifice = model.Orifice(frequency_hz);
  const double radiation = model.Radiation(frequency_hz);
  // omega M = Im(Z_orifice).
  const double mass_reactance = orifice.imag();
  Losses losses;
  losses.q_radiation = mass_reactance / radiation;
  losses.q_viscous = orifice.real() > 0 ? mass_reactance / orifice.real() : std::numeric_limits<double>::infinity();
  losses.q = mass_reactance / (radiation + orifice.real());
  losses.bandwidth_hz = frequency_hz / losses.q;
  return losses;
}

std::optional<double> AbsorptionAreaM2(const ImpedanceModel& model, double frequency_hz) {
  if (OuterEnd(model.design().ends) == EndKind::kFree) return std::nullopt;
  const std::complex<double> orifice = model.Orifice(frequency_hz);
  const std::complex<double> total = orifice + model.Radiation(frequency_hz) + model.Cavity(frequency_hz);
  const double rho_c = model.air().density_kg_m3 * model.air().sound_speed_m_s;
  return 4 * rho_c * orifice.real() / std::norm(total);
}

double IdealAbsorptionAreaM2(double frequency_hz, const Air& air) {
  const double wavelength_m = air.sound_speed_m_s / frequency_hz;
  return wavelength_m * wavelength_m / (2 * std::numbers::pi);
}

std::optional<AbsorptionPeak> PeakAbsorption(const Resonator& design, const Air& air) {
  if (OuterEnd(design.ends) == EndKind::kFree) return std::nullopt;
  const ImpedanceModel model(design, air);
  const double centre = std::log2(LosslessFrequencyHz(design, air));
  const double step = 1.0 / kScanPointsPerOctave;
  int best = -kScanOctaves * kScanPointsPerOctave;
  double best_area = 0;
  for (int i = best; i <= kScanOctaves * kScanPointsPerOctave; ++i) {
    const double area = AreaAtLog2(model, centre + i * step);
    if (area > best_area) {
      best = i;
      best_area = area;
    }
  }
  return GoldenSectionMaximum(model, centre + (best - 1) * step, centre + (best + 1) * step);
}

}  // namespace acoustics
