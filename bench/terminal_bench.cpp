// Measures the real program in a pseudo-terminal: processor time while idle,
// bytes written for the menu (on a terminal with background colour erase and
// on one without) and for one echoed key, and the time from a key to its echo
// in an 80x60 window and in a 1000x400 one. Prints a small table.
//
//   terminal_bench [path/to/helmholtz] [idle seconds]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/pty_session.h"

namespace {

using termtest::LaunchOptions;
using termtest::PtySession;
using termtest::TerminalModel;
using Clock = std::chrono::steady_clock;

constexpr int kWaitMs = 5000;
constexpr int kEchoSamples = 200;
// The menu's texts, as the program writes them: their characters are what a
// perfect painter would have to send at the least.
constexpr const char* kMenuTexts[] = {
    "Helmholtz Resonator Calculation Utility",
    "=======================================",
    "1.- Calculate resonant frequency for round orifice",
    "2.- Calculate volume for round orifice",
    "3.- Calculate round orifice thickness",
    "4.- Calculate round orifice diameter",
    "5.- Calculate resonant frequency for any orifice",
    "6.- Calculate volume for any orifice",
    "7.- Calculate orifice thickness",
    "8.- Calculate orifice surface",
    "*.- QUIT",
    "Choice ?",
};

// The goals: the first screen may cost 1.1 bytes per menu character plus, for
// each of the menu's text runs, one cursor position and one colour change,
// each at most 8 bytes ("ESC[14;20H", "ESC[91;40m"); one echoed key at most 16.
constexpr double kMenuBytesPerCharacter = 1.1;
constexpr std::size_t kBytesPerRunStart = 8 + 8;
constexpr double kEchoByteGoal = 16;
// The echo in a huge window may take at most this much longer than in 80x60:
// the work per key is bounded by the program's screen, not by the window.
constexpr double kLargeWindowEchoRatioGoal = 1.5;
// TERM for each measure: one with background colour erase, one without.
constexpr const char* kTermWithBce = "xterm-256color";
constexpr const char* kTermWithoutBce = "screen";

bool AtPrompt(const TerminalModel& m) {
  return m.TextAt(13, 19, 8) == "Choice ?" && m.cursorRow == 13 && m.cursorColumn == 27 && m.cursorVisible;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "terminal_bench: %s\n", what);
  std::exit(1);
}

double IdleMilliseconds(PtySession& session, int seconds) {
  static const long kTicksPerSecond = sysconf(_SC_CLK_TCK);
  session.Settle(50);
  const long before = termtest::ProcessorTicks(session.pid());
  session.Pump(seconds * 1000);  // nothing is sent: the program just waits
  const long after = termtest::ProcessorTicks(session.pid());
  if (before < 0 || after < 0) Fail("cannot read /proc/<pid>/stat");
  return 1000.0 * static_cast<double>(after - before) / static_cast<double>(kTicksPerSecond);
}

struct EchoMeasure {
  std::vector<double> latenciesUs;  // sorted
  std::size_t echoBytes = 0;
  std::size_t eraseBytes = 0;
  double Median() const { return latenciesUs[latenciesUs.size() / 2]; }
  double Percentile95() const { return latenciesUs[latenciesUs.size() * 95 / 100]; }
};

// Key to echo at the prompt: type a digit, wait until it shows, erase it
// again. The sessions take turns key by key, so that a busy moment of the
// machine falls on all of them alike.
std::vector<EchoMeasure> MeasureEcho(const std::vector<PtySession*>& sessions) {
  std::vector<EchoMeasure> measures(sessions.size());
  for (int i = 0; i < kEchoSamples * static_cast<int>(sessions.size()); ++i) {
    PtySession& session = *sessions[static_cast<std::size_t>(i) % sessions.size()];
    EchoMeasure& measure = measures[static_cast<std::size_t>(i) % sessions.size()];
    const std::string key(1, static_cast<char>('0' + i / static_cast<int>(sessions.size()) % 10));
    const std::size_t before = session.output().size();
    const Clock::time_point sent = Clock::now();
    session.Send(key);
    if (!session.WaitUntil([&](const TerminalModel& m) { return m.TextAt(13, 27, 1) == key && m.cursorColumn == 28; },
                           kWaitMs)) {
      Fail("no echo");
    }
    measure.latenciesUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    measure.echoBytes += session.output().size() - before;
    const std::size_t beforeErase = session.output().size();
    session.Send("\x7f");
    if (!session.WaitUntil(AtPrompt, kWaitMs) ||
        !session.WaitUntil([](const TerminalModel& m) { return m.TextAt(13, 27, 1) == " "; }, kWaitMs)) {
      Fail("no erase");
    }
    measure.eraseBytes += session.output().size() - beforeErase;
  }
  for (EchoMeasure& measure : measures) std::sort(measure.latenciesUs.begin(), measure.latenciesUs.end());
  return measures;
}

void Quit(PtySession& session) {
  session.Send("*\r");
  int status = 0;
  if (!session.WaitForExit(kWaitMs, status)) Fail("did not quit");
}

LaunchOptions Window(int columns, int rows, const char* term) {
  LaunchOptions options;
  options.columns = columns;
  options.rows = rows;
  options.term = term;
  return options;
}

