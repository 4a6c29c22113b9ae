// The window-system port on the Win32 API.
#include <vector>

#include "platform/win32/Win32Ports.h"

namespace platform {
namespace {

HWND H(WindowHandle w) { return reinterpret_cast<HWND>(w); }
WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }

std::u16string FromBuffer(const std::vector<wchar_t>& buffer, int length) {
  if (length <= 0) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                        static_cast<std::size_t>(length));
}

class Win32WindowSystem : public WindowSystem {
 public:
  std::vector<WindowHandle> TopLevelWindows() override {
    std::vector<WindowHandle> windows;
    EnumWindows(
        [](HWND h, LPARAM list) -> BOOL {
          reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(W(h));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
  }
  std::u16string Title(WindowHandle w, int maxUnits) override {
    std::vector<wchar_t> buffer(static_cast<std::size_t>(maxUnits) + 1);
    return FromBuffer(buffer, GetWindowTextW(H(w), buffer.data(), maxUnits + 1));
  }
  std::u16string ClassName(WindowHandle w, int maxUnits) override {
    std::vector<wchar_t> buffer(static_cast<std::size_t>(maxUnits) + 1);
    return FromBuffer(buffer, GetClassNameW(H(w), buffer.data(), maxUnits + 1));
  }
  std::uint32_t ProcessId(WindowHandle w) override {
    DWORD pid = 0;
    GetWindowThreadProcessId(H(w), &pid);
    return pid;
  }
  WindowHandle FirstChild(WindowHandle w) override { return W(GetWindow(H(w), GW_CHILD)); }
  WindowHandle NextSibling(WindowHandle w) override { return W(GetWindow(H(w), GW_HWNDNEXT)); }
  long TextLength(WindowHandle w) override {
    return static_cast<long>(SendMessageW(H(w), WM_GETTEXTLENGTH, 0, 0));
  }
  std::u16string Text(WindowHandle w, long capacityUnits) override {
    if (capacityUnits <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(capacityUnits), L'\0');
    SendMessageW(H(w), WM_GETTEXT, static_cast<WPARAM>(capacityUnits),
                 reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = L'\0';
    std::size_t n = 0;
    while (buffer[n] != L'\0') ++n;
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), n);
  }
  void SendCopyData(WindowHandle w, std::uintptr_t dwData, const void* data,
                    std::uint32_t cbData) override {
    COPYDATASTRUCT cds{static_cast<ULONG_PTR>(dwData), cbData, const_cast<void*>(data)};
    SendMessageW(H(w), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
  }
  void PostNull(WindowHandle w) override { PostMessageW(H(w), WM_NULL, 0, 0); }
  bool IsWindow(WindowHandle w) override { return w != 0 && ::IsWindow(H(w)); }
  bool IsVisible(WindowHandle w) override { return IsWindowVisible(H(w)); }
  bool IsEnabled(WindowHandle w) override { return IsWindowEnabled(H(w)); }
  bool SetForeground(WindowHandle w) override { return SetForegroundWindow(H(w)); }
};

}  // namespace

WindowSystem& Win32Windows() {
  static Win32WindowSystem windows;
  return windows;
}

}  // namespace platform
