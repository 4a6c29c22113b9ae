// hostsimclient COMMAND [ARG]: talks to a running host the way the product does.
//   wait [MS]      until the host's main and text windows are there   -> found=1
//   send TEXT      WM_COPYDATA (dwData 1); \r, \n, \x03, \\ in TEXT    -> sent=1
//   idle [MS]      until the current line reads "コマンド: " twice     -> idle=1
//   line | history the current line or the history, as UTF-8
// Exit code 0 on success, 1 otherwise.
#include <windows.h>

#include <string>

namespace {

struct Found {
  HWND main = nullptr, text = nullptr;
};

std::wstring Get(HWND w, bool title) {
  wchar_t buf[256] = {};
  if (title) {
    GetWindowTextW(w, buf, 255);
  } else {
    GetClassNameW(w, buf, 255);
  }
  return buf;
}

BOOL CALLBACK Visit(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  std::wstring title = Get(w, true), cls = Get(w, false);
  if (title.rfind(L"AutoCAD ", 0) != 0 || cls.rfind(L"Afx:", 0) != 0) return TRUE;
  if (!f->main && cls.find(L":8:") != std::wstring::npos) f->main = w;
  if (!f->text && cls.find(L":b:") != std::wstring::npos &&
      title.find(L"テキスト ウィンドウ") != std::wstring::npos)
    f->text = w;
  return TRUE;
}

Found Find() {
  Found f;
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&f));
  return f;
}

std::wstring ReadText(HWND w) {
  LRESULT n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  if (n <= 0) return {};
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  SendMessageW(w, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(s.data()));
  s.resize(wcslen(s.c_str()));
  return s;
}

HWND CurrentLine(const Found& f) {
  HWND w = f.text;
  for (int level = 0; level < 3 && w; ++level) w = GetWindow(w, GW_CHILD);
  return w;
}

void Print(const std::wstring& s) {
  int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr,
                      nullptr);
  out += "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
}

std::wstring Unescape(const std::wstring& t) {
  std::wstring out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] != L'\\' || i + 1 >= t.size()) {
      out += t[i];
      continue;
    }
    wchar_t c = t[++i];
    if (c == L'r') {
      out += L'\r';
    } else if (c == L'n') {
      out += L'\n';
    } else if (c == L'x' && t.compare(i + 1, 2, L"03") == 0) {
      out += L'\x03';
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 1;
  std::wstring cmd = argv[1];
  DWORD limit = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 10000;
  if (cmd == L"wait") {
    for (DWORD t = 0; t <= limit; t += 100) {
      Found f = Find();
      if (f.main && f.text && CurrentLine(f)) {
        Print(L"found=1");
        return 0;
      }
      Sleep(100);
    }
    Print(L"found=0");
    return 1;
  }
  Found f = Find();
  if (!f.main || !f.text) {
    Print(L"found=0");
    return 1;
  }
  HWND line = CurrentLine(f);
  if (cmd == L"send" && argc > 2) {
    std::wstring text = Unescape(argv[2]);
    COPYDATASTRUCT cds = {};
    cds.dwData = 1;
    cds.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    cds.lpData = const_cast<wchar_t*>(text.c_str());
    SendMessageW(f.main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    PostMessageW(f.main, WM_NULL, 0, 0);
    Print(L"sent=1");
    return 0;
  }
  if (cmd == L"idle") {
    int prompts = 0;
    for (DWORD t = 0; t <= limit; t += 100) {
      prompts = ReadText(line) == L"コマンド: " ? prompts + 1 : 0;
      if (prompts == 2) {
        Print(L"idle=1");
        return 0;
      }
      Sleep(100);
    }
    Print(L"idle=0");
    return 1;
  }
  if (cmd == L"line") {
    Print(ReadText(line));
    return 0;
  }
  if (cmd == L"history") {
    Print(ReadText(GetWindow(line, GW_HWNDNEXT)));
    return 0;
  }
  return 1;
}
