// The restore bookkeeping of the Windows process frame: what was noted is put
// back once, in order, whoever asks first.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "console/windows/console_restore.h"

namespace console {
namespace {

class RecordingSink final : public ConsoleModeSink {
 public:
  void SetInputMode(std::uint32_t mode) override { calls.push_back("input " + std::to_string(mode)); }
  void SetOutputMode(std::uint32_t mode) override { calls.push_back("output " + std::to_string(mode)); }
  void SetCursor(std::uint32_t size, bool visible) override {
    calls.push_back("cursor " + std::to_string(size) + (visible ? " visible" : " hidden"));
  }
  void SetTextAttribute(std::uint16_t attributeWord) override {
    calls.push_back("attribute " + std::to_string(attributeWord));
  }
  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

TEST(RestoreLedger, PutsBackEverythingNotedInOrderOnce) {
  RestoreLedger ledger;
  ledger.NoteTextAttribute(0x1E);
  ledger.NoteCursor(25, false);
  ledger.NoteOutputMode(7);
  ledger.NoteInputMode(0x1F7);
  ledger.Arm();
  RecordingSink sink;
  EXPECT_TRUE(ledger.RestoreOnce(sink));
  EXPECT_EQ(sink.calls, (Calls{"input 503", "output 7", "cursor 25 hidden", "attribute 30"}));
  EXPECT_FALSE(ledger.RestoreOnce(sink));
  EXPECT_EQ(sink.calls.size(), 4u);
}

TEST(RestoreLedger, WhatCouldNotBeReadIsNotWrittenBack) {
  struct Case {
    const char* name;
    bool input, output, cursor, attribute;
    Calls expected;
  };
  const Case cases[] = {
      {"nothing", false, false, false, false, {}},
      {"input only", true, false, false, false, {"input 1"}},
      {"screen only", false, true, true, true, {"output 2", "cursor 10 visible", "attribute 7"}},
      {"no cursor", true, true, false, true, {"input 1", "output 2", "attribute 7"}},
  };
  for (const Case& c : cases) {
    RestoreLedger ledger;
    if (c.input) ledger.NoteInputMode(1);
    if (c.output) ledger.NoteOutputMode(2);
    if (c.cursor) ledger.NoteCursor(10, true);
    if (c.attribute) ledger.NoteTextAttribute(7);
    ledger.Arm();
    RecordingSink sink;
    EXPECT_TRUE(ledger.RestoreOnce(sink)) << c.name;
    EXPECT_EQ(sink.calls, c.expected) << c.name;
  }
}

TEST(RestoreLedger, NothingHappensBeforeArmOrAfterClear) {
  RestoreLedger ledger;
  ledger.NoteInputMode(5);
  RecordingSink sink;
  EXPECT_FALSE(ledger.RestoreOnce(sink));
  EXPECT_FALSE(ledger.armed());
  ledger.Arm();
  EXPECT_TRUE(ledger.armed());
  ledger.Clear();
  EXPECT_FALSE(ledger.armed());
  EXPECT_FALSE(ledger.RestoreOnce(sink));
  EXPECT_TRUE(sink.calls.empty());
}

TEST(RestoreLedger, NotesAfterArmDoNotChangeWhatIsRestored) {
  RestoreLedger ledger;
  ledger.NoteOutputMode(3);
  ledger.Arm();
  ledger.NoteOutputMode(99);
  ledger.NoteInputMode(98);
  RecordingSink sink;
  ASSERT_TRUE(ledger.RestoreOnce(sink));
  EXPECT_EQ(sink.calls, (Calls{"output 3"}));
}

TEST(RestoreLedger, AfterClearANewRunIsNotedAndRestoredAgain) {
  RestoreLedger ledger;
  RecordingSink sink;
  ledger.NoteInputMode(1);
  ledger.Arm();
  ASSERT_TRUE(ledger.RestoreOnce(sink));
  ledger.Clear();
  ledger.NoteOutputMode(2);
  ledger.Arm();
  ASSERT_TRUE(ledger.RestoreOnce(sink));
  EXPECT_EQ(sink.calls, (Calls{"input 1", "output 2"}));
}

TEST(RestoreLedger, OfManyThreadsAskingAtOnceExactlyOneRestores) {
  // The console's control handler runs on a thread of its own, racing the
  // main thread's end and the crash filter.
  RestoreLedger ledger;
  ledger.NoteInputMode(1);
  ledger.Arm();
  constexpr int kThreads = 8;
  std::vector<RecordingSink> sinks(kThreads);
  std::vector<int> restored(kThreads, 0);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] { restored[i] = ledger.RestoreOnce(sinks[i]) ? 1 : 0; });
  }
  for (std::thread& thread : threads) thread.join();
  int restorers = 0;
  std::size_t calls = 0;
  for (int i = 0; i < kThreads; ++i) {
    restorers += restored[i];
    calls += sinks[i].calls.size();
  }
  EXPECT_EQ(restorers, 1);
  EXPECT_EQ(calls, 1u);
}

}  // namespace
}  // namespace console
