#include "hostsim/win32/HostWindows.h"

#include <deque>
#include <fstream>

#include "hostsim/win32/CopyDataLog.h"
#include "hostsim/win32/DrawingView.h"
#include "platform/Utf.h"

namespace hostsim {

namespace {

const wchar_t kMainClass[] =
    L"Afx:0000000140000000:8:0000000000010003:0000000000000000:0000000000A10581";
const wchar_t kTextClass[] =
    L"Afx:0000000140000000:b:0000000000010003:0000000000000006:0000000000000000";
const wchar_t kInnerClass[] = L"Afx:0000000140000000:0";
constexpr UINT_PTR kTimer = 1;
constexpr int kCommandLineHeight = 44;
constexpr UINT kTakeTyped = WM_APP + 1;

struct State {
  HostCore* core = nullptr;
  HostWindowsOptions options;
  HWND main = nullptr, text = nullptr, line = nullptr, history = nullptr;
  std::string shownLine, shownHistory;
  std::size_t shownEntities = static_cast<std::size_t>(-1);
  bool shownEnabled = true;
  std::deque<std::string> typed;  // commands received, not yet taken
  bool drawingStale = false;      // commands were taken since the drawing was last painted
};
State g;

std::wstring Wide(const std::string& s) {
  std::u16string u = platform::Utf8ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}

std::string DrawingName() {
  std::string n = g.core->Variable("DWGNAME").value_or("\"Drawing1.dwg\"");
  return n.substr(1, n.size() - 2);
}

// Brings the windows up to what the host shows now.
void Refresh() {
  if (g.core->currentLine() != g.shownLine) {
    g.shownLine = g.core->currentLine();
    SetWindowTextW(g.line, Wide(g.shownLine).c_str());
    RECT r;
    GetClientRect(g.main, &r);
    r.top = r.bottom - kCommandLineHeight;
    InvalidateRect(g.main, &r, FALSE);
  }
  std::string h = g.core->historyText();
  if (h != g.shownHistory) {
    g.shownHistory = h;
    SetWindowTextW(g.history, Wide(h).c_str());
    SendMessageW(g.history, EM_SETSEL, h.size(), h.size());
    SendMessageW(g.history, EM_SCROLLCARET, 0, 0);
    InvalidateRect(g.main, nullptr, FALSE);
  }
  if (g.core->enabled() != g.shownEnabled) {
    g.shownEnabled = g.core->enabled();
    EnableWindow(g.main, g.shownEnabled);
  }
}

void PaintMain(HWND w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT client;
  GetClientRect(w, &client);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  RECT view = client;
  view.bottom -= kCommandLineHeight;
  const Drawing& d = g.core->drawing();
  PaintDrawing(mem, view, d, g.core->ViewSize(), g.core->ViewCenter());
  // The command line under the drawing: the last history line and the current line.
  RECT cmd = client;
  cmd.top = view.bottom;
  HBRUSH bar = CreateSolidBrush(RGB(235, 235, 235));
  FillRect(mem, &cmd, bar);
  DeleteObject(bar);
  HFONT font = CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0,
                           ANTIALIASED_QUALITY, 0, L"IPAGothic");
  HGDIOBJ oldFont = SelectObject(mem, font);
  SetBkMode(mem, TRANSPARENT);
  SetTextColor(mem, RGB(0, 0, 0));
  SetTextAlign(mem, TA_LEFT | TA_TOP);
  const auto& lines = g.core->historyLines();
  std::wstring last = lines.empty() ? L"" : Wide(lines.back());
  std::wstring current = Wide(g.core->currentLine());
  TextOutW(mem, 6, cmd.top + 3, last.c_str(), static_cast<int>(last.size()));
  TextOutW(mem, 6, cmd.top + 23, current.c_str(), static_cast<int>(current.size()));
  SelectObject(mem, oldFont);
  DeleteObject(font);
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
  SelectObject(mem, oldBmp);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(w, &ps);
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  if (path.empty()) return;
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

void Save() {
  if (!g.options.savePath.empty()) WriteWhole(g.options.savePath, g.core->SaveDrawing());
  WriteWhole(g.options.variablesPath, g.core->Variables());
}

LRESULT CALLBACK MainProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COPYDATA: {
      auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
      if (!g.options.copyDataLog.empty()) AppendCopyDataLog(g.options.copyDataLog, *cds);
      if (cds->dwData != 1 || !cds->lpData) return FALSE;
      const auto* units = static_cast<const char16_t*>(cds->lpData);
      std::u16string text;
      for (DWORD k = 0; k < cds->cbData / 2 && units[k] != 0; ++k) text.push_back(units[k]);
      // Taken from the message loop, as the real host takes typed text: the sender goes on at
      // once, and the command runs and shows while the sender pauses before its next reading.
      g.typed.push_back(platform::Utf16ToUtf8(text));
      PostMessageW(w, kTakeTyped, 0, 0);
      return TRUE;
    }
    case kTakeTyped:
      if (g.typed.empty()) return 0;
      while (!g.typed.empty()) {
        g.core->Type(g.typed.front());
        g.typed.pop_front();
      }
      g.drawingStale = true;
      return 0;
    case WM_NULL:
      // A client posts it after each command; the log shows that it arrived.
      if (!g.options.copyDataLog.empty()) AppendLogLine(g.options.copyDataLog, "WM_NULL\n");
      return 0;
    case WM_TIMER:
      // The windows show what typed commands did at the next tick, once for commands sent one
      // after another: updating them takes tens of milliseconds, and a sender that waits for
      // them between its commands would wait that long for each.
      g.core->Tick(GetTickCount64());
      Refresh();
      if (g.drawingStale || g.core->drawing().entities.size() != g.shownEntities) {
        g.drawingStale = false;
        g.shownEntities = g.core->drawing().entities.size();
        InvalidateRect(w, nullptr, FALSE);
      }
      return 0;
    case WM_PAINT:
      PaintMain(w);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      InvalidateRect(w, nullptr, FALSE);
      return 0;
    case WM_CLOSE:
      Save();
      KillTimer(w, kTimer);
      DestroyWindow(g.text);
      DestroyWindow(w);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK TextProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && g.line) {
    // The inner frames fill the window; the current line sits under the history.
    RECT r;
    GetClientRect(w, &r);
    HWND frame = GetWindow(w, GW_CHILD);
    HWND pane = GetWindow(frame, GW_CHILD);
    MoveWindow(frame, 0, 0, r.right, r.bottom, TRUE);
    MoveWindow(pane, 0, 0, r.right, r.bottom, TRUE);
    MoveWindow(g.history, 0, 0, r.right, r.bottom - 24, TRUE);
    MoveWindow(g.line, 0, r.bottom - 24, r.right, 24, TRUE);
    return 0;
  }
  if (msg == WM_CLOSE) {
    ShowWindow(w, SW_HIDE);  // the text window only hides, as the host's does
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

bool Register(HINSTANCE inst, const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

bool CreateHostWindows(HINSTANCE inst, HostCore& core, const HostWindowsOptions& options) {
  g.core = &core;
  g.options = options;
  if (!Register(inst, kMainClass, MainProc) || !Register(inst, kTextClass, TextProc) ||
      !Register(inst, kInnerClass, DefWindowProcW))
    return false;
  std::wstring name = Wide(DrawingName());
  g.main = CreateWindowExW(0, kMainClass, (L"AutoCAD 2018 - [" + name + L"]").c_str(),
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 680, nullptr, nullptr, inst,
                           nullptr);
  g.text = CreateWindowExW(0, kTextClass, (L"AutoCAD テキスト ウィンドウ - " + name).c_str(),
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 420, 420, 300, nullptr, nullptr,
                           inst, nullptr);
  if (!g.main || !g.text) return false;
  HWND frame = CreateWindowExW(0, kInnerClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, g.text,
                               nullptr, inst, nullptr);
  HWND pane = CreateWindowExW(0, kInnerClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame,
                              nullptr, inst, nullptr);
  // First the current line, then the history: the order GW_CHILD and GW_HWNDNEXT walk.
  g.line = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_READONLY, 0,
                           0, 10, 10, pane, nullptr, inst, nullptr);
  g.history = CreateWindowExW(0, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                              10, 10, pane, nullptr, inst, nullptr);
  if (!frame || !pane || !g.line || !g.history) return false;
  SendMessageW(g.history, EM_SETLIMITTEXT, 0, 0);
  RECT r;
  GetClientRect(g.text, &r);
  SendMessageW(g.text, WM_SIZE, 0, MAKELPARAM(r.right, r.bottom));
  Refresh();
  SetTimer(g.main, kTimer, 20, nullptr);
  return true;
}

}  // namespace hostsim
