// The first screen as real terminal multiplexers show it: tmux and GNU
// screen, each with the TERM it sets, neither of which names background
// colour erase. Each shows the program in an 80x60 window; tmux's capture of
// the cells, colours included, is replayed into the terminal model and
// compared cell for cell, the background of erased cells included. (tmux's
// capture leaves out cells erased in a colour, so it can show only what the
// program writes on a terminal without bce.)
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/helmholtz_support.h"

namespace termtest {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool ToolInstalled(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, count);
    pclose(pipe);
  }
  return text;
}

// A tmux server of its own (own socket directory), removed with everything
// it runs when the test ends. GNU screen inside it detaches when its terminal
// hangs up, which would leave its server and the program running once tmux is
// gone: its session is told to quit first, and told not to detach either.
class Multiplexer {
 public:
  Multiplexer() {
    char pattern[] = "/tmp/helmholtz-mux-XXXXXX";
    if (mkdtemp(pattern) != nullptr) directory_ = pattern;
    fs::create_directory(directory_ + "/screen");
    fs::permissions(directory_ + "/screen", fs::perms::owner_all);
    std::FILE* rc = std::fopen((directory_ + "/screenrc").c_str(), "w");
    if (rc != nullptr) {
      std::fputs("startup_message off\nautodetach off\n", rc);
      std::fclose(rc);
    }
  }
  ~Multiplexer() {
    // Either may have nothing to end (no session started), so their status tells nothing.
    const int screenQuit =
        std::system((ScreenPrefix() + "screen -S " + kScreenSession + " -X quit >/dev/null 2>&1").c_str());
    const int tmuxKilled = std::system((Prefix() + "tmux kill-server >/dev/null 2>&1").c_str());
    static_cast<void>(screenQuit);
    static_cast<void>(tmuxKilled);
    // screen's server removes its socket as it ends (tmux's stays behind):
    // wait for that, bounded, so that nothing started here outlives the test.
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kPromptlyMs);
    while (ScreenSocketsLeft() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }

  // Runs `command` in a detached 80x60 tmux window.
  bool Start(const std::string& command) {
    return std::system((Prefix() + "tmux -f /dev/null new-session -d -x 80 -y 60 " + Quoted(command)).c_str()) == 0;
  }
  // GNU screen inside that window, running `program`.
  std::string InScreen(const std::string& program) const {
    return ScreenPrefix() + "screen -S " + kScreenSession + " -c " + directory_ + "/screenrc " + program;
  }

  // The window's cells, replayed from tmux's capture; waits (in steps, at
  // most a few seconds) until the menu's prompt is there and the capture is
  // the same twice.
  TerminalModel Capture() {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kPromptlyMs);
    std::string previous;
    for (;;) {
      const std::string capture = Output(Prefix() + "tmux capture-pane -p -e -N");
      if (capture == previous && capture.find("Choice ?") != std::string::npos) break;
      if (Clock::now() > deadline) break;
      previous = capture;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    TerminalModel model(80, 60);
    model.Feed("\x1b[?7l");
    std::size_t start = 0;
    for (int row = 0; row < 60 && start <= previous.size(); ++row) {
      std::size_t end = previous.find('\n', start);
      if (end == std::string::npos) end = previous.size();
      model.Feed("\x1b[" + std::to_string(row + 1) + "H");
      model.Feed(std::string_view(previous).substr(start, end - start));
      start = end + 1;
    }
    return model;
  }

 private:
  static constexpr const char* kScreenSession = "helmholtz-e2e";
  std::string Prefix() const { return "TMUX_TMPDIR=" + directory_ + " "; }
  std::string ScreenPrefix() const { return "SCREENDIR=" + directory_ + "/screen "; }
  bool ScreenSocketsLeft() const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory_ + "/screen", error)) {
      if (entry.is_socket(error)) return true;
    }
    return false;
  }
  std::string directory_;
};

::testing::AssertionResult SameCells(const TerminalModel& a, const TerminalModel& b) {
  if (!a.errors.empty()) return ::testing::AssertionFailure() << "capture: " << a.errors.front();
  for (int row = 0; row < 60; ++row) {
    for (int column = 0; column < 80; ++column) {
      const ModelCell& x = a.Cell(row, column);
      const ModelCell& y = b.Cell(row, column);
      const bool foregroundMatters = x.glyph != " ";
      if (x.glyph != y.glyph || x.background != y.background || (foregroundMatters && x.foreground != y.foreground)) {
        return ::testing::AssertionFailure()
               << "cell " << row << "," << column << ": '" << x.glyph << "' " << x.foreground << "/" << x.background
               << " against '" << y.glyph << "' " << y.foreground << "/" << y.background;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(MultiplexerE2e, TmuxAndGnuScreenShowTheSameFirstScreen) {
  if (!ToolInstalled("tmux") || !ToolInstalled("screen")) GTEST_SKIP() << "tmux or GNU screen is not installed";
  ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set";
  const std::string program = Quoted(HelmholtzBinary());

  // The reference: the program straight in an 80x60 pseudo-terminal.
  PtySession direct(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(direct.WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m); }, kPromptlyMs));
  for (int row = 0; row < 60; ++row) {
    for (int column = 0; column < 80; ++column) {
      ASSERT_EQ(direct.screen().Cell(row, column).background, AnsiOfConsoleColor(0)) << row << "," << column;
    }
  }

  Multiplexer tmux;
  Multiplexer screen;
  ASSERT_TRUE(tmux.Start(program));
  ASSERT_TRUE(screen.Start(screen.InScreen(program)));
  const std::pair<const char*, Multiplexer*> ways[] = {{"tmux", &tmux}, {"GNU screen", &screen}};
  for (const auto& [name, multiplexer] : ways) {
    SCOPED_TRACE(name);
    const TerminalModel shown = multiplexer->Capture();
    EXPECT_TRUE(MenuShown(shown)) << shown.Text();
    EXPECT_TRUE(SameCells(shown, direct.screen()));
  }
}

}  // namespace
}  // namespace termtest
