// The only connection to the CAD host: finds its main window and text window among the
// top-level windows, types commands into its command line (WM_COPYDATA) and reads its two
// command-line controls back (WM_GETTEXT). Strings are UTF-8 here, UTF-16 at the port.
// None of these functions shows a message or throws; callers decide what a failure means.
#pragma once

#include <cstdint>
#include <string>

#include "platform/WindowSystem.h"

// Handles found by the searches. They are not owned and never released; a search overwrites
// an item only when it finds a window, so a vanished host leaves its old handles behind.
struct THostChannel {
  platform::WindowHandle hAcad = 0;         // host main window
  std::uint32_t processId = 0;              // process owning hAcad
  platform::WindowHandle hText = 0;         // host text window
  platform::WindowHandle hCurrentLine = 0;  // current prompt line, three levels below hText
  platform::WindowHandle hHistory = 0;      // command history, next sibling of hCurrentLine
};

// The process-wide channel state (one instance, empty at start).
THostChannel& HostChannel();

// Largest command the host's input buffer takes, in UTF-16 code units (without the zero).
inline constexpr std::size_t kMaxCommandUnits = 511;

platform::WindowHandle FindAcadWindow();
platform::WindowHandle FindTextWindow();
// Both wait 100 ms before reading so that the host has painted the line.
std::string ReadCurrentLine();
std::string ReadPreviousLine();
// False, and nothing sent, when no host window exists or the command exceeds
// kMaxCommandUnits: a shortened command would type a wrong path or number into the drawing.
bool SendCommand(const std::string& command);
bool ActivateHost();
bool HostIsReady();
std::string ReadWindowText(platform::WindowHandle window);
