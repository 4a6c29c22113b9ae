// The dialog identifier of each control's widget: its place in the form's list of controls,
// so that a program looking at the window from outside can find a control by its name.
#pragma once

#include <algorithm>
#include <string>

#include "shell/TForm1.h"

inline constexpr int kFirstControlId = 100;

// 0 for a name that is no control of the form.
inline int ControlId(const TForm1& form, const std::string& name) {
  const auto& controls = form.Controls();
  const auto it = std::find_if(controls.begin(), controls.end(),
                               [&](const TControl* c) { return c->Name == name; });
  return it == controls.end() ? 0 : kFirstControlId + static_cast<int>(it - controls.begin());
}