// Bytes written up to the first prompt in an 80x60 window.
std::size_t FirstScreenBytes(const std::string& binary, const char* term) {
  PtySession session(binary, Window(80, 60, term));
  if (!session.started()) Fail("cannot start the program");
  if (!session.WaitUntil(AtPrompt, kWaitMs)) Fail("no menu");
  session.Settle(50);
  const std::size_t bytes = session.output().size();
  Quit(session);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  std::string binary = HELMHOLTZ_BINARY_PATH;
  if (const char* fromEnvironment = std::getenv("HELMHOLTZ_BINARY")) binary = fromEnvironment;
  if (argc > 1) binary = argv[1];
  const int idleSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

  PtySession session(binary, Window(80, 60, kTermWithBce));
  if (!session.started()) Fail("cannot start the program");
  if (!session.WaitUntil(AtPrompt, kWaitMs)) Fail("no menu");
  session.Settle(50);
  const std::size_t firstScreenBytes = session.output().size();
  std::size_t menuCharacters = 0;
  for (const char* text : kMenuTexts) menuCharacters += std::char_traits<char>::length(text);

  const double idlePromptMs = IdleMilliseconds(session, idleSeconds);

  // The same echo in a window of 1000x400 that does not take the 80x60 asked for.
  PtySession large(binary, Window(1000, 400, kTermWithBce));
  if (!large.WaitUntil(AtPrompt, kWaitMs)) Fail("no menu in the large window");
  large.Settle(50);
  const std::vector<EchoMeasure> echoes = MeasureEcho({&session, &large});
  const EchoMeasure& echo = echoes[0];
  const EchoMeasure& largeEcho = echoes[1];
  Quit(large);

  // The key wait after an unmatched choice.
  session.Send("\r");
  if (!session.WaitUntil([](const TerminalModel& m) { return m.cursorRow == 14 && m.cursorColumn == 0; }, kWaitMs)) {
    Fail("no key wait");
  }
  const double idleKeyWaitMs = IdleMilliseconds(session, idleSeconds);

  // The menu drawn again over a finished calculation (choice 1 with its
  // summary panel): a paint by difference over a full screen.
  session.Send("x1\r100\r2\r1\r");
  if (!session.WaitUntil([](const TerminalModel& m) { return m.RowText(57).find("Frequency:") != std::string::npos; },
                         kWaitMs)) {
    Fail("no calculation");
  }
  session.Settle(50);
  const std::size_t beforeRedraw = session.output().size();
  session.Send("x");
  const auto menuAgain = [](const TerminalModel& m) {
    return AtPrompt(m) && m.RowText(57).find_first_not_of(' ') == std::string::npos;
  };
  if (!session.WaitUntil(menuAgain, kWaitMs)) {
    Fail("no menu after the calculation");
  }
  session.Settle(50);
  const std::size_t redrawBytes = session.output().size() - beforeRedraw;
  Quit(session);

  const std::size_t withoutBceBytes = FirstScreenBytes(binary, kTermWithoutBce);

  std::printf("%-44s %12s\n", "measure", "value");
  std::printf("%-44s %12s\n", "--------------------------------------------", "------------");
  std::printf("%-44s %9.1f ms\n", ("processor time idle at prompt, " + std::to_string(idleSeconds) + " s").c_str(),
              idlePromptMs);
  std::printf("%-44s %9.1f ms\n", ("processor time idle at key wait, " + std::to_string(idleSeconds) + " s").c_str(),
              idleKeyWaitMs);
  std::printf("%-44s %12zu\n", "menu characters", menuCharacters);
  std::printf("%-44s %12zu\n", ("first screen bytes, bce (" + std::string(kTermWithBce) + ")").c_str(),
              firstScreenBytes);
  std::printf("%-44s %12.2f\n", "  ratio to the menu characters",
              static_cast<double>(firstScreenBytes) / static_cast<double>(menuCharacters));
  const double menuBudget = kMenuBytesPerCharacter * static_cast<double>(menuCharacters) +
                            static_cast<double>(std::size(kMenuTexts) * kBytesPerRunStart);
  std::printf("%-44s %12.0f %s\n", "  goal: at most", menuBudget,
              static_cast<double>(firstScreenBytes) <= menuBudget ? "met" : "MISSED");
  std::printf("%-44s %12zu\n", ("first screen bytes, no bce (" + std::string(kTermWithoutBce) + ")").c_str(),
              withoutBceBytes);
  std::printf("%-44s %12zu\n", "bytes to redraw the menu over a calculation", redrawBytes);
  const double echoBytesPerKey = static_cast<double>(echo.echoBytes) / static_cast<double>(kEchoSamples);
  std::printf("%-44s %12.2f\n", "bytes per echoed key (mean)", echoBytesPerKey);
  std::printf("%-44s %12.0f %s\n", "  goal: at most", kEchoByteGoal,
              echoBytesPerKey <= kEchoByteGoal ? "met" : "MISSED");
  std::printf("%-44s %12.2f\n", "bytes per erased key (mean)",
              static_cast<double>(echo.eraseBytes) / static_cast<double>(kEchoSamples));
  std::printf("%-44s %9.0f us\n", "key to echo at 80x60, median of 200", echo.Median());
  std::printf("%-44s %9.0f us\n", "key to echo at 80x60, 95th percentile", echo.Percentile95());
  std::printf("%-44s %9.0f us\n", "key to echo at 1000x400, median of 200", largeEcho.Median());
  std::printf("%-44s %9.0f us\n", "key to echo at 1000x400, 95th percentile", largeEcho.Percentile95());
  std::printf("%-44s %12.2f\n", "bytes per echoed key at 1000x400 (mean)",
              static_cast<double>(largeEcho.echoBytes) / static_cast<double>(kEchoSamples));
  const double ratio = largeEcho.Median() / echo.Median();
  std::printf("%-44s %12.2f\n", "  median 1000x400 / median 80x60", ratio);
  std::printf("%-44s %12.1f %s\n", "  goal: at most", kLargeWindowEchoRatioGoal,
              ratio <= kLargeWindowEchoRatioGoal ? "met" : "MISSED");
  return 0;
}
