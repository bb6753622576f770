#include "platform/message_loop.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <thread>
#include <vector>

namespace {

using platform::TWindowMessage;

// A window that records what reaches it and handles only messages below `limit`.
struct TRecorder {
  explicit TRecorder(unsigned limit = 0xFFFF)
      : window([this, limit](const TWindowMessage& m, std::intptr_t& result) {
          if (m.message >= limit) return false;
          seen.push_back(m.message);
          result = static_cast<std::intptr_t>(m.wParam) * 2;
          return true;
        }) {}
  std::vector<unsigned> seen;
  platform::THiddenWindow window;
};

void PumpFor(int milliseconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) platform::WaitAndProcessMessages(10);
}

TEST(MessageLoop, PostedMessagesArriveInOrderAndSentOnesAnswerAtOnce) {
  TRecorder recorder(0x500);
  platform::WindowHandle window = recorder.window.Handle();
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(platform::PostWindowMessage(window, 0x401, 0, 0));
  EXPECT_TRUE(platform::PostWindowMessage(window, 0x402, 0, 0));
  EXPECT_TRUE(recorder.seen.empty());
  EXPECT_EQ(platform::SendWindowMessage(window, 0x403, 21, 0), 42);
  EXPECT_EQ(platform::SendWindowMessage(window, 0x600, 21, 0), 0);  // falls through
  platform::ProcessMessages();
  EXPECT_EQ(recorder.seen, (std::vector<unsigned>{0x403, 0x401, 0x402}));
}

TEST(MessageLoop, DestroyedWindowTakesItsQueuedMessagesAlong) {
  TRecorder survivor;
  platform::WindowHandle gone = 0;
  {
    TRecorder doomed;
    gone = doomed.window.Handle();
    EXPECT_TRUE(platform::PostWindowMessage(gone, 0x401, 0, 0));
  }
  EXPECT_FALSE(platform::PostWindowMessage(gone, 0x401, 0, 0));
  EXPECT_EQ(platform::SendWindowMessage(gone, 0x401, 1, 0), 0);
  EXPECT_TRUE(platform::PostWindowMessage(survivor.window.Handle(), 0x404, 0, 0));
  platform::ProcessMessages();
  EXPECT_EQ(survivor.seen, std::vector<unsigned>{0x404});
}

TEST(MessageLoop, TimerTicksUntilKilledAndIsNeverQueuedTwice) {
  TRecorder recorder;
  platform::WindowHandle window = recorder.window.Handle();
  ASSERT_TRUE(platform::SetWindowTimer(window, 7, 20));
  // Not pumping while several intervals pass leaves one tick, not a backlog.
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  platform::ProcessMessages();
  EXPECT_EQ(recorder.seen, std::vector<unsigned>{platform::k_timerMessage});
  PumpFor(200);
  size_t ticks = recorder.seen.size();
  EXPECT_GE(ticks, 3u);
  platform::KillWindowTimer(window, 7);
  PumpFor(100);
  EXPECT_EQ(recorder.seen.size(), ticks);
}

TEST(MessageLoop, MessagePostedFromAnotherThreadEndsTheWait) {
  TRecorder recorder;
  platform::WindowHandle window = recorder.window.Handle();
  std::thread poster([window] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    platform::PostWindowMessage(window, 0x405, 0, 0);
  });
  auto start = std::chrono::steady_clock::now();
  while (recorder.seen.empty() &&
         std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
    platform::WaitAndProcessMessages(3000);
  poster.join();
  EXPECT_EQ(recorder.seen, std::vector<unsigned>{0x405});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
}

#ifdef _WIN32
// A quit asked for while a client pumps (the main window closed) is kept for the
// program's own loop, which would otherwise never end.
TEST(MessageLoop, QuitRequestOutlivesAPump) {
  PostQuitMessage(7);
  platform::ProcessMessages();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}
#endif

}  // namespace
