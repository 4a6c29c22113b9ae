// The Win32 implementations of the ports: thin wrappers of the named API functions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Ports.h"

namespace platform {

// The ports of the running program; main() installs them once.
Ports Win32Ports();

// The single instance of each.
WindowSystem& Win32Windows();
EventLoop& Win32Loop();
FileSystem& Win32Files();
CodePage& Win32Ansi();
Profile& Win32Profile();
OwnedMessageBox& Win32Messages();

// The main window: it owns the message boxes, and the message pumps hand it its keyboard
// navigation (IsDialogMessage).
void SetMainWindow(HWND window);
HWND MainWindow();

// The pauses the program has asked of the event loop so far: how many, the milliseconds asked
// and the milliseconds they took. Read around a click, they tell the click's own waits from the
// rest of its time.
struct WaitTally {
  std::uint64_t pauses = 0;
  std::uint64_t asked = 0;
  double slept = 0;
};
WaitTally Win32Waits();
// Milliseconds on the high-resolution clock, from its first reading.
double Win32Now();

// One message as the main loop and the waits handle it.
void DispatchWindowMessage(MSG& msg);

// UTF-8 <-> the wide strings of the Win32 calls.
std::wstring Wide(const std::string& utf8);
std::string Narrow(const wchar_t* wide, std::size_t length);
std::string Narrow(const std::wstring& wide);

}  // namespace platform
