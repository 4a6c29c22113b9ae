// Reading another process's common controls: their messages carry pointers, which are not
// carried across processes, so the structures live in the other process's memory.
#pragma once

#include "platform/win32/Win32Ports.h"

#include <string>

// The text of a tab control's item, or nothing on failure.
bool RemoteTabText(HWND tab, int index, std::wstring& text);
// The rectangle of a tab control's item, in its client coordinates.
bool RemoteTabRect(HWND tab, int index, RECT& rect);
