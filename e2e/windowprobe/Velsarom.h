// Finding Velsarom's windows from another process.
#pragma once

#include "platform/win32/Win32Ports.h"

#include <string>
#include <vector>

#include "shell/TForm1.h"

struct VelsaromWindows {
  HWND form = nullptr;  // class TForm1, caption "Velsarom"
  HWND tab = nullptr;
  std::vector<HWND> pages;  // in the order of the tabs
};

// The first visible Velsarom form, waiting up to timeoutMs.
VelsaromWindows FindVelsarom(DWORD timeoutMs);
// A control's widget by the form's control name; nullptr when absent.
HWND Widget(const VelsaromWindows& v, const std::string& name);
std::string WindowText(HWND w);
std::string ClassOf(HWND w);
// A message box of a process: its window (nullptr when none is shown), its title, and its
// texts with the box's line breaks as "\n".
struct MessageBoxSeen {
  HWND hwnd = nullptr;
  std::string title, text;
};
MessageBoxSeen OpenMessageBox(DWORD pid);
// The form object whose design the window shows (names, fonts), for the checks.
const TForm1& Design();

// Every problem of the layout, one line each: overlaps, controls outside their page or
// straddling a group frame, captions that do not fit.
std::vector<std::string> LayoutProblems(const VelsaromWindows& v);
