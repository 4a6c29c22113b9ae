// windowprobe COMMAND [ARGS]: looks at Velsarom's window from another process and drives the
// host command channel, for the real-window checks. Prints "key=value" lines (UTF-8) and exits
// non-zero when the command could not be done.
//   wait-host                 the host's windows are found (10 s)
//   wait-host-gone            no window passes as the host's main window any more (10 s)
//   send TEXT                 SendCommand(TEXT); "\r", "\x03" and "\\" are unescaped
//   readline                  ReadCurrentLine()
//   readhistory               ReadPreviousLine(), one "history=" line per line of it
//   inspect                   window, tab and named controls, as key=value lines
//   layout                    every layout problem; exits 1 when there is one
//   page N                    clicks tab N and prints the window's rectangle
//   click NAME | click-text TEXT   BM_CLICK on a control by name or by caption
//   post-click NAME           BM_CLICK posted, not sent: returns while the click's handler runs
//   spin NAME up|down         a mouse click on one arrow of a spin button
//   settext NAME TEXT         WM_SETTEXT into a control
//   close                     WM_CLOSE to the form; waits for the process to end
//   dialog [close-again]      the form's message box (10 s): its title and text; presses OK.
//                             close-again: first closes the form once more, as an impatient user
//                             would, and tells whether the box is still there
#include "platform/win32/Win32Ports.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RemoteControls.h"
#include "Velsarom.h"
#include "hostlink/HostChannel.h"
#include "platform/Utf.h"
#include "shell/win32/ControlIds.h"

