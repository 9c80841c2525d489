// Any bytes as a command line, run as main() runs one: ParseCommandLine,
// then RunCommand or Answer, the answer into a sink that keeps nothing. The
// bytes pick a subcommand, perhaps a design it can compute, and then options
// of the program (joined to their value by '=' or not) or raw arguments, each
// with text of their own, so that the parse reaches every option with any
// value. Every refusal (exit status 2) is one line "helmholtz: ..." of
// printable ASCII with nothing on standard output, a command that worked says
// nothing on standard error but warnings, and anything on standard error is lines of
// printable ASCII.
//
// Left out, so that one input stays quick and touches nothing: an argument
// holding '/' (the command runs in an empty folder of its own, where a --plot
// file is removed again and a batch file is never found; a batch without one
// reads an empty standard input), a command line whose texts could give a
// sweep of more than 4096 designs (64 for a response or an absorber, each of
// up to 6670 frequencies), and a band of more than 4096 frequencies.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>  // mkdtemp

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/output/output.h"
#include "app/response_command/response_axis.h"
#include "app/sweep/range.h"
#include "app/units.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Keeps only the count of bytes written.
class DiscardingSink final : public app::OutputSink {
 public:
  app::WriteStatus WriteAll(std::string_view bytes) override {
    written += bytes.size();
    return app::WriteStatus::kWritten;
  }
  std::size_t written = 0;
};

constexpr std::array<std::string_view, 9> kFirstWords = {"frequency", "volume",   "thickness", "diameter", "surface",
                                                         "response",  "absorber", "batch",     "--help"};
constexpr std::array<std::string_view, 33> kWords = {"--holes",
                                                     "--slots",
                                                     "--open-area",
                                                     "--depth",
                                                     "--fill",
                                                     "--flow-resistivity",
                                                     "--incidence",
                                                     "--bands",
                                                     "--ratings",
                                                     "--tune",
                                                     "--solve",
                                                     "--frequency",
                                                     "--volume",
                                                     "--thickness",
                                                     "--diameter",
                                                     "--surface",
                                                     "--format",
                                                     "--sound-speed",
                                                     "--temperature",
                                                     "--ends",
                                                     "--ports",
                                                     "--slot",
                                                     "--only-possible",
                                                     "--plot",
                                                     "--band",
                                                     "--per-octave",
                                                     "--plot-quantity",
                                                     "--help",
                                                     "-h",
                                                     "--version",
                                                     "-V",
                                                     "--",
                                                     "-"};

// The most values one text can give an option, in whichever dimension gives most.
std::uint64_t MostValues(std::string_view text) {
  if (!sweep::IsRangeText(text)) return 1;
  std::uint64_t most = 1;
  for (const app::Dimension dimension :
       {app::Dimension::kFrequency, app::Dimension::kVolume, app::Dimension::kLength, app::Dimension::kSurface}) {
    const auto range = sweep::ParseRange(text, [dimension](std::string_view number, std::string_view unit) {
      return app::ParseWorkingValue(std::string(number) + std::string(unit), dimension);
    });
    if (range.ok()) most = std::max(most, range.value().count);
  }
  return most;
}

// Each value of a sweep comes from an argument or from what follows the '='
// in one, no text serving two options: the values of all options together are
// at most the sum over those texts, and three options sharing that sum give
// at most (sum / 3)^3 designs.
// A response's frequencies: any text that reads as a band gives at most
// kMostFrequencies of them.
constexpr std::uint64_t kMostFrequencies = 4096;

bool SweepIsSmall(const std::vector<std::string>& arguments) {
  const bool curves = !arguments.empty() && (arguments.front() == "response" || arguments.front() == "absorber");
  // 16^3 = 4096 designs; 4^3 = 64 responses or absorbers.
  const std::uint64_t mostValues = curves ? 12 : 48;
  std::uint64_t values = 0;
  for (const std::string_view argument : arguments) {
    // CLI11 splits a long option at its first '='.
    const std::size_t equals = argument.find('=');
    for (const std::string_view text :
         {argument, argument.starts_with("--") && equals != std::string_view::npos ? argument.substr(equals + 1)
                                                                                   : std::string_view()}) {
      values += text.empty() ? 0 : MostValues(text);
      const auto band = app::ParseAxisChoice(text, std::nullopt);
      if (band.ok() && app::AxisAround(band.value(), 1).size() > kMostFrequencies) return false;
    }
    if (values > mostValues) return false;
  }
  return true;
}

