#include "acoustics/resonator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace acoustics {
namespace {

Resonator RoundDesign(double diameter_m, EndModel ends, std::optional<double> pitch_m) {
  Resonator design;
  design.volume_m3 = 1e-3;
  design.thickness_m = 0.01;
  design.port = RoundPort{diameter_m};
  design.port_count = 4;
  design.ends = ends;
  design.pitch_m = pitch_m;
  return design;
}

TEST(ResonatorTest, DesignFaults) {
  struct Row {
    EndModel ends;
    std::optional<double> pitch_m;
    std::optional<DesignFault> fault;
  };
  // d = 2 cm: phi = pi 1e-4 / P^2 is 0.4 at P = 2.8025 cm.
  for (const Row& row : {
           Row{EndModel::kFlanged, std::nullopt, std::nullopt},
           Row{EndModel::kFree, std::nullopt, std::nullopt},
           Row{EndModel::kFlangedFree, 0.05, std::nullopt},
           Row{EndModel::kFlanged, 0.0281, std::nullopt},
           Row{EndModel::kFlanged, 0.0280, DesignFault::kOpenAreaOverLimit},
           Row{EndModel::kFlanged, 0.02, DesignFault::kOpenAreaOverLimit},
           Row{EndModel::kFree, 1.0, DesignFault::kPitchWithFreeOuterEnd},
       }) {
    EXPECT_EQ(FindDesignFault(RoundDesign(0.02, row.ends, row.pitch_m)), row.fault) << row.pitch_m.value_or(0);
  }
}

TEST(ResonatorTest, EndCorrectionOfEachModel) {
  const double a = 0.01;
  const double flanged = 8 / (3 * std::numbers::pi) * a;
  const double free = 0.6133 * a;
  struct Row {
    EndModel ends;
    std::optional<double> pitch_m;
    double end_correction_m;
  };
  for (const Row& row : {
           Row{EndModel::kFlanged, std::nullopt, 2 * flanged},
           Row{EndModel::kFree, std::nullopt, 2 * free},
           Row{EndModel::kFlangedFree, std::nullopt, flanged + free},
           // phi = pi / 25 at P = 5 cm.
           Row{EndModel::kFlanged, 0.05, 2 * flanged * (1 - 1.14 * std::sqrt(std::numbers::pi / 25))},
       }) {
    EXPECT_NEAR(EndCorrectionM(RoundDesign(2 * a, row.ends, row.pitch_m)), row.end_correction_m, 1e-16);
  }
}

TEST(ResonatorTest, RadiatingAreaIsTheGridOrTheClusterOfPorts) {
  EXPECT_NEAR(RadiatingAreaM2(RoundDesign(0.02, EndModel::kFlanged, 0.05)), 4 * 0.05 * 0.05, 1e-17);
  EXPECT_NEAR(RadiatingAreaM2(RoundDesign(0.02, EndModel::kFlanged, std::nullopt)), 4 * std::numbers::pi * 1e-4, 1e-17);
}

// A slot's flanged end correction against that of the circle of its area: a
// square's is 1% smaller (0.4732 sqrt(S) against 0.4789 sqrt(S)), a 1:5
// slot's 15% (mpmath: 0.852389354631137860589; the integral checked by
// quadrature).
TEST(ResonatorTest, SlotEndCorrectionIsSmallerThanTheEqualAreaCircles) {
  const double slot = static_cast<double>(SlotEndCorrection(5, 1, EndKind::kFlanged));
  const double circle = static_cast<double>(RoundEndCorrection(EqualAreaDiameterM(5) / 2, EndKind::kFlanged));
  EXPECT_NEAR(slot / circle, 0.852389354631137860589, 1e-15);
  EXPECT_NEAR(1 - slot / circle, 0.15, 0.02);
}

TEST(ResonatorTest, LosslessFrequencyOfASlot) {
  Resonator design;
  design.volume_m3 = 1e-3;
  design.thickness_m = 0.01;
  design.port = SlotPort{0.05, 0.01};
  EXPECT_NEAR(EndCorrectionM(design), 0.0182556347622901927006, 1e-17);
  EXPECT_NEAR(LosslessFrequencyHz(design, AirAt(20)), 229.783257800091243873, 1e-12);
}

}  // namespace
}  // namespace acoustics
