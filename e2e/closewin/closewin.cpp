// closewin [--class PATTERN] TITLE-PREFIX [timeout-ms]: posts WM_CLOSE to the first visible
// top-level window whose title begins with the prefix (and whose class name matches the pattern,
// in which '*' stands for any run of characters) and waits until it is gone, as a user closing
// it would. A title prefix alone can name more than one window: the host's text window
// ("AutoCAD テキスト ウィンドウ - …") begins as its main window does, and only hides when closed.
// Exit code 0 when closed, 1 when no such window appeared, 2 when it did not close in time,
// 3 on a wrong command line.
#include <windows.h>

#include <string>

namespace {

struct Search {
  std::wstring prefix;
  std::wstring classPattern;  // empty: any class
  HWND found = nullptr;
};

bool Matches(const wchar_t* text, const wchar_t* pattern) {
  if (*pattern == L'\0') return *text == L'\0';
  if (*pattern == L'*') {
    for (;; ++text) {
      if (Matches(text, pattern + 1)) return true;
      if (*text == L'\0') return false;
    }
  }
  return *text == *pattern && Matches(text + 1, pattern + 1);
}

BOOL CALLBACK Visit(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  wchar_t title[256] = {};
  wchar_t cls[256] = {};
  GetWindowTextW(w, title, 255);
  GetClassNameW(w, cls, 255);
  if (IsWindowVisible(w) && std::wstring(title).rfind(s->prefix, 0) == 0 &&
      (s->classPattern.empty() || Matches(cls, s->classPattern.c_str()))) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

HWND Find(const std::wstring& prefix, const std::wstring& classPattern) {
  Search s{prefix, classPattern};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring classPattern;
  int next = 1;
  if (argc > 2 && std::wstring(argv[1]) == L"--class") {
    classPattern = argv[2];
    next = 3;
  }
  if (argc - next < 1 || argc - next > 2) return 3;
  const std::wstring prefix = argv[next];
  const DWORD timeout = argc - next == 2 ? static_cast<DWORD>(_wtoi(argv[next + 1])) : 10000;
  HWND w = nullptr;
  for (DWORD waited = 0; !w && waited < timeout; waited += 100) {
    w = Find(prefix, classPattern);
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