// A design each calculation can compute, so that what follows reaches the
// values and the sweeps, not only the refusal of a missing option.
constexpr std::array<std::string_view, 7> kDesigns = {"--volume=1000 --diameter=2 --thickness=1",
                                                      "--frequency=100 --diameter=2 --thickness=1",
                                                      "--frequency=100 --volume=1000 --diameter=2",
                                                      "--frequency=100 --volume=1000 --thickness=1",
                                                      "--frequency=100 --volume=1000 --thickness=1",
                                                      "--volume=1000 --diameter=2 --thickness=1",
                                                      "--holes=5mm --pitch=25mm --thickness=3mm --depth=5cm"};

std::vector<std::string> Arguments(FuzzedDataProvider& input) {
  std::vector<std::string> arguments;
  const std::uint8_t first = input.ConsumeIntegral<std::uint8_t>();
  // A tenth of the time the first argument is any text.
  if (first % 10 < kFirstWords.size()) arguments.emplace_back(kFirstWords[first % 10]);
  if (first % 10 < kDesigns.size() && (first & 0x80)) {
    std::istringstream design{std::string(kDesigns[first % 10])};
    for (std::string option; design >> option;) arguments.push_back(option);
  }
  while (input.remaining_bytes() > 0 && arguments.size() < 40) {
    const std::uint8_t pick = input.ConsumeIntegral<std::uint8_t>();
    std::string text = input.ConsumeRandomLengthString(48);
    const std::size_t word = pick % 48;
    if (word >= kWords.size()) {
      arguments.push_back(std::move(text));
    } else if (pick & 0x80) {
      arguments.push_back(std::string(kWords[word]) + "=" + text);
    } else {
      arguments.emplace_back(kWords[word]);
      if (pick & 0x40) arguments.push_back(std::move(text));
    }
  }
  return arguments;
}

bool PrintableLines(std::string_view text) {
  if (!text.empty() && text.back() != '\n') return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '\n' || (c >= 0x20 && c < 0x7F); });
}

// Lines "helmholtz: COMMAND: warning: ...", each.
bool OnlyWarnings(std::string_view text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    const std::string_view line = text.substr(start, end - start);
    if (!line.starts_with("helmholtz: ") || line.find(": warning: ") == std::string_view::npos) return false;
    start = end + 1;
  }
  return true;
}

std::filesystem::path folder;

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string name = (std::filesystem::temp_directory_path() / "helmholtz_command_line_fuzz_XXXXXX").string();
  if (!mkdtemp(name.data())) std::abort();
  folder = name;
  std::atexit(RemoveFolder);
  if (!std::freopen("/dev/null", "rb", stdin)) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::vector<std::string> arguments = Arguments(input);
  for (const std::string& argument : arguments) {
    if (argument.find('/') != std::string::npos) return -1;  // not kept in the corpus
  }
  if (!SweepIsSmall(arguments)) return -1;
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  const std::span<const char* const> argv(pointers);

  const app::CommandLine commandLine = app::ParseCommandLine(argv);
  if (commandLine.action == app::Action::kRunCalculator) return 0;  // the terminal program
  DiscardingSink sink;
  app::Output out(sink);
  std::ostringstream err;
  // In the folder only while the command runs: libFuzzer's own paths may be relative.
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  const int exitCode = commandLine.action == app::Action::kRunCommand ? app::RunCommand(argv, out, err)
                                                                      : app::Answer(commandLine, out, err);
  out.Flush();
  std::filesystem::current_path(home);
  const std::string error = err.str();
  Check(PrintableLines(error));
  Check(exitCode == 0 || exitCode == app::kExitWriteFailed || exitCode == app::kExitBadArgument);
  // A command that worked says nothing on standard error but its warnings.
  if (exitCode == 0) Check(error.empty() || OnlyWarnings(error));
  if (exitCode == app::kExitBadArgument) {
    Check(error.starts_with("helmholtz: ") && error.find('\n') == error.size() - 1 && sink.written == 0);
  }
  // A --plot file, the only thing a run may leave.
  for (const auto& entry : std::filesystem::directory_iterator(folder)) std::filesystem::remove_all(entry.path());
  return 0;
}
