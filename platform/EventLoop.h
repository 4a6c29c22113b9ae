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
};

}  // namespace platform
