#include "acoustics/impedance.h"

#include <cassert>
#include <cmath>
#include <numbers>

#include "acoustics/bessel.h"
#include "acoustics/orifice.h"

namespace acoustics {

namespace {

double AngularFrequency(double frequency_hz) { return 2 * std::numbers::pi * frequency_hz; }

// r + j m of one port without its end mass, normalised by rho c / S1.
std::complex<double> PortWithoutEnds(const PortShape& port, double thickness_m, double omega, const Air& air) {
  if (const auto* round = std::get_if<RoundPort>(&port)) {
    return RoundOrificeImpedance(round->diameter_m, thickness_m, omega, air);
  }
  return SlitImpedance(std::get<SlotPort>(port).height_m, thickness_m, omega, air);
}

}  // namespace

ImpedanceModel::ImpedanceModel(const Resonator& design, const Air& air) : design_(design), air_(air) {
  assert(!FindDesignFault(design));
  const double rho_c = air.density_kg_m3 * air.sound_speed_m_s;
  const double radiating_m2 = RadiatingAreaM2(design);
  // Levine and Schwinger's unflanged pipe radiates half the flanged piston's
  // power at low kb.
  const double free_end_share = OuterEnd(design.ends) == EndKind::kFree ? 0.5 : 1.0;
  end_correction_m_ = EndCorrectionM(design);
  orifice_scale_pa_s_m3_ = rho_c / (design.port_count * PortAreaM2(design.port));
  radiation_scale_pa_s_m3_ = free_end_share * rho_c / radiating_m2;
  piston_radius_m_ = std::sqrt(radiating_m2 / std::numbers::pi);
  cavity_stiffness_pa_m3_ = rho_c * air.sound_speed_m_s / design.volume_m3;
}

std::complex<double> ImpedanceModel::Orifice(double frequency_hz) const {
  const double omega = AngularFrequency(frequency_hz);
  const std::complex<double> normalised = PortWithoutEnds(design_.port, design_.thickness_m, omega, air_) +
                                          std::complex<double>(0, omega * end_correction_m_ / air_.sound_speed_m_s);
  return orifice_scale_pa_s_m3_ * normalised;
}

double ImpedanceModel::Radiation(double frequency_hz) const {
  const double k = AngularFrequency(frequency_hz) / air_.sound_speed_m_s;
  return radiation_scale_pa_s_m3_ * PistonResistanceFactor(2 * k * piston_radius_m_);
}

std::complex<double> ImpedanceModel::Cavity(double frequency_hz) const {
  return {0, -cavity_stiffness_pa_m3_ / AngularFrequency(frequency_hz)};
}

std::complex<double> ImpedanceModel::Total(double frequency_hz) const {
  return Orifice(frequency_hz) + Radiation(frequency_hz) + Cavity(frequency_hz);
}

}  // namespace acoustics
