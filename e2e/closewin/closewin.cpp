// closewin TITLE-PREFIX [timeout-ms]: posts WM_CLOSE to the first visible top-level window whose
// title begins with the prefix and waits until it is gone, as a user closing it would.
// Exit code 0 when closed, 1 when no such window appeared, 2 when it did not close in time.
#include <windows.h>

#include <string>

namespace {

struct Search {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  wchar_t title[256] = {};
  GetWindowTextW(w, title, 255);
  if (IsWindowVisible(w) && std::wstring(title).rfind(s->prefix, 0) == 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindByPrefix(const std::wstring& prefix) {
  Search s{prefix};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 3;
  const DWORD timeout = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 10000;
  HWND w = nullptr;
  for (DWORD waited = 0; !w && waited < timeout; waited += 100) {
    w = FindByPrefix(argv[1]);
    if (!w) Sleep(100);
  }
  if (!w) return 1;
  PostMessageW(w, WM_CLOSE, 0, 0);
  for (DWORD waited = 0; waited < timeout; waited += 100) {
    if (!IsWindow(w)) return 0;
    Sleep(100);
  }
  return 2;
}
