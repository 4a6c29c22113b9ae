// What a workflow talks to the host through: the command channel (the host's windows once
// found). What the host exports comes back as a value from the export or selection that asked
// for it. Cores take a HostLink as an argument and never reach for process-wide state; the
// window passes ProcessHostLink().
#pragma once

#include <cstdint>

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

// Borrowed: the link is a reference, cheap to pass on.
struct HostLink {
  THostChannel& channel;
};

// The process-wide channel state (one instance, empty at start).
THostChannel& HostChannel();

// The process-wide channel: only the window's members (shell/) reach for it, and hand it to
// the cores.
HostLink ProcessHostLink();
