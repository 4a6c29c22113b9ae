// hoststandin LOG [PROMPT]: the windows of a CAD host as the command channel finds them, and
// nothing more. A main window ("AutoCAD LT 2016 - [...]", class "Afx:...:8:...") logs every
// WM_COPYDATA to LOG as one UTF-8 line "dwData=N cbData=N zero=0|1 text=..."; a text window
// ("... テキスト ウィンドウ ...", class "Afx:...:b:...") holds two edit controls three levels
// down, the current line showing PROMPT and the history below it. Ends when its main window
// is closed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t kMainClass[] = L"Afx:00400000:8:00010003:00000000:00000000";
const wchar_t kTextClass[] = L"Afx:00400000:b:00010003:00000006:00000000";
const wchar_t kInnerClass[] = L"Afx:00400000:0";
std::wstring logPath;

std::string Utf8(const wchar_t* s, std::size_t n) {
  if (n == 0) return {};
  const int len =
      WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(len), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(n), out.data(), len, nullptr, nullptr);
  return out;
}

void Log(const COPYDATASTRUCT& cds) {
  const auto* units = static_cast<const wchar_t*>(cds.lpData);
  const std::size_t count = cds.cbData / sizeof(wchar_t);
  std::size_t n = 0;
  while (n < count && units[n] != L'\0') ++n;
  const bool zero = count > 0 && units[count - 1] == L'\0';
  std::string line = "dwData=" + std::to_string(cds.dwData) +
                     " cbData=" + std::to_string(cds.cbData) + " zero=" + (zero ? "1" : "0") +
                     " text=";
  for (char c : Utf8(units, n)) {
    // Control characters are logged visibly so the check can compare them.
    if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
      line += escaped;
    } else {
      line += c;
    }
  }
  line += "\n";
  if (FILE* f = _wfopen(logPath.c_str(), L"ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
  }
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    Log(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return TRUE;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND Create(const wchar_t* cls, const wchar_t* title, DWORD style, HWND parent, int x, int y, int w,
            int h) {
  return CreateWindowExW(0, cls, title, style, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (__argc < 2) return 3;
  logPath = __wargv[1];
  const std::wstring prompt = __argc > 2 ? __wargv[2] : L"コマンド: ";

  WNDCLASSW wc{};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpfnWndProc = MainProc;
  wc.lpszClassName = kMainClass;
  RegisterClassW(&wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kTextClass;
  RegisterClassW(&wc);
  wc.lpszClassName = kInnerClass;
  RegisterClassW(&wc);

  HWND main = Create(kMainClass, L"AutoCAD LT 2016 - [Drawing1.dwg]", WS_OVERLAPPEDWINDOW, nullptr,
                     20, 20, 520, 380);
  HWND text = Create(kTextClass, L"AutoCAD LT 2016 テキスト ウィンドウ - Drawing1.dwg",
                     WS_OVERLAPPEDWINDOW, nullptr, 40, 420, 480, 200);
  HWND level1 = Create(kInnerClass, L"", WS_CHILD | WS_VISIBLE, text, 0, 0, 470, 170);
  HWND level2 = Create(kInnerClass, L"", WS_CHILD | WS_VISIBLE, level1, 0, 0, 470, 170);
  Create(L"EDIT", prompt.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, level2, 4,
         140, 460, 22);
  Create(L"EDIT", L"コマンド: _LINE\r\n", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, level2,
         4, 4, 460, 130);
  ShowWindow(main, SW_SHOWNOACTIVATE);
  ShowWindow(text, SW_SHOWNOACTIVATE);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
