#include "acoustics/response.h"

#include <cmath>

namespace acoustics {

ResponsePoint ResponseAt(const ImpedanceModel& model, double frequency_hz) {
  const std::complex<double> orifice = model.Orifice(frequency_hz);
  const std::complex<double> cavity = model.Cavity(frequency_hz);
  ResponsePoint point;
  point.frequency_hz = frequency_hz;
  point.impedance_pa_s_m3 = orifice + model.Radiation(frequency_hz) + cavity;
  const double total_norm = std::norm(point.impedance_pa_s_m3);
  // 10 log10 of the squared ratio: one logarithm, no square root.
  point.cavity_gain_db = 10 * std::log10(std::norm(cavity) / total_norm);
  if (OuterEnd(model.design().ends) != EndKind::kFree) {
    const double rho_c = model.air().density_kg_m3 * model.air().sound_speed_m_s;
    point.absorption_area_m2 = 4 * rho_c * orifice.real() / total_norm;
  }
  return point;
}

}  // namespace acoustics
