// The polling rules of the prompt wait, driven by a scripted sequence of current-line readings.
// The script is a test double for the poll sequence only (it answers no command); the waits
// against the simulated host live in the in-process tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlink/HostDialogue.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::CreateHostWindows;
using hosttest::HostWindows;
using hosttest::SetControlText;

// Shows readings[k] in the current-line control during poll k (0-based) and `tail` after the
// script. A poll sleeps the interval and then the reading's 100 ms, so poll k spans the clock
// from k * (interval + 100) to (k + 1) * (interval + 100).
class ScriptedReadings {
 public:
  ScriptedReadings(platform::StandinWorld& world, const HostWindows& host, int intervalMs,
                   std::vector<std::string> readings, std::string tail)
      : world_(world) {
    const std::uint64_t period = static_cast<std::uint64_t>(intervalMs) + 100;
    listener_ = world.clock.AddListener(
        [&ws = world.windows, line = host.currentLine, period, readings, tail](std::uint64_t now) {
          const std::uint64_t poll = (now - 1) / period;
          SetControlText(ws, line, poll < readings.size() ? readings[poll] : tail);
        });
  }
  ~ScriptedReadings() { world_.clock.RemoveListener(listener_); }

 private:
  platform::StandinWorld& world_;
  int listener_;
};

using PromptWaitTest = hosttest::WindowsFixture;

TEST_F(PromptWaitTest, PollSequences) {
  const struct {
    const char* name;
    std::vector<std::string> readings;
    std::string tail;
    int intervalMs;
    int seconds;
    HostResult result;
    std::uint64_t polls;
  } cases[] = {
      {"two idle readings end it", {"コマンド: ", "コマンド: "}, "", 100, 600, HostResult::Done, 2},
      {"another prompt resets the count",
       {"コマンド: ", "点を指定:", "コマンド: ", "点を指定:", "コマンド: ", "コマンド: "},
       "",
       100,
       600,
       HostResult::Done,
       6},
      {"an empty reading does not reset it",
       {"コマンド: ", "", "コマンド: "},
       "",
       100,
       600,
       HostResult::Done,
       3},
      {"idle without the blank is not idle",
       {"コマンド:", "コマンド:"},
       "コマンド:",
       100,
       2,
       HostResult::Failed,
       21},
      {"two empty readings anywhere",
       {"", "点を指定:", "コマンド: ", ""},
       "点を指定:",
       100,
       600,
       HostResult::Failed,
       4},
      {"time-out after seconds * 1000 / interval + 1 polls",
       {},
       "点を指定:",
       100,
       600,
       HostResult::Failed,
       6001},
      {"other interval", {}, "点を指定:", 250, 1, HostResult::Failed, 5},
      {"zero seconds still polls once", {}, "点を指定:", 100, 0, HostResult::Failed, 1},
      {"negative seconds do not poll", {}, "コマンド: ", 100, -1, HostResult::Failed, 0},
  };
  for (const auto& c : cases) {
    platform::StandinWorld w;
    platform::ScopedPorts p(w.ports());
    channel = {};
    const HostWindows host = CreateHostWindows(w.windows);
    ScriptedReadings script(w, host, c.intervalMs, c.readings, c.tail);
    EXPECT_EQ(WaitForPrompt(link, "_iD", c.intervalMs, c.seconds), c.result) << c.name;
    EXPECT_EQ(w.clock.processCalls, c.polls) << c.name;
  }
}

// Regression: an interval of 0 divided by zero. It now polls without sleeping, one poll per
// pass, as many as for 1 ms; a negative one no longer sleeps for weeks.
TEST_F(PromptWaitTest, IntervalOfZeroOrLessPollsWithoutSleeping) {
  for (int interval : {0, -5}) {
    platform::StandinWorld w;
    platform::ScopedPorts p(w.ports());
    channel = {};
    CreateHostWindows(w.windows);  // idle
    EXPECT_EQ(WaitForPrompt(link, "_iD", interval, 600), HostResult::Done) << interval;
    EXPECT_EQ(w.clock.processCalls, 2u) << interval;
    // Only the pauses of the two readings and of the history's.
    EXPECT_EQ(w.clock.TickCount(), 300u) << interval;
  }
  const HostWindows host = CreateHostWindows(world.windows);
  SetControlText(world.windows, host.currentLine, "点を指定:");
  EXPECT_EQ(WaitForPrompt(link, "_iD", 0, 1), HostResult::Failed);
  EXPECT_EQ(world.clock.processCalls, 1001u);
}

TEST_F(PromptWaitTest, CancellationAfterTheLastMarker) {
  const struct {
    const char* history;
    HostResult result;
  } cases[] = {
      {"コマンド: _iD\n点を指定: *キャンセル*\n", HostResult::Cancelled},
      {"コマンド: _iD\n*キャンセル*\nコマンド: _iD\n点を指定:  X = 1.0000  Y = 2.0000\n",
       HostResult::Done},
      // the marker is not in the history at all
      {"コマンド: LINE\n*キャンセル*\n", HostResult::Done},
  };
  for (const auto& c : cases) {
    channel = {};
    platform::StandinWorld w;
    platform::ScopedPorts p(w.ports());
    const HostWindows host = CreateHostWindows(w.windows);
    SetControlText(w.windows, host.history, c.history);
    EXPECT_EQ(WaitForPrompt(link, "_iD", 100, 600), c.result) << c.history;
  }
}

TEST_F(PromptWaitTest, HostUnavailableEndsTheWait) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  ws.SetEnabled(host.main, false);
  EXPECT_EQ(WaitForPrompt(link, "SELECT", 100, 600), HostResult::Failed);
  EXPECT_EQ(world.clock.processCalls, 1u);
  ws.SetEnabled(host.main, true);

  // The host closes during the third poll's interval.
  const int listener = world.clock.AddListener([&](std::uint64_t now) {
    if (now == 500) ws.Destroy(host.main);
  });
  ScriptedReadings script(world, host, 100, {}, "オブジェクトを選択:");
  EXPECT_EQ(WaitForPrompt(link, "SELECT", 100, 600), HostResult::Failed);
  EXPECT_EQ(world.clock.processCalls, 1u + 3u);
  world.clock.RemoveListener(listener);
}

TEST_F(PromptWaitTest, WindowStaysResponsiveDuringTheWait) {
  const HostWindows host = CreateHostWindows(world.windows);
  ScriptedReadings script(world, host, 100, {"オブジェクトを選択:", "コマンド: "}, "コマンド: ");
  int clicks = 0;
  std::uint64_t handledAt = 1;
  world.clock.PostTask([&] {
    ++clicks;
    handledAt = world.clock.TickCount();
  });
  EXPECT_EQ(WaitForPrompt(link, "SELECT", 100, 600), HostResult::Done);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(handledAt, 0u);  // each poll lets the window work before it sleeps
}

}  // namespace
