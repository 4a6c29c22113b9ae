// Work counted in steps rather than time: a search that stops when its budget is spent stops at
// the same place on every machine and in both builds, so a polygon always gets the same answer.
#pragma once

class WorkBudget {
 public:
  explicit WorkBudget(long long steps) : left_(steps) {}
  // False once the budget is spent (by these steps or before).
  bool Spend(long long steps) {
    left_ -= steps;
    return left_ >= 0;
  }
  bool Spent() const { return left_ < 0; }
  long long Left() const { return left_ < 0 ? 0 : left_; }

 private:
  long long left_;
};
