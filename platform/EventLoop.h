// Port: time and the user-interface thread's message queue.
#pragma once

#include <cstdint>

namespace platform {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  virtual void Sleep(unsigned milliseconds) = 0;  // blocks; pumps nothing
  virtual void ProcessMessages() = 0;             // handle every pending message, then return
  virtual std::uint64_t TickCount() = 0;          // milliseconds

  // A request to end the dialogue with the host that is running, made while its wait handles
  // messages (the window is being closed). Waits that see it end as a user's cancel would;
  // whoever made it clears it when the dialogue has unwound.
  void RequestCancel() { cancelRequested_ = true; }
  void ClearCancelRequest() { cancelRequested_ = false; }
  bool CancelRequested() const { return cancelRequested_; }

 private:
  bool cancelRequested_ = false;
};

}  // namespace platform
