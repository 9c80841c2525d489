#include "acoustics/resonator.h"

#include <cassert>
#include <cmath>
#include <numbers>
#include <type_traits>

namespace acoustics {

namespace {

// One end of one port.
double OneEndCorrectionM(const PortShape& port, EndKind end) {
  if (const auto* round = std::get_if<RoundPort>(&port)) {
    return static_cast<double>(RoundEndCorrection(round->diameter_m / 2.0L, end));
  }
  const auto& slot = std::get<SlotPort>(port);
  return static_cast<double>(SlotEndCorrection(slot.width_m, slot.height_m, end));
}

[[maybe_unused]] bool HasPositiveSizes(const Resonator& design) {
  const bool port_ok = std::visit(
      [](const auto& port) {
        if constexpr (std::is_same_v<std::decay_t<decltype(port)>, RoundPort>) {
          return port.diameter_m > 0;
        } else {
          return port.width_m > 0 && port.height_m > 0;
        }
      },
      design.port);
  return port_ok && design.volume_m3 > 0 && design.thickness_m >= 0 && design.port_count >= 1 &&
         design.pitch_m.value_or(1) > 0;
}

}  // namespace

std::optional<DesignFault> FindDesignFault(const Resonator& design) {
  assert(HasPositiveSizes(design));
  if (!design.pitch_m) return std::nullopt;
  if (OuterEnd(design.ends) == EndKind::kFree) return DesignFault::kPitchWithFreeOuterEnd;
  if (*OpenAreaFraction(design) > kMaxInteractingOpenArea) return DesignFault::kOpenAreaOverLimit;
  return std::nullopt;
}

EndKind OuterEnd(EndModel ends) { return ends == EndModel::kFree ? EndKind::kFree : EndKind::kFlanged; }

EndKind InnerEnd(EndModel ends) { return ends == EndModel::kFlanged ? EndKind::kFlanged : EndKind::kFree; }

double EqualAreaDiameterM(double area_m2) {
  assert(area_m2 >= 0);
  return 2 * std::sqrt(area_m2 / std::numbers::pi);
}

double PortAreaM2(const PortShape& port) {
  if (const auto* round = std::get_if<RoundPort>(&port)) {
    return std::numbers::pi / 4 * round->diameter_m * round->diameter_m;
  }
  const auto& slot = std::get<SlotPort>(port);
  return slot.width_m * slot.height_m;
}

std::optional<double> OpenAreaFraction(const Resonator& design) {
  if (!design.pitch_m) return std::nullopt;
  return PortAreaM2(design.port) / (*design.pitch_m * *design.pitch_m);
}

double EndCorrectionM(const Resonator& design) {
  assert(!FindDesignFault(design));
  const double ends =
      OneEndCorrectionM(design.port, OuterEnd(design.ends)) + OneEndCorrectionM(design.port, InnerEnd(design.ends));
  const std::optional<double> open_area = OpenAreaFraction(design);
  return open_area ? ends * static_cast<double>(HoleInteractionFactor(*open_area)) : ends;
}

double RadiatingAreaM2(const Resonator& design) {
  const double per_port = design.pitch_m ? *design.pitch_m * *design.pitch_m : PortAreaM2(design.port);
  return design.port_count * per_port;
}

double LosslessFrequencyHz(const Resonator& design, const Air& air) {
  const double open_m2 = design.port_count * PortAreaM2(design.port);
  const double length_m = design.thickness_m + EndCorrectionM(design);
  return air.sound_speed_m_s / (2 * std::numbers::pi) * std::sqrt(open_m2 / (design.volume_m3 * length_m));
}

}  // namespace acoustics
