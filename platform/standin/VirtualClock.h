// Stand-in event loop with simulated time: Sleep advances the clock at once and lets whoever
// listens (the simulated host, its scripted user, a file that is still being written) act.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/EventLoop.h"

namespace platform {

class VirtualClock : public EventLoop {
 public:
  using Listener = std::function<void(std::uint64_t now)>;

  void Sleep(unsigned milliseconds) override;
  void ProcessMessages() override;  // runs the posted tasks, in order
  std::uint64_t TickCount() override { return now_; }

  // Called after every advance of the clock with the new time.
  int AddListener(Listener listener);
  void RemoveListener(int id);
  // A message for the user-interface thread, handled at the next ProcessMessages
  // (for example a click on another button during a wait).
  void PostTask(std::function<void()> task);
  void Advance(std::uint64_t milliseconds);

  std::uint64_t sleeps = 0;        // number of Sleep calls
  std::uint64_t processCalls = 0;  // number of ProcessMessages calls

 private:
  std::uint64_t now_ = 0;
  int nextId_ = 1;
  std::map<int, Listener> listeners_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace platform
