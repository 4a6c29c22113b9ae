// What a workflow talks to the host through: the command channel (the host's windows once
// found) and the entity tables that the host's exports are read into. Cores take a HostLink as
// an argument and never reach for process-wide state; the window passes ProcessHostLink().
#pragma once

#include <cstdint>

#include "dxf/DxfTables.h"
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

// Both are borrowed: the link is a pair of references, cheap to pass on.
struct HostLink {
  THostChannel& channel;
  TDxfTables& tables;
};

// The process-wide channel state (one instance, empty at start).
THostChannel& HostChannel();

// The process-wide channel and tables (DxfTables()): only the window's members (shell/) reach
// for them, and hand them to the cores.
HostLink ProcessHostLink();
