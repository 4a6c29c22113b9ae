// The person at the host: a queue of actions performed one by one whenever the host waits for
// a pick or a selection, each after a delay. With nothing left to do the person waits, as one
// who walked away from the desk would.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "hostsim/Curves.h"

namespace hostsim {

struct UserAction {
  enum class Kind { Click, Window, Crossing, Enter, Escape, Type };
  Kind kind = Kind::Click;
  Vec a, b;
  std::string text;
  std::optional<unsigned> delayMs;  // instead of the host's usual delay
  std::string Describe() const;
};

class ScriptedUser {
 public:
  // A click: a point at a point prompt, the object under the cursor at a selection prompt.
  ScriptedUser& PickPoint(double x, double y);
  ScriptedUser& PickObject(double x, double y) { return PickPoint(x, y); }
  // A selection box dragged from (x1,y1) to (x2,y2): window (objects inside) or crossing.
  ScriptedUser& SelectWindow(double x1, double y1, double x2, double y2);
  ScriptedUser& SelectCrossing(double x1, double y1, double x2, double y2);
  ScriptedUser& PressEnter();
  ScriptedUser& PressEscape();
  ScriptedUser& Type(std::string text);  // keyed in as it is (add "\r" to end an answer)
  // The next action comes this many milliseconds after the host starts waiting.
  ScriptedUser& After(unsigned ms);

  std::size_t pending() const { return queue_.size(); }
  void Clear() { queue_.clear(); }
  const std::deque<std::string>& performed() const { return performed_; }

  // For the host.
  const UserAction* Next() const { return queue_.empty() ? nullptr : &queue_.front(); }
  UserAction Take();

 private:
  ScriptedUser& Push(UserAction a);
  std::deque<UserAction> queue_;
  std::deque<std::string> performed_;
  std::optional<unsigned> nextDelay_;
};

}  // namespace hostsim
