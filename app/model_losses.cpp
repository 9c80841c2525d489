// The losses of a design the calculator solved, from the acoustics library:
// the design in SI units at this edge, the air of the command's temperature
// with its speed of sound.
#include <algorithm>
#include <cmath>

#include "acoustics/losses.h"
#include "acoustics/resonator.h"
#include "app/model_options.h"

namespace app {
namespace {

constexpr double kMetresPerCentimetre = 0.01;
constexpr double kCubicMetresPerCubicCentimetre = 1e-6;

bool PositiveAndFinite(double x) { return std::isfinite(x) && x > 0; }

acoustics::EndModel EndModelOf(calculator::Ends ends) {
  switch (ends) {
    case calculator::Ends::kFree: return acoustics::EndModel::kFree;
    case calculator::Ends::kFlangedFree: return acoustics::EndModel::kFlangedFree;
    case calculator::Ends::kFlanged:
    case calculator::Ends::kScreen: break;
  }
  return acoustics::EndModel::kFlanged;
}

// The port as the calculator used it: a slot (its short side the height, as
// the slit flow takes it), the round hole, or the circle of a typed surface.
acoustics::PortShape PortOf(const calculator::PortModel& model, const calculator::Quantities& quantities,
                            calculator::Choice choice) {
  if (model.slot) {
    const double width_m = model.slot->width * kMetresPerCentimetre;
    const double height_m = model.slot->height * kMetresPerCentimetre;
    return acoustics::SlotPort{std::max(width_m, height_m), std::min(width_m, height_m)};
  }
  if (calculator::IsRound(choice)) return acoustics::RoundPort{quantities.diameter * kMetresPerCentimetre};
  constexpr double kSquareMetresPerSquareCentimetre = 1e-4;
  return acoustics::RoundPort{
      acoustics::EqualAreaDiameterM(std::max(0.0, quantities.surface * kSquareMetresPerSquareCentimetre))};
}

}  // namespace

std::optional<acoustics::Resonator> ResonatorOf(const ModelDesign& design) {
  const calculator::PortModel& model = design.model;
  const calculator::Quantities& quantities = design.figures.quantities;
  if (model.ends == calculator::Ends::kScreen || !design.figures.endCorrection) return std::nullopt;
  acoustics::Resonator resonator{
      .volume_m3 = quantities.volume * kCubicMetresPerCubicCentimetre,
      .thickness_m = quantities.thickness * kMetresPerCentimetre,
      .port = PortOf(model, quantities, design.design.choice),
      .port_count = model.ports,
      .ends = EndModelOf(model.ends),
      .pitch_m = model.pitch ? std::optional<double>(*model.pitch * kMetresPerCentimetre) : std::nullopt,
  };
  const bool sizes = PositiveAndFinite(resonator.volume_m3) && std::isfinite(resonator.thickness_m) &&
                     resonator.thickness_m >= 0 && PositiveAndFinite(acoustics::PortAreaM2(resonator.port));
  if (!sizes || acoustics::FindDesignFault(resonator)) return std::nullopt;
  return resonator;
}

acoustics::Air AirOf(const calculator::PortModel& model, const AirChoice& air) {
  const double speed_m_s = ConstantsFor(model, air).soundSpeed / 100.0;
  return acoustics::WithSoundSpeed(acoustics::AirAt(static_cast<double>(air.celsius.value_or(kDefaultCelsius))),
                                   speed_m_s);
}

void AddLosses(ModelDesign& design, const acoustics::Air& gas) {
  const std::optional<acoustics::Resonator> resonator = ResonatorOf(design);
  const double frequency_hz = design.figures.quantities.frequency;
  if (!resonator || !PositiveAndFinite(frequency_hz)) {
    // The lossless plug's figures would read as the losses' own.
    design.figures.qRadiation.reset();
    design.figures.bandwidth.reset();
    return;
  }
  const acoustics::Losses losses = acoustics::LossesAt(*resonator, frequency_hz, gas);
  calculator::PortSolution& figures = design.figures;
  figures.qRadiation = static_cast<float>(losses.q_radiation);
  figures.qViscous = static_cast<float>(losses.q_viscous);
  figures.q = static_cast<float>(losses.q);
  figures.bandwidth = static_cast<float>(losses.bandwidth_hz);
  if (const std::optional<acoustics::AbsorptionPeak> peak = acoustics::PeakAbsorption(*resonator, gas)) {
    figures.peakAbsorptionArea = static_cast<float>(peak->area_m2);
  }
}

}  // namespace app
