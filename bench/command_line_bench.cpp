// The command line's throughput: designs solved and written as CSV rows
// through the buffered output (into a sink that drops the bytes), a
// response's million rows through the command itself, the absorber's
// frequency points written as CSV rows, and the CSV reader with the value
// parser over batch rows.
#include <benchmark/benchmark.h>

#include <array>
#include <sstream>
#include <string>
#include <string_view>

#include "app/absorber_command/absorber_command.h"
#include "app/batch/csv_reader.h"
#include "app/command_line.h"
#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "app/units.h"
#include "calculator/design.h"

namespace {

class DroppingSink final : public app::OutputSink {
 public:
  app::WriteStatus WriteAll(std::string_view bytes) override {
    benchmark::DoNotOptimize(bytes.data());
    return app::WriteStatus::kWritten;
  }
};

void SolvedCsvRows(benchmark::State& state) {
  DroppingSink sink;
  app::Output out(sink);
  app::DesignWriter writer(app::Format::kCsv, out);
  const calculator::Constants constants = calculator::MakeConstants();
  calculator::Quantities typed;
  typed.diameter = 2;
  typed.thickness = 1;
  float volume = 1000;
  for (auto _ : state) {
    typed.volume = volume;
    volume = volume < 2000 ? volume + 1 : 1000;
    writer.Write(calculator::Solve(calculator::Choice::kFrequencyRound, typed, constants), constants);
  }
  out.Flush();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SolvedCsvRows);

void CsvRowsWrittenOnly(benchmark::State& state) {
  DroppingSink sink;
  app::Output out(sink);
  app::DesignWriter writer(app::Format::kCsv, out);
  const calculator::Constants constants = calculator::MakeConstants();
  calculator::Quantities typed;
  typed.volume = 1000;
  typed.diameter = 2;
  typed.thickness = 1;
  const calculator::Design design = calculator::Solve(calculator::Choice::kFrequencyRound, typed, constants);
  for (auto _ : state) writer.Write(design, constants);
  out.Flush();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CsvRowsWrittenOnly);

// `helmholtz response --volume 1l --diameter 2 --thickness 1 --band
// 1:1000000:1 --format csv`: 10^6 frequencies, each computed and written as
// a row. The goal is 2 million rows a second on one core; numpy with pandas'
// to_csv (bench/response_reference.py) writes 0.26 million.
void ResponseCsvRows(benchmark::State& state) {
  constexpr std::array<const char*, 10> kArguments = {
      "response", "--volume", "1l", "--diameter", "2", "--thickness", "1", "--band=1:1000000:1", "--format", "csv"};
  std::ostringstream err;
  for (auto _ : state) {
    DroppingSink sink;
    app::Output out(sink);
    if (app::RunCommand(kArguments, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(ResponseCsvRows)->Unit(benchmark::kMillisecond);

void BatchRowsRead(benchmark::State& state) {
  std::string input = "frequency_hz,volume_cc,thickness_cm,diameter_cm\n";
  for (int row = 0; row < 10000; ++row) input += ",1" + std::to_string(row % 1000) + "l,18mm,7.5\n";
  for (auto _ : state) {
    std::size_t position = 0;
    app::CsvReader reader([&](char* buffer, std::size_t capacity) {
      const std::size_t count = std::min(capacity, input.size() - position);
      input.copy(buffer, count, position);
      position += count;
      return count;
    });
    app::CsvRecord record;
    while (reader.Next(record)) {
      for (const std::string& cell : record.cells) {
        benchmark::DoNotOptimize(app::ParseValue(cell, app::Dimension::kVolume).ok());
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 10001);
}
BENCHMARK(BatchRowsRead);

// 10^4 perforated panels (1000 depths by 10 plate thicknesses) times 100
// frequencies from 50 Hz to 5 kHz (15 an octave) as CSV rows, with every
// row's cells formatted: the command's own points per second.
void AbsorberCsvRows(benchmark::State& state, const char* incidence) {
  app::AbsorberRequest request;
  const auto set = [&](app::OptionId id, std::string text) {
    request.texts[static_cast<std::size_t>(id)] = {std::move(text)};
    request.order.push_back(id);
  };
  set(app::OptionId::kHoles, "5mm");
  set(app::OptionId::kPitch, "25mm");
  set(app::OptionId::kDepth, "20:119.9:0.1mm");
  set(app::OptionId::kThickness, "1:10:1mm");
  set(app::OptionId::kBand, "50:5000");
  set(app::OptionId::kPerOctave, "15");
  set(app::OptionId::kIncidence, incidence);
  request.format = app::Format::kCsv;
  std::ostringstream err;
  for (auto _ : state) {
    DroppingSink sink;
    app::Output out(sink);
    if (app::RunAbsorber(request, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  state.SetItemsProcessed(state.iterations() * 10000 * 100);
}
void AbsorberCsvNormal(benchmark::State& state) { AbsorberCsvRows(state, "normal"); }
BENCHMARK(AbsorberCsvNormal)->Unit(benchmark::kMillisecond);
void AbsorberCsvDiffuse(benchmark::State& state) { AbsorberCsvRows(state, "diffuse"); }
BENCHMARK(AbsorberCsvDiffuse)->Unit(benchmark::kMillisecond);

}  // namespace
