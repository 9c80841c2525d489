#include "acoustics/losses.h"

#include <cassert>
#include <cmath>
#include <limits>
#include <numbers>

namespace acoustics {

namespace {

// The walk that brackets the absorption peak: steps of a quarter octave from
// the lossless frequency uphill, at most four octaves. The area has one
// maximum near the resonance, so the highest point's neighbours bracket it.
constexpr int kScanOctaves = 4;
constexpr int kScanPointsPerOctave = 4;
// The refinement of the bracketed peak: parabolas through three points of
// the logarithm of the area against log2 f, whose top is nearly a parabola,
// with a golden-section step where a parabola's vertex is of no use. It
// stops when a step moves the peak by less than 1e-9 octave or the bracket
// is narrower (the area, flat at its top, is then exact to a few units in the
// last place of a double; closer in, its rounding errors would steer the
// parabolas), and in any case after 60 steps. A sweep computes one peak per
// design, so each evaluation counts: a resonance takes about ten.
constexpr double kPeakTolerance = 1e-9;
constexpr int kMostRefinements = 60;
constexpr double kGoldenStep = 0.3819660112501051;  // (3 - sqrt(5)) / 2

double AreaAtLog2(const ImpedanceModel& model, double log2_hz) { return *AbsorptionAreaM2(model, std::exp2(log2_hz)); }

// Three points of log2 f, the middle one the highest, and their log areas.
struct Bracket {
  double low, mid, high;
  double low_log, mid_log, high_log;
  double mid_area;
};

// The next point to evaluate: the vertex of the parabola through the
// bracket, or a golden step into its larger part when the vertex is outside
// or on the middle point.
double NextPoint(const Bracket& b) {
  const double left = b.mid - b.low;
  const double right = b.mid - b.high;
  const double p = left * left * (b.mid_log - b.high_log) - right * right * (b.mid_log - b.low_log);
  const double q = left * (b.mid_log - b.high_log) - right * (b.mid_log - b.low_log);
  const double vertex = q != 0 ? b.mid - 0.5 * p / q : b.mid;
  if (vertex > b.low && vertex < b.high && vertex != b.mid) return vertex;
  return left > -right ? b.mid - kGoldenStep * left : b.mid - kGoldenStep * right;
}

// The maximum of the area in a bracket whose middle point is highest.
AbsorptionPeak RefinedMaximum(const ImpedanceModel& model, Bracket b) {
  for (int i = 0; i < kMostRefinements; ++i) {
    const double x = NextPoint(b);
    const double area = AreaAtLog2(model, x);
    const double log_area = std::log(area);
    const bool converged = std::abs(x - b.mid) < kPeakTolerance;
    if (log_area > b.mid_log) {
      (x > b.mid ? b.low : b.high) = b.mid;
      (x > b.mid ? b.low_log : b.high_log) = b.mid_log;
      b.mid = x;
      b.mid_log = log_area;
      b.mid_area = area;
    } else {
      (x > b.mid ? b.high : b.low) = x;
      (x > b.mid ? b.high_log : b.low_log) = log_area;
    }
    if (converged || b.high - b.low < kPeakTolerance) break;
  }
  return {std::exp2(b.mid), b.mid_area};
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
  const auto area = [&](int i) { return AreaAtLog2(model, centre + i * step); };
  // Uphill from the lossless frequency, one way or the other, to the top.
  int best = 0;
  double best_area = area(0);
  const double above = area(1);
  const int direction = above > best_area ? 1 : -1;
  for (int i = direction; std::abs(i) <= kScanOctaves * kScanPointsPerOctave; i += direction) {
    const double next = i == 1 ? above : area(i);
    if (!(next > best_area)) break;
    best = i;
    best_area = next;
  }
  const double low = centre + (best - 1) * step;
  const double high = centre + (best + 1) * step;
  return RefinedMaximum(model, {low, centre + best * step, high, std::log(AreaAtLog2(model, low)), std::log(best_area),
                                std::log(AreaAtLog2(model, high)), best_area});
}

}  // namespace acoustics
