// Port: the window system as the host link sees it. Text is UTF-16, as at every Win32 call;
// limits given in UTF-16 code units apply here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using WindowHandle = std::uintptr_t;  // 0 = no window

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Top-level windows in the order the platform enumerates them.
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  // GetWindowTextW / GetClassNameW with a buffer of maxUnits + 1 code units.
  virtual std::u16string Title(WindowHandle w, int maxUnits) = 0;
  virtual std::u16string ClassName(WindowHandle w, int maxUnits) = 0;
  virtual std::uint32_t ProcessId(WindowHandle w) = 0;
  virtual WindowHandle FirstChild(WindowHandle w) = 0;   // GW_CHILD
  virtual WindowHandle NextSibling(WindowHandle w) = 0;  // GW_HWNDNEXT
  virtual long TextLength(WindowHandle w) = 0;           // WM_GETTEXTLENGTH
  // WM_GETTEXT with a buffer of capacityUnits code units; the text up to its zero.
  virtual std::u16string Text(WindowHandle w, long capacityUnits) = 0;
  // Synchronous WM_COPYDATA with wParam 0; data points at cbData bytes.
  virtual void SendCopyData(WindowHandle w, std::uintptr_t dwData, const void* data,
                            std::uint32_t cbData) = 0;
  virtual void PostNull(WindowHandle w) = 0;  // PostMessageW(WM_NULL, 0, 0)
  virtual bool IsWindow(WindowHandle w) = 0;
  virtual bool IsVisible(WindowHandle w) = 0;
  virtual bool IsEnabled(WindowHandle w) = 0;
  virtual bool SetForeground(WindowHandle w) = 0;
};

}  // namespace platform
