// The Windows process frame on a real console (Wine's on the build machine):
// what opening a session changes and what its end gives back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "console/session.h"
#include "tests/support/console_probe.h"
#include "tests/windows/real_console.h"

namespace console {
namespace {

class WindowsProcessTest : public RealConsoleTest {
 protected:
  void SetUp() override {
    RealConsoleTest::SetUp();
    if (HasFatalFailure()) return;
    // Modes as a command prompt leaves them.
    ASSERT_TRUE(SetConsoleMode(input_, kCookedInput));
    ASSERT_TRUE(SetConsoleMode(output_, kPlainOutput));
    const CONSOLE_CURSOR_INFO cursor{kCursorSize, TRUE};
    ASSERT_TRUE(SetConsoleCursorInfo(output_, &cursor));
    ASSERT_TRUE(SetConsoleTextAttribute(output_, kPromptAttribute));
  }
  void TearDown() override {
    session_.reset();
    RealConsoleTest::TearDown();
  }

  DWORD Mode(HANDLE handle) {
    DWORD mode = 0xFFFF;
    EXPECT_TRUE(GetConsoleMode(handle, &mode));
    return mode;
  }

  static constexpr DWORD kCookedInput = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT;
  static constexpr DWORD kPlainOutput = ENABLE_PROCESSED_OUTPUT;
  static constexpr DWORD kCursorSize = 25;
  static constexpr WORD kPromptAttribute = 0x1F;
  std::unique_ptr<Session> session_;
};

TEST_F(WindowsProcessTest, OpeningMakesTheInputRawAndTheEndGivesEverythingBack) {
  session_ = Session::Open();
  ASSERT_NE(session_, nullptr);
  EXPECT_EQ(Mode(input_), 0u);
  EXPECT_EQ(Mode(output_), static_cast<DWORD>(ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT));
  const auto& record = ConsoleProbe::Record(session_->console());
  EXPECT_EQ(record.foreground, Color::kLightGrey);
  EXPECT_EQ(record.background, Color::kBlack);
  EXPECT_EQ(record.cursorSize, kCursorSize);
  EXPECT_TRUE(record.cursorVisible);

  // What the calculator does meanwhile: colours, a hidden cursor.
  session_->console().SetColor(Color::kLightCyan, Color::kBlack);
  ConsoleProbe::SuspendCursor(session_->console());
  session_.reset();
  EXPECT_EQ(Mode(input_), kCookedInput);
  EXPECT_EQ(Mode(output_), kPlainOutput);
  CONSOLE_CURSOR_INFO cursor{};
  ASSERT_TRUE(GetConsoleCursorInfo(output_, &cursor));
  EXPECT_EQ(cursor.dwSize, kCursorSize);
  EXPECT_TRUE(cursor.bVisible);
  CONSOLE_SCREEN_BUFFER_INFO info;
  ASSERT_TRUE(GetConsoleScreenBufferInfo(output_, &info));
  EXPECT_EQ(info.wAttributes, kPromptAttribute);
}

TEST_F(WindowsProcessTest, ASecondRunStartsAndRestoresAgain) {
  for (int run = 0; run < 2; ++run) {
    session_ = Session::Open();
    ASSERT_NE(session_, nullptr) << run;
    EXPECT_EQ(Mode(input_), 0u) << run;
    session_.reset();
    EXPECT_EQ(Mode(input_), kCookedInput) << run;
  }
}

TEST_F(WindowsProcessTest, SetScreenSizeGivesTheBufferTheAskedSizeWhereTheConsoleCan) {
  session_ = Session::Open();
  ASSERT_NE(session_, nullptr);
  session_->console().SetScreenSize(80, 60);
  CONSOLE_SCREEN_BUFFER_INFO info;
  ASSERT_TRUE(GetConsoleScreenBufferInfo(output_, &info));
  // Wine's console on a terminal keeps the terminal's size; a Windows
  // console takes 80 x 60 whenever the display can show it.
  EXPECT_EQ(session_->console().ScreenRows(), info.dwSize.Y);
  EXPECT_EQ(info.dwSize.X, 80);
}

TEST_F(WindowsProcessTest, TheFloatingPointModeIsLoaded) {
  // A Windows process starts with 53-bit precision; spoil it that way.
  unsigned short spoiled = 0x027F;
  asm volatile("fldcw %0" : : "m"(spoiled));
  session_ = Session::Open();
  ASSERT_NE(session_, nullptr);
  unsigned short word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  EXPECT_EQ(word & 0x0F3F, 0x033F);
}

TEST_F(WindowsProcessTest, AConsoleHandleClosesOnlyWhatItOpened) {
  HANDLE opened = INVALID_HANDLE_VALUE;
  {
    const ConsoleHandle borrowed = ConsoleHandle::Borrow(output_);
    const ConsoleHandle own = ConsoleHandle::Open("CONOUT$");
    ASSERT_TRUE(own.valid());
    opened = own.get();
    ASSERT_TRUE(ReadConsoleMode(opened).has_value());
  }
  EXPECT_TRUE(ReadConsoleMode(output_).has_value()) << "a borrowed handle stays open";
  EXPECT_FALSE(ReadConsoleMode(opened).has_value()) << "an opened handle is closed";
  EXPECT_FALSE(ConsoleHandle::Open("NOSUCH$").valid());
}

}  // namespace
}  // namespace console
