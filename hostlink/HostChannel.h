// The only connection to the CAD host: finds its main window and text window among the
// top-level windows, types commands into its command line (WM_COPYDATA) and reads its two
// command-line controls back (WM_GETTEXT). Strings are UTF-8 here, UTF-16 at the port.
// None of these functions shows a message or throws; callers decide what a failure means.
//
// Each operation takes the link whose channel it searches and fills.
#pragma once

#include <cstddef>
#include <string>

#include "hostlink/HostLink.h"
#include "platform/WindowSystem.h"

// Largest command the host's input buffer takes, in UTF-16 code units (without the zero).
inline constexpr std::size_t kMaxCommandUnits = 511;

// The first top-level window, in enumeration order, whose title begins "AutoCAD " or "Autodesk "
// (not a DWG TrueView's) and whose class is the host's main frame.
platform::WindowHandle FindAcadWindow(const HostLink& link);
// Whether a DWG TrueView main window is open (looked at when FindAcadWindow found none).
bool TrueViewIsOpen();
platform::WindowHandle FindTextWindow(const HostLink& link);
// Both wait 100 ms before reading so that the host has painted the line.
std::string ReadCurrentLine(const HostLink& link);
std::string ReadPreviousLine(const HostLink& link);
// False, and nothing sent, when no host window exists or the command exceeds
// kMaxCommandUnits: a shortened command would type a wrong path or number into the drawing.
bool SendCommand(const HostLink& link, const std::string& command);
bool ActivateHost(const HostLink& link);
bool HostIsReady(const HostLink& link);

std::string ReadWindowText(platform::WindowHandle window);
