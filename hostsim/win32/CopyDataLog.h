// For the real-window checks: every WM_COPYDATA the main window receives, appended to a file as
// one UTF-8 line "dwData=N cbData=N zero=0|1 text=...", and every WM_NULL as "WM_NULL", so that
// a check can compare what a client sent with what arrived. Control characters and the backslash
// are written as "\xHH" and "\\". Logging only: the message is typed into the host as before.
#pragma once

#include <windows.h>

#include <string>

namespace hostsim {

// The line for one message; the text is read up to its first zero within cbData.
std::string CopyDataLogLine(const COPYDATASTRUCT& cds);

// Appends the message's line to the file at path; false when the file could not be written.
bool AppendCopyDataLog(const std::string& path, const COPYDATASTRUCT& cds);
// Appends a line of its own (for example "WM_NULL\n", which a client posts after a command).
bool AppendLogLine(const std::string& path, const std::string& line);

}  // namespace hostsim
