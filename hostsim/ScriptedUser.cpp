#include "hostsim/ScriptedUser.h"

#include "hostsim/Numbers.h"

namespace hostsim {

std::string UserAction::Describe() const {
  auto pt = [](Vec v) { return FormatReal(v.x) + "," + FormatReal(v.y); };
  switch (kind) {
    case Kind::Click:
      return "click " + pt(a);
    case Kind::Window:
      return "window " + pt(a) + " " + pt(b);
    case Kind::Crossing:
      return "crossing " + pt(a) + " " + pt(b);
    case Kind::Enter:
      return "enter";
    case Kind::Escape:
      return "escape";
    case Kind::Type:
      return "type " + text;
  }
  return {};
}

ScriptedUser& ScriptedUser::Push(UserAction a) {
  a.delayMs = nextDelay_;
  nextDelay_.reset();
  queue_.push_back(std::move(a));
  return *this;
}

ScriptedUser& ScriptedUser::PickPoint(double x, double y) {
  UserAction a;
  a.a = {x, y};
  return Push(a);
}

ScriptedUser& ScriptedUser::SelectWindow(double x1, double y1, double x2, double y2) {
  UserAction a;
  a.kind = UserAction::Kind::Window;
  a.a = {x1, y1};
  a.b = {x2, y2};
  return Push(a);
}

ScriptedUser& ScriptedUser::SelectCrossing(double x1, double y1, double x2, double y2) {
  UserAction a;
  a.kind = UserAction::Kind::Crossing;
  a.a = {x1, y1};
  a.b = {x2, y2};
  return Push(a);
}

ScriptedUser& ScriptedUser::PressEnter() {
  UserAction a;
  a.kind = UserAction::Kind::Enter;
  return Push(a);
}

ScriptedUser& ScriptedUser::PressEscape() {
  UserAction a;
  a.kind = UserAction::Kind::Escape;
  return Push(a);
}

ScriptedUser& ScriptedUser::Type(std::string text) {
  UserAction a;
  a.kind = UserAction::Kind::Type;
  a.text = std::move(text);
  return Push(a);
}

ScriptedUser& ScriptedUser::After(unsigned ms) {
  nextDelay_ = ms;
  return *this;
}

UserAction ScriptedUser::Take() {
  UserAction a = queue_.front();
  queue_.pop_front();
  performed_.push_back(a.Describe());
  return a;
}

}  // namespace hostsim
