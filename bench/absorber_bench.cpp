// Panel absorbers' frequency points per second: 10^4 seeded random designs
// (perforated, micro-perforated and slotted facings, over air or a fill of
// either model at the facing or at the wall, and bare fills) times 100
// frequencies from 50 Hz to 5 kHz, at normal incidence and in a diffuse field.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <variant>
#include <vector>

#include "acoustics/panel/absorber.h"
#include "acoustics/panel/incidence.h"

namespace {

using acoustics::Absorber;

constexpr int kDesignCount = 10000;
constexpr int kFrequencyCount = 100;

std::vector<double> Frequencies() {
  std::vector<double> frequencies_hz(kFrequencyCount);
  for (int i = 0; i < kFrequencyCount; ++i) frequencies_hz[i] = 50 * std::pow(100.0, i / (kFrequencyCount - 1.0));
  return frequencies_hz;
}

acoustics::Facing RandomFacing(std::mt19937_64& random, int kind) {
  std::uniform_real_distribution<double> unit(0, 1);
  switch (kind) {
    case 0:
      return std::get<acoustics::Facing>(acoustics::PerforatedWithOpenArea(
          0.002 + 0.01 * unit(random), 0.001 + 0.02 * unit(random), 0.005 + 0.3 * unit(random)));
    case 1:
      return std::get<acoustics::Facing>(acoustics::PerforatedWithOpenArea(
          0.0001 + 0.0008 * unit(random), 0.0002 + 0.001 * unit(random), 0.002 + 0.02 * unit(random)));
    case 2:
      return std::get<acoustics::Facing>(acoustics::SlottedWithOpenArea(
          0.001 + 0.01 * unit(random), 0.005 + 0.02 * unit(random), 0.02 + 0.3 * unit(random)));
    default: return acoustics::NoFacing();
  }
}

std::vector<Absorber> Designs() {
  std::mt19937_64 random(11654);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<Absorber> designs;
  designs.reserve(kDesignCount);
  for (int i = 0; i < kDesignCount; ++i) {
    Absorber absorber;
    absorber.facing = RandomFacing(random, i % 4);
    absorber.depth_m = 0.02 + 0.2 * unit(random);
    // Half the faced designs and every bare one have a fill.
    if (absorber.facing.kind == acoustics::FacingKind::kNone || i % 8 < 4) {
      absorber.fill = acoustics::Fill{
          .thickness_m = absorber.depth_m * (0.3 + 0.7 * unit(random)),
          .flow_resistivity_pa_s_m2 = 5000 + 30000 * unit(random),
          .model = i % 3 == 0 ? acoustics::PorousModel::kDelanyBazley : acoustics::PorousModel::kMiki,
          .place = i % 5 < 3 ? acoustics::FillPlace::kAgainstFacing : acoustics::FillPlace::kAgainstWall};
    }
    designs.push_back(absorber);
  }
  return designs;
}

void Points(benchmark::State& state, acoustics::Incidence incidence) {
  const std::vector<Absorber> designs = Designs();
  const std::vector<double> frequencies_hz = Frequencies();
  const acoustics::Air air = acoustics::AirAt(20);
  for (auto _ : state) {
    double sum = 0;
    for (const Absorber& absorber : designs) {
      for (const double frequency_hz : frequencies_hz) {
        sum += acoustics::Absorption(acoustics::SurfaceImpedance(absorber, frequency_hz, air), incidence);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kDesignCount * kFrequencyCount);
}

void NormalIncidencePoints(benchmark::State& state) { Points(state, acoustics::Incidence::kNormal); }
void DiffuseFieldPoints(benchmark::State& state) { Points(state, acoustics::Incidence::kDiffuse); }

BENCHMARK(NormalIncidencePoints)->Unit(benchmark::kMillisecond);
BENCHMARK(DiffuseFieldPoints)->Unit(benchmark::kMillisecond);

}  // namespace
