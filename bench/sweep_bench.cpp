// A CSV sweep of the frequency over volume x diameter (10^6 designs) written
// to a null sink. CommandCsv is the command's own path (RunSweep, exactly
// what `helmholtz frequency --volume 100:100000:100 --diameter 0.1:100:0.1
// --thickness 1 --format csv` runs), next to a straightforward writer that
// computes the same designs and prints each number with snprintf "%.9g"
// (CsvSnprintf9g); the others take the parts apart (walking the sweep,
// Solve, the panel figures, formatting alone, texts cached per value) to
// see where the time goes.
//
//   sweep_bench --benchmark_filter='CommandCsv|CsvSnprintf9g'
//
// Each iteration is one whole sweep; items per second are designs per second.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/output/output.h"
#include "app/sweep/sweep.h"
#include "app/sweep_command/sweep_command.h"
#include "calculator/design.h"
#include "calculator/panel_figures.h"

namespace {

using calculator::Choice;

// The numbers of one CSV row: calculation,frequency_hz,volume_cc,
// thickness_cm,diameter_cm,surface_cm2,possible,message,
// equivalent_diameter_cm,square_side_cm,thickness_mm,q_factor,error.
struct Row {
  float frequency, volume, thickness, diameter, surface;
  bool possible;
  float equivalentDiameter, side, thicknessMillimetres, quality;
};

constexpr std::string_view kImpossible = "Impossible values !";

sweep::ValueParser PlainParser() {
  return [](std::string_view number, std::string_view) -> app::Result<long double> {
    return std::strtold(std::string(number).c_str(), nullptr);
  };
}

// 1000 volumes (0.1 to 100 l) x 1000 diameters (0.1 to 100 cm), wall 1 cm.
const sweep::Sweep& VolumeByDiameter() {
  static const sweep::Sweep sweep = [] {
    std::vector<sweep::Sequence> axes;
    for (const std::string_view range : {"100:100000:100", "0.1:100:0.1"}) {
      axes.push_back(sweep::ParseSequence(std::span(&range, 1), PlainParser()).value());
    }
    return std::move(sweep::Sweep::Make(std::move(axes)).value());
  }();
  return sweep;
}

const calculator::Constants& Constants() {
  static const calculator::Constants constants = calculator::MakeConstants();
  return constants;
}

Row Compute(float volume, float diameter) {
  const calculator::Design design =
      calculator::Solve(Choice::kFrequencyRound, {.volume = volume, .thickness = 1, .diameter = diameter}, Constants());
  const calculator::Quantities& q = design.quantities;
  const calculator::PanelFigures panel = calculator::ComputePanelFigures(q, Constants());
  return {q.frequency,
          q.volume,
          q.thickness,
          q.diameter,
          q.surface,
          design.possible,
          panel.diameter,
          panel.side,
          static_cast<float>(panel.thicknessMillimetres),
          static_cast<float>(panel.quality)};
}

// A reusable output buffer handed to a sink that throws it away.
class NullSinkBuffer {
 public:
  static constexpr std::size_t kSize = 1 << 16;
  // Room for one row of any length.
  static constexpr std::size_t kRowRoom = 512;

  char* Reserve() {
    if (used_ + kRowRoom > kSize) Flush();
    return buffer_.data() + used_;
  }
  void Commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  void Flush() {
    benchmark::DoNotOptimize(buffer_.data());
    benchmark::ClobberMemory();
    used_ = 0;
  }

 private:
  std::array<char, kSize> buffer_{};
  std::size_t used_ = 0;
};

char* Append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* AppendShortest(char* out, float value) {
  *out++ = ',';
  return std::to_chars(out, out + 32, value).ptr;
}

char* AppendNinePlaces(char* out, float value) {
  *out++ = ',';
  return out + std::snprintf(out, 32, "%.9g", static_cast<double>(value));
}

template <char* (*AppendNumber)(char*, float)>
char* WriteRow(char* out, const Row& row) {
  out = Append(out, "1");
  for (const float value : {row.frequency, row.volume, row.thickness, row.diameter, row.surface}) {
    out = AppendNumber(out, value);
  }
  out = Append(out, row.possible ? ",true," : ",false,");
  if (!row.possible) out = Append(out, kImpossible);
  for (const float value : {row.equivalentDiameter, row.side, row.thicknessMillimetres, row.quality}) {
    out = AppendNumber(out, value);
  }
  return Append(out, ",\n");
}

// Each iteration walks the whole sweep, handing every design to `perDesign`;
// `afterSweep` runs at the end of each walk.
template <typename PerDesign, typename AfterSweep>
void EachDesign(benchmark::State& state, PerDesign perDesign, AfterSweep afterSweep) {
  const sweep::Sweep& sweep = VolumeByDiameter();
  for (auto _ : state) {
    for (sweep::Odometer design(sweep); design.Valid(); design.Next()) perDesign(design);
    afterSweep();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sweep.Count()));
}

template <typename PerDesign>
void EachDesign(benchmark::State& state, PerDesign perDesign) {
  EachDesign(state, perDesign, [] {});
}

