// The Win32 implementations of the ports: thin wrappers of the named API functions.
#pragma once

#include <windows.h>

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

// One message as the main loop and the waits handle it.
void DispatchWindowMessage(MSG& msg);

// UTF-8 <-> the wide strings of the Win32 calls.
std::wstring Wide(const std::string& utf8);
std::string Narrow(const wchar_t* wide, std::size_t length);
std::string Narrow(const std::wstring& wide);

}  // namespace platform
