// Port: a message box owned by the main window, one OK button, or a question with Yes and No.
// Not named MessageBox: windows.h defines that name as a macro.
#pragma once

#include <string>

namespace platform {

class OwnedMessageBox {
 public:
  virtual ~OwnedMessageBox() = default;
  virtual void Show(const std::string& text, const std::string& title) = 0;
  // True when the user answers Yes.
  virtual bool Ask(const std::string& text, const std::string& title) = 0;
};

}  // namespace platform
