// Time and the message queue of the user-interface thread.
#include "platform/win32/Win32Ports.h"

namespace platform {
namespace {

HWND mainWindow = nullptr;

class Win32EventLoop : public EventLoop {
 public:
  void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }
  void ProcessMessages() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // Leave the quit to the main loop, which ends the program after the wait.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      DispatchWindowMessage(msg);
    }
  }
  std::uint64_t TickCount() override { return GetTickCount64(); }
};

}  // namespace

void SetMainWindow(HWND window) { mainWindow = window; }
HWND MainWindow() { return mainWindow; }

void DispatchWindowMessage(MSG& msg) {
  if (mainWindow && IsDialogMessageW(mainWindow, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

EventLoop& Win32Loop() {
  static Win32EventLoop loop;
  return loop;
}

}  // namespace platform
