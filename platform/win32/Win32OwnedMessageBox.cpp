// Message boxes owned by the main window, so that they stay above it and block it.
#include "platform/win32/Win32Ports.h"

namespace platform {

namespace {

class Win32OwnedMessageBox : public OwnedMessageBox {
 public:
  void Show(const std::string& text, const std::string& title) override {
    MessageBoxW(MainWindow(), Wide(text).c_str(), Wide(title).c_str(), MB_OK);
  }
  bool Ask(const std::string& text, const std::string& title) override {
    return MessageBoxW(MainWindow(), Wide(text).c_str(), Wide(title).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
};

}  // namespace

OwnedMessageBox& Win32Messages() {
  static Win32OwnedMessageBox messages;
  return messages;
}

}  // namespace platform
