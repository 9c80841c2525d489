// The response of one resonator at 10^6 frequencies (20 Hz to 20 kHz on a
// logarithmic axis): its impedance, the cavity gain in dB and the absorption
// area, each point summed into a sink so that nothing is left out. The
// command line writes such rows to CSV at 2 million a second or more, so the
// computation should be several times faster.
//
//   resonance_bench --benchmark_filter=Response
//
// Each iteration is one whole axis; items per second are points per second.
// Next to it, the J1 of the piston's resistance alone, and the standard
// library's, which the fast one replaces.
#include <benchmark/benchmark.h>

#include <cmath>

#include "acoustics/bessel.h"
#include "acoustics/frequency_axis.h"
#include "acoustics/impedance.h"
#include "acoustics/resonator.h"
#include "acoustics/response.h"
#include "tests/acoustics/resonator_examples.h"

namespace {

using namespace acoustics;

// Points per octave that put about 10^6 points between 20 Hz and 20 kHz.
constexpr int kPointsPerOctave = 100343;

// The panel of 351 holes on a grid: kb from 0.12 to 124, the piston's table
// and Hankel's expansion with its sine and cosine.
using examples::Panel;

Resonator WorkedExample() { return examples::WorkedExample(EndModel::kFlanged); }

Resonator Slot() {
  Resonator design = WorkedExample();
  design.port = SlotPort{0.05, 0.01};
  return design;
}

void RunResponse(benchmark::State& state, const Resonator& design) {
  const ImpedanceModel model(design, AirAt(20));
  const FrequencyAxis axis = LogarithmicAxis(20, 20000, kPointsPerOctave);
  for (auto _ : state) {
    double sink = 0;
    for (double frequency_hz : axis) {
      const ResponsePoint point = ResponseAt(model, frequency_hz);
      sink += point.impedance_pa_s_m3.real() + point.impedance_pa_s_m3.imag() + point.cavity_gain_db +
              point.absorption_area_m2.value_or(0);
    }
    benchmark::DoNotOptimize(sink);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * axis.size()));
  state.counters["points"] = static_cast<double>(axis.size());
}

void ResponseWorkedExample(benchmark::State& state) { RunResponse(state, WorkedExample()); }
void ResponsePanel(benchmark::State& state) { RunResponse(state, Panel()); }
void ResponseSlot(benchmark::State& state) { RunResponse(state, Slot()); }

// z = 2kb over 0 to 60: the series, the table and the expansion.
template <double (*kJ1)(double)>
void J1Alone(benchmark::State& state) {
  constexpr int kPoints = 100000;
  for (auto _ : state) {
    double sink = 0;
    for (int i = 0; i < kPoints; ++i) sink += kJ1(i * (60.0 / kPoints));
    benchmark::DoNotOptimize(sink);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

double StandardJ1(double z) { return std::cyl_bessel_j(1.0, z); }

}  // namespace

BENCHMARK(ResponseWorkedExample)->Unit(benchmark::kMillisecond);
BENCHMARK(ResponsePanel)->Unit(benchmark::kMillisecond);
BENCHMARK(ResponseSlot)->Unit(benchmark::kMillisecond);
BENCHMARK(J1Alone<BesselJ1>)->Name("J1Fast")->Unit(benchmark::kMicrosecond);
BENCHMARK(J1Alone<StandardJ1>)->Name("J1Standard")->Unit(benchmark::kMicrosecond);