template <char* (*AppendNumber)(char*, float)>
void CsvSweep(benchmark::State& state) {
  NullSinkBuffer buffer;
  EachDesign(
      state,
      [&buffer](const sweep::Odometer& design) {
        char* out = buffer.Reserve();
        buffer.Commit(WriteRow<AppendNumber>(out, Compute(design.Values()[0], design.Values()[1])));
      },
      [&buffer] { buffer.Flush(); });
}

// The command's own path: the same sweep as `helmholtz frequency --volume
// 100:100000:100 --diameter 0.1:100:0.1 --thickness 1 --format csv`, through
// RunSweep into an Output whose sink throws the blocks away.
class NullSink final : public app::OutputSink {
 public:
  app::WriteStatus WriteAll(std::string_view bytes) override {
    benchmark::DoNotOptimize(bytes.data());
    bytes_ += bytes.size();
    return app::WriteStatus::kWritten;
  }
  std::uint64_t bytes_ = 0;
};

// The command's own path under `model`: the screens' by default, or the
// textbook's flanged ends, whose every design also computes its losses and
// absorption peak.
void CommandCsvUnder(benchmark::State& state, calculator::PortModel model) {
  app::SweepRequest request;
  request.model = model;
  request.choice = Choice::kFrequencyRound;
  request.inputs = {{calculator::Quantity::kVolume, {"100:100000:100"}},
                    {calculator::Quantity::kDiameter, {"0.1:100:0.1"}},
                    {calculator::Quantity::kThickness, {"1"}}};
  request.format = app::Format::kCsv;
  request.constants = Constants();
  std::ostringstream err;
  for (auto _ : state) {
    NullSink sink;
    app::Output out(sink);
    if (app::RunSweep(request, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(VolumeByDiameter().Count()));
}
void CommandCsv(benchmark::State& state) { CommandCsvUnder(state, {}); }
BENCHMARK(CommandCsv)->Unit(benchmark::kMillisecond);
void CommandCsvFlanged(benchmark::State& state) { CommandCsvUnder(state, {.ends = calculator::Ends::kFlanged}); }
BENCHMARK(CommandCsvFlanged)->Unit(benchmark::kMillisecond);

void CsvToChars(benchmark::State& state) { CsvSweep<AppendShortest>(state); }
BENCHMARK(CsvToChars)->Unit(benchmark::kMillisecond);
void CsvSnprintf9g(benchmark::State& state) { CsvSweep<AppendNinePlaces>(state); }
BENCHMARK(CsvSnprintf9g)->Unit(benchmark::kMillisecond);

// The same rows, with every column that depends on one swept value only
// formatted once per value: the diameter's columns (diameter, surface,
// equivalent diameter, square side) once per diameter, the volume once per
// volume, the wall's once. Per design only the frequency, the plausibility
// test and the Q-Factor are computed and two numbers formatted. The frequency
// comes from the choice's formula and test as Solve calls them, without the
// cross-check lines a CSV row does not hold.
struct DiameterColumns {
  calculator::Quantities orifice;  // diameter, radius, surface
  std::string text;                // ",d,S"
  std::string panelText;           // ",equivalent diameter,side"
};

std::string ShortestTexts(std::initializer_list<float> values) {
  std::array<char, 128> buffer{};
  char* out = buffer.data();
  for (const float value : values) out = AppendShortest(out, value);
  return std::string(buffer.data(), out);
}

class CachedCsvWriter {
 public:
  static constexpr float kThickness = 1;

  // `fullSolve`: each design through Solve and the panel figures as they
  // are, only the texts cached.
  CachedCsvWriter(const sweep::Sweep& sweep, bool fullSolve) : fullSolve_(fullSolve) {
    const sweep::Sequence& diameters = sweep.Axes()[1];
    for (std::uint64_t index = 0; index < diameters.Size(); ++index) {
      DiameterColumns columns;
      columns.orifice.diameter = diameters.At(index);
      calculator::DeriveRoundOrifice(columns.orifice, Constants());
      // The equivalent diameter and the side depend on the surface alone.
      const calculator::PanelFigures panel = calculator::ComputePanelFigures(columns.orifice, Constants());
      columns.text = ShortestTexts({columns.orifice.diameter, columns.orifice.surface});
      columns.panelText = ShortestTexts({panel.diameter, panel.side});
      diameters_.push_back(std::move(columns));
    }
    calculator::Quantities wall;
    wall.thickness = kThickness;
    thicknessText_ = ShortestTexts({kThickness});
    millimetresText_ =
        ShortestTexts({static_cast<float>(calculator::ComputePanelFigures(wall, Constants()).thicknessMillimetres)});
  }

  char* Write(char* out, const sweep::Odometer& design) {
    if (design.FirstChanged() == 0) volumeText_ = ShortestTexts({design.Values()[0]});
    const DiameterColumns& columns = diameters_[design.Indices()[1]];
    calculator::Quantities q = columns.orifice;
    q.volume = design.Values()[0];
    q.thickness = kThickness;
    bool possible = false;
    float quality = 0;
    if (fullSolve_) {
      const Row row = Compute(q.volume, q.diameter);
      q.frequency = row.frequency;
      possible = row.possible;
      quality = row.quality;
    } else {
      q.frequency = calculator::FrequencyRound(q.radius, q.thickness, q.volume, Constants());
      possible = calculator::ValuesPossibleRound(q.radius, q.volume, q.frequency, Constants());
      quality = static_cast<float>(calculator::ComputePanelFigures(q, Constants()).quality);
    }
    out = Append(out, "1");
    out = AppendShortest(out, q.frequency);
    out = Append(out, volumeText_);
    out = Append(out, thicknessText_);
    out = Append(out, columns.text);
    out = Append(out, possible ? ",true," : ",false,");
    if (!possible) out = Append(out, kImpossible);
    out = Append(out, columns.panelText);
    out = Append(out, millimetresText_);
    out = AppendShortest(out, quality);
    return Append(out, ",\n");
  }

 private:
  bool fullSolve_;
  std::vector<DiameterColumns> diameters_;
  std::string volumeText_;
  std::string thicknessText_;
  std::string millimetresText_;
};

// The cached rows must be the straightforward rows, byte for byte.
bool CachedRowsMatch(const sweep::Sweep& sweep, bool fullSolve) {
  CachedCsvWriter cached(sweep, fullSolve);
  std::array<char, NullSinkBuffer::kRowRoom> expected{};
  std::array<char, NullSinkBuffer::kRowRoom> actual{};
  for (sweep::Odometer design(sweep); design.Valid(); design.Next()) {
    const char* expectedEnd =
        WriteRow<AppendShortest>(expected.data(), Compute(design.Values()[0], design.Values()[1]));
    const char* actualEnd = cached.Write(actual.data(), design);
    if (std::string_view(expected.data(), expectedEnd) != std::string_view(actual.data(), actualEnd)) return false;
  }
  return true;
}

void CachedCsvSweep(benchmark::State& state, bool fullSolve) {
  const sweep::Sweep& sweep = VolumeByDiameter();
  if (!CachedRowsMatch(sweep, fullSolve)) {
    state.SkipWithError("the cached rows differ from the straightforward rows");
    return;
  }
  CachedCsvWriter writer(sweep, fullSolve);
  NullSinkBuffer buffer;
  EachDesign(
      state,
      [&](const sweep::Odometer& design) {
        char* out = buffer.Reserve();
        buffer.Commit(writer.Write(out, design));
      },
      [&buffer] { buffer.Flush(); });
}
void CsvToCharsCachedTexts(benchmark::State& state) { CachedCsvSweep(state, true); }
BENCHMARK(CsvToCharsCachedTexts)->Unit(benchmark::kMillisecond);
void CsvToCharsCached(benchmark::State& state) { CachedCsvSweep(state, false); }
BENCHMARK(CsvToCharsCached)->Unit(benchmark::kMillisecond);

// The parts apart.

void WalkOnly(benchmark::State& state) {
  EachDesign(state, [](const sweep::Odometer& design) { benchmark::DoNotOptimize(design.Values()[1]); });
}
BENCHMARK(WalkOnly)->Unit(benchmark::kMillisecond);

void SolveOnly(benchmark::State& state) {
  EachDesign(state, [](const sweep::Odometer& design) {
    benchmark::DoNotOptimize(
        calculator::Solve(Choice::kFrequencyRound,
                          {.volume = design.Values()[0], .thickness = 1, .diameter = design.Values()[1]}, Constants()));
  });
}
BENCHMARK(SolveOnly)->Unit(benchmark::kMillisecond);

void SolveAndPanel(benchmark::State& state) {
  EachDesign(state, [](const sweep::Odometer& design) {
    benchmark::DoNotOptimize(Compute(design.Values()[0], design.Values()[1]));
  });
}
BENCHMARK(SolveAndPanel)->Unit(benchmark::kMillisecond);

// Formatting alone, over rows computed beforehand.
const std::vector<Row>& RowPool() {
  static const std::vector<Row> rows = [] {
    std::vector<Row> pool;
    const sweep::Sweep& sweep = VolumeByDiameter();
    std::uint64_t index = 0;
    for (sweep::Odometer design(sweep); design.Valid(); design.Next(), ++index) {
      if (index % 241 == 0) pool.push_back(Compute(design.Values()[0], design.Values()[1]));
    }
    return pool;
  }();
  return rows;
}

template <char* (*AppendNumber)(char*, float)>
void FormatOnly(benchmark::State& state) {
  const std::vector<Row>& rows = RowPool();
  NullSinkBuffer buffer;
  std::size_t index = 0;
  for (auto _ : state) {
    char* out = buffer.Reserve();
    buffer.Commit(WriteRow<AppendNumber>(out, rows[index]));
    if (++index == rows.size()) index = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
void FormatToChars(benchmark::State& state) { FormatOnly<AppendShortest>(state); }
BENCHMARK(FormatToChars);
void FormatSnprintf9g(benchmark::State& state) { FormatOnly<AppendNinePlaces>(state); }
BENCHMARK(FormatSnprintf9g);

}  // namespace
