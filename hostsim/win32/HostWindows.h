// The windows of hostsim.exe as the host has them: the main window (class "Afx:...:8:...",
// title "AutoCAD 2018 - [name]") showing the drawing and the command line, and the text window
// (class "Afx:...:b:...", title with "テキスト ウィンドウ") whose current-line and history
// controls lie three levels down. WM_COPYDATA with dwData 1 is typed into the host.
#pragma once

#include <windows.h>

#include <string>

#include "hostsim/HostCore.h"

namespace hostsim {

struct HostWindowsOptions {
  std::string savePath;       // where the drawing is saved when the main window closes
  std::string copyDataLog;    // for the checks: every WM_COPYDATA received is appended here
  std::string variablesPath;  // for the checks: every system variable, written on closing
};

// Creates the windows; false when a class or window could not be made.
bool CreateHostWindows(HINSTANCE instance, HostCore& core, const HostWindowsOptions& options);

}  // namespace hostsim
