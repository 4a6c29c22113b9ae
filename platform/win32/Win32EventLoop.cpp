// Time and the message queue of the user-interface thread.
#include "platform/win32/Win32Ports.h"

namespace platform {
namespace {

HWND mainWindow = nullptr;
WaitTally tally;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

class Win32EventLoop : public EventLoop {
 public:
  void Sleep(unsigned milliseconds) override {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    ::Sleep(milliseconds);
    QueryPerformanceCounter(&after);
    ++tally.pauses;
    tally.asked += milliseconds;
    tally.slept += Milliseconds(before, after);
  }
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

WaitTally Win32Waits() { return tally; }

double Win32Now() {
  static LARGE_INTEGER origin = [] {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return Milliseconds(origin, now);
}

EventLoop& Win32Loop() {
  static Win32EventLoop loop;
  return loop;
}

}  // namespace platform
