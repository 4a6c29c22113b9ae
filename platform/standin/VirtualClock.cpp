#include "platform/standin/VirtualClock.h"

#include <vector>

namespace platform {

void VirtualClock::Sleep(unsigned milliseconds) {
  ++sleeps;
  Advance(milliseconds);
}

void VirtualClock::ProcessMessages() {
  ++processCalls;
  // Tasks posted while handling one run in the same call, as a message loop drains its queue.
  while (!tasks_.empty()) {
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
  }
}

int VirtualClock::AddListener(Listener listener) {
  const int id = nextId_++;
  listeners_[id] = std::move(listener);
  return id;
}

void VirtualClock::RemoveListener(int id) { listeners_.erase(id); }

void VirtualClock::PostTask(std::function<void()> task) { tasks_.push_back(std::move(task)); }

void VirtualClock::Advance(std::uint64_t milliseconds) {
  now_ += milliseconds;
  // A listener may add or remove listeners; call the ones present now that still exist.
  std::vector<int> ids;
  ids.reserve(listeners_.size());
  for (const auto& entry : listeners_) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = listeners_.find(id);
    if (it != listeners_.end()) {
      Listener copy = it->second;
      copy(now_);
    }
  }
}

}  // namespace platform