namespace {

void Print(const std::string& key, const std::string& value) {
  const std::string line = key + "=" + value + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char c = s[i + 1];
      if (c == 'r') {
        out += '\r', ++i;
        continue;
      }
      if (c == '\\') {
        out += '\\', ++i;
        continue;
      }
      if (c == 'x' && i + 3 < s.size()) {
        out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
        i += 3;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

bool Flag(LONG_PTR bits, LONG_PTR flag) { return (bits & flag) == flag; }

struct Found {
  std::wstring cls, text;
  HWND hwnd = nullptr;
};

BOOL CALLBACK FindByText(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  wchar_t cls[64] = {}, text[256] = {};
  GetClassNameW(w, cls, 63);
  GetWindowTextW(w, text, 255);
  if (f->cls == cls && f->text == text) {
    f->hwnd = w;
    return FALSE;
  }
  return TRUE;
}

int Inspect(const VelsaromWindows& v) {
  const LONG_PTR style = GetWindowLongPtrW(v.form, GWL_STYLE);
  const LONG_PTR ex = GetWindowLongPtrW(v.form, GWL_EXSTYLE);
  RECT client;
  GetClientRect(v.form, &client);
  Print("caption", WindowText(v.form));
  Print("topmost", Flag(ex, WS_EX_TOPMOST) ? "1" : "0");
  Print("sysmenu", Flag(style, WS_SYSMENU) ? "1" : "0");
  Print("minimizebox", Flag(style, WS_MINIMIZEBOX) ? "1" : "0");
  Print("maximizebox", Flag(style, WS_MAXIMIZEBOX) ? "1" : "0");
  Print("sizable", Flag(style, WS_THICKFRAME) ? "1" : "0");
  Print("client", std::to_string(client.right) + "x" + std::to_string(client.bottom));
  HWND owner = GetWindow(v.form, GW_OWNER);
  Print("owner.title", owner ? WindowText(owner) : "");
  Print("owner.visible", owner && IsWindowVisible(owner) ? "1" : "0");
  Print("owner.owned", owner && GetWindow(owner, GW_OWNER) ? "1" : "0");
  Print("owner.toolwindow",
        owner && Flag(GetWindowLongPtrW(owner, GWL_EXSTYLE), WS_EX_TOOLWINDOW) ? "1" : "0");

  RECT tab;
  GetWindowRect(v.tab, &tab);
  MapWindowPoints(nullptr, v.form, reinterpret_cast<POINT*>(&tab), 2);
  Print("tab.rect", std::to_string(tab.left) + "," + std::to_string(tab.top) + "," +
                        std::to_string(tab.right - tab.left) + "x" +
                        std::to_string(tab.bottom - tab.top));
  const int count = static_cast<int>(SendMessageW(v.tab, TCM_GETITEMCOUNT, 0, 0));
  Print("tab.count", std::to_string(count));
  Print("tab.selected", std::to_string(SendMessageW(v.tab, TCM_GETCURSEL, 0, 0)));
  Print("tab.focusnever", Flag(GetWindowLongPtrW(v.tab, GWL_STYLE), TCS_FOCUSNEVER) ? "1" : "0");
  for (int i = 0; i < count; ++i) {
    std::wstring text;
    Print("tab." + std::to_string(i),
          RemoteTabText(v.tab, i, text) ? "[" + platform::Narrow(text) + "]" : "<unreadable>");
  }
  for (std::size_t i = 0; i < v.pages.size(); ++i)
    Print("page." + std::to_string(i) + ".visible", IsWindowVisible(v.pages[i]) ? "1" : "0");
  RECT page;
  GetClientRect(v.pages[0], &page);
  Print("page.size", std::to_string(page.right) + "x" + std::to_string(page.bottom));

  // Tooltips of the process: one tool per hint.
  DWORD pid = 0;
  GetWindowThreadProcessId(v.form, &pid);
  int tools = 0;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner_pid = 0;
    GetWindowThreadProcessId(w, &owner_pid);
    if (owner_pid == pid && ClassOf(w) == "tooltips_class32")
      tools += static_cast<int>(SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0));
  }
  Print("tooltips", std::to_string(tools));

  for (const TControl* c : Design().Controls()) {
    HWND w = Widget(v, c->Name);
    if (!w) continue;
    std::string state = std::string(IsWindowEnabled(w) ? "enabled" : "disabled");
    if (ClassOf(w) == "Button") {
      const LONG type = GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK;
      if (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON)
        state += SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED ? ",checked" : ",unchecked";
    }
    if (ClassOf(w) == "msctls_updown32")
      state += ",pos=" + std::to_string(SendMessageW(w, UDM_GETPOS32, 0, 0));
    Print("ctl." + c->Name, state + ",[" + WindowText(w) + "]");
  }
  return 0;
}

int SelectPage(const VelsaromWindows& v, int index) {
  RECT item;
  if (!RemoteTabRect(v.tab, index, item)) return 1;
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageW(v.tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(v.tab, WM_LBUTTONUP, 0, at);
  for (int i = 0; i < 50; ++i) {
    Sleep(100);
    if (SendMessageW(v.tab, TCM_GETCURSEL, 0, 0) == index && IsWindowVisible(v.pages[index])) {
      Sleep(300);  // let it paint
      RECT r;
      GetWindowRect(v.form, &r);
      Print("rect", std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
                        "+" + std::to_string(r.left) + "+" + std::to_string(r.top));
      return 0;
    }
  }
  return 1;
}

// A click on the upper or lower arrow, as the user gives it; the spin button tells its parent.
int Spin(HWND spin, bool up) {
  RECT r;
  GetClientRect(spin, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
  PostMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(spin, WM_LBUTTONUP, 0, at);
  Sleep(300);  // the form runs its handler
  return 0;
}

// A message box of the form's process: its title and text, then OK as the user presses it.
int PressDialog(const VelsaromWindows& v, bool closeAgain) {
  DWORD pid = 0;
  GetWindowThreadProcessId(v.form, &pid);
  MessageBoxSeen d = OpenMessageBox(pid);
  for (int i = 0; i < 100 && !d.hwnd; ++i) {
    Sleep(100);
    d = OpenMessageBox(pid);
  }
  if (!d.hwnd) return 1;
  Print("dialog.title", d.title);
  Print("dialog.text", d.text);
  if (closeAgain) {
    PostMessageW(v.form, WM_CLOSE, 0, 0);
    Sleep(500);
    Print("dialog.survived", IsWindow(d.hwnd) && IsWindowVisible(d.hwnd) ? "1" : "0");
    if (!IsWindow(d.hwnd)) return 0;
  }
  HWND ok = GetDlgItem(d.hwnd, IDOK);
  if (!ok) return 1;
  SendMessageW(ok, BM_CLICK, 0, 0);
  return 0;
}

int Close(const VelsaromWindows& v) {
  DWORD pid = 0;
  GetWindowThreadProcessId(v.form, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  PostMessageW(v.form, WM_CLOSE, 0, 0);
  const bool ended = process && WaitForSingleObject(process, 15000) == WAIT_OBJECT_0;
  if (process) CloseHandle(process);
  Print("closed", ended ? "1" : "0");
  return ended ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  platform::CurrentPorts() = platform::Win32Ports();
  if (argc < 2) return 2;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(platform::Narrow(std::wstring(argv[i])));
  const std::string& command = args[0];

  if (command == "wait-host") {
    for (int i = 0; i < 100; ++i) {
      if (FindTextWindow(ProcessHostLink()) && HostChannel().hCurrentLine) {
        Print("host", "found");
        return 0;
      }
      Sleep(100);
    }
    return 1;
  }
  if (command == "send" && args.size() > 1) {
    Print("sent", SendCommand(ProcessHostLink(), Unescape(args[1])) ? "1" : "0");
    return 0;
  }
  if (command == "wait-host-gone") {
    for (int i = 0; i < 100; ++i) {
      HostChannel() = {};  // a search that finds nothing would keep an earlier find
      if (!FindAcadWindow(ProcessHostLink())) {
        Print("host", "gone");
        return 0;
      }
      Sleep(100);
    }
    return 1;
  }
  if (command == "readline") {
    Print("line", "[" + ReadCurrentLine(ProcessHostLink()) + "]");
    return 0;
  }
  if (command == "readhistory") {
    const std::string history = ReadPreviousLine(ProcessHostLink());
    std::size_t start = 0;
    while (start < history.size()) {
      std::size_t end = history.find('\n', start);
      if (end == std::string::npos) end = history.size();
      std::string line = history.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Print("history", "[" + line + "]");
      start = end + 1;
    }
    return 0;
  }

  const VelsaromWindows v = FindVelsarom(15000);
  if (!v.form || !v.tab || v.pages.size() != 4) {
    Print("velsarom", "not found");
    return 1;
  }
  if (command == "inspect") return Inspect(v);
  if (command == "layout") {
    const auto problems = LayoutProblems(v);
    for (const std::string& p : problems) Print("problem", p);
    Print("problems", std::to_string(problems.size()));
    return problems.empty() ? 0 : 1;
  }
  if (command == "page" && args.size() > 1) return SelectPage(v, std::stoi(args[1]));
  if (command == "click" && args.size() > 1) {
    HWND w = Widget(v, args[1]);
    if (!w) return 1;
    SendMessageW(w, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == "post-click" && args.size() > 1) {
    HWND w = Widget(v, args[1]);
    if (!w) return 1;
    return PostMessageW(w, BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (command == "spin" && args.size() > 2) {
    HWND w = Widget(v, args[1]);
    if (!w || (args[2] != "up" && args[2] != "down")) return 1;
    return Spin(w, args[2] == "up");
  }
  if (command == "click-text" && args.size() > 1) {
    Found f{L"Button", platform::Wide(args[1])};
    EnumChildWindows(v.form, FindByText, reinterpret_cast<LPARAM>(&f));
    if (!f.hwnd) return 1;
    SendMessageW(f.hwnd, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == "settext" && args.size() > 2) {
    HWND w = Widget(v, args[1]);
    if (!w) return 1;
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(platform::Wide(args[2]).c_str()));
    return 0;
  }
  if (command == "close") return Close(v);
  if (command == "dialog") return PressDialog(v, args.size() > 1 && args[1] == "close-again");
  return 2;
}
