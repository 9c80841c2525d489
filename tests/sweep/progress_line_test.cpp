// The status line of a long sweep, with a clock the test moves and a sink
// that records what reaches standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/sweep/progress_line.h"

namespace sweep {
namespace {

using std::chrono::milliseconds;

struct Recorder {
  std::chrono::steady_clock::time_point now{};
  std::size_t columns = 80;
  std::vector<std::string> writes;
  int clockReads = 0;

  ProgressLine::Clock Clock() {
    return [this] {
      ++clockReads;
      return now;
    };
  }
  ProgressLine::Sink Sink() {
    return [this](std::string_view text) { writes.emplace_back(text); };
  }
  ProgressLine::Columns Columns() {
    return [this] { return columns; };
  }
};

// Runs `designs` designs of `total`, each taking `perDesign`.
void RunDesigns(ProgressLine& line, Recorder& recorder, std::uint64_t designs, std::chrono::microseconds perDesign) {
  for (std::uint64_t i = 0; i < designs; ++i) {
    recorder.now += perDesign;
    line.Advance();
  }
}

TEST(ProgressLine, NeverShowsWhenStandardErrorIsNoTerminal) {
  Recorder recorder;
  {
    ProgressLine line(100000, false, recorder.Clock(), recorder.Sink(), recorder.Columns());
    RunDesigns(line, recorder, 100000, std::chrono::microseconds(100));
  }
  EXPECT_TRUE(recorder.writes.empty());
  EXPECT_EQ(recorder.clockReads, 0);
}

TEST(ProgressLine, StaysHiddenForASweepOfUnderASecond) {
  Recorder recorder;
  {
    ProgressLine line(100000, true, recorder.Clock(), recorder.Sink(), recorder.Columns());
    RunDesigns(line, recorder, 100000, std::chrono::microseconds(9));
  }
  EXPECT_TRUE(recorder.writes.empty());
}

TEST(ProgressLine, ShowsALongSweepAFewTimesASecondAndErasesItAtTheEnd) {
  Recorder recorder;
  std::size_t shownWhileRunning = 0;
  {
    // 200000 designs at 20 us: 4 s.
    ProgressLine line(200000, true, recorder.Clock(), recorder.Sink(), recorder.Columns());
    RunDesigns(line, recorder, 200000, std::chrono::microseconds(20));
    EXPECT_TRUE(line.Shown());
    shownWhileRunning = recorder.writes.size();
  }
  // Redrawn every quarter second from the first look on: about 15 times in 4 s.
  EXPECT_GE(shownWhileRunning, 12U);
  EXPECT_LE(shownWhileRunning, 17U);
  // The clock is read every kCheckEvery designs, not at every design.
  EXPECT_EQ(recorder.clockReads, 1 + 200000 / static_cast<int>(ProgressLine::kCheckEvery));
  EXPECT_EQ(recorder.writes.front().substr(0, 28), "\rsweep: 20480 of 200000 desi");
  for (std::size_t i = 0; i + 1 < recorder.writes.size(); ++i) {
    EXPECT_EQ(recorder.writes[i].find('\n'), std::string::npos);
    EXPECT_EQ(recorder.writes[i][0], '\r');
  }
  const std::string widest = "\r" + ProgressLine::Text(199680, 200000, milliseconds(3994), 80);
  EXPECT_EQ(recorder.writes.back(), "\r" + std::string(widest.size() - 1, ' ') + "\r");
}

TEST(ProgressLine, ErasedWhenTheSweepIsLeftEarly) {
  Recorder recorder;
  {
    ProgressLine line(1000000, true, recorder.Clock(), recorder.Sink(), recorder.Columns());
    RunDesigns(line, recorder, 50000, std::chrono::microseconds(20));
    ASSERT_TRUE(line.Shown());
    line.Erase();
    EXPECT_FALSE(line.Shown());
  }
  const std::string& last = recorder.writes.back();
  EXPECT_EQ(last.front(), '\r');
  EXPECT_EQ(last.back(), '\r');
  EXPECT_EQ(last.find_first_not_of(" \r"), std::string::npos);
  // Erased once: the destructor found nothing more to erase.
  EXPECT_NE(recorder.writes[recorder.writes.size() - 2].find("sweep:"), std::string::npos);
}

TEST(ProgressLine, TextGivesDoneTotalRateAndTimeLeft) {
  struct Row {
    std::uint64_t done, total;
    milliseconds elapsed;
    std::string text;
  };
  const std::vector<Row> rows = {
      {1250000, 10000000, milliseconds(400), "sweep: 1250000 of 10000000 designs (12%), 3.1 M designs/s, 0:03 left"},
      {5000, 100000, milliseconds(1000), "sweep: 5000 of 100000 designs (5%), 5.0 k designs/s, 0:19 left"},
      {100, 1000000, milliseconds(1000), "sweep: 100 of 1000000 designs (0%), 100 designs/s, 2:46:39 left"},
  };
  for (const Row& row : rows) EXPECT_EQ(ProgressLine::Text(row.done, row.total, row.elapsed, 80), row.text);
}

// One column is left free, so that the cursor never wraps; below
// kNarrowest columns there is no line.
TEST(ProgressLine, TextFitsTheTerminalsWidth) {
  const struct {
    std::size_t columns;
    std::string text;
  } rows[] = {
      {200, "sweep: 1250000 of 10000000 designs (12%), 3.1 M designs/s, 0:03 left"},
      {69, "sweep: 1250000 of 10000000 designs (12%), 3.1 M designs/s, 0:03 left"},
      {68, "sweep: 1250000 of 10000000 (12%), 3.1M/s, 0:03 left"},
      {52, "sweep: 1250000 of 10000000 (12%), 3.1M/s, 0:03 left"},
      {51, "sweep: 12%, 3.1M/s, 0:03 left"},
      {30, "sweep: 12%, 3.1M/s, 0:03 left"},
      {29, "sweep: 12%, 0:03 left"},
      {22, "sweep: 12%, 0:03 left"},
      {21, "12%, 0:03 left"},
      {ProgressLine::kNarrowest, "12%, 0:03 left"},
      {ProgressLine::kNarrowest - 1, ""},
      {0, ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ProgressLine::Text(1250000, 10000000, milliseconds(400), row.columns), row.text) << row.columns;
  }
  // An hour-long sweep's longest shortest line still fits.
  EXPECT_EQ(ProgressLine::Text(1, 1000000, milliseconds(1000), ProgressLine::kNarrowest), "0%, 277:46:39 left");
}

// A terminal made narrower while the line shows: no write, padding and
// erasing included, reaches its last column.
TEST(ProgressLine, FollowsATerminalMadeNarrower) {
  Recorder recorder;
  {
    ProgressLine line(1000000, true, recorder.Clock(), recorder.Sink(), recorder.Columns());
    RunDesigns(line, recorder, 50000, std::chrono::microseconds(20));
    ASSERT_TRUE(line.Shown());
    recorder.writes.clear();
    for (const std::size_t columns : {40U, 25U, 10U}) {
      recorder.columns = columns;
      RunDesigns(line, recorder, 20000, std::chrono::microseconds(20));
    }
  }
  ASSERT_FALSE(recorder.writes.empty());
  for (const std::string& write : recorder.writes) {
    EXPECT_LT(write.size() - static_cast<std::size_t>(std::count(write.begin(), write.end(), '\r')), 40U) << write;
  }
  EXPECT_EQ(recorder.writes.back(), "\r" + std::string(9, ' ') + "\r");
}

}  // namespace
}  // namespace sweep
