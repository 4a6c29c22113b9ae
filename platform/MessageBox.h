// Port: a message box owned by the main window, one OK button.
#pragma once

#include <string>

namespace platform {

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(const std::string& text, const std::string& title) = 0;
};

}  // namespace platform
