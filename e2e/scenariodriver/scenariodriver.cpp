// scenariodriver STEPS.txt VELSAROM.exe [SHOT]: waits for the host's windows, then works
// Velsarom's window from another process, one step per line of STEPS (UTF-8), as
// e2e/run_scenarios.py writes them: "LINE VERB ARGS", LINE being the step's line in its scenario
// file. Prints "ok LINE" per step done and, at the first step that cannot be done or whose check
// differs, "fail LINE: what differs" and exits 1. After the last step it prints the form's
// rectangle ("form WxH+X+Y") and, given SHOT, "shoot", waits for the file SHOT to exist (the
// screenshot taken) and closes Velsarom and the host.
//   click NAME          BM_CLICK; returns when the click's handler has ended or shows a message
//   click-nowait NAME   BM_CLICK, going on while its handler runs
//   set NAME TEXT       WM_SETTEXT
//   check NAME | uncheck NAME   clicked when its state differs (runs the control's handler)
//   choose GROUP ITEM   the radio item of a radio group by its caption
//   page N              the tab page N selected
//   answer TITLE | TEXT a message box of Velsarom's is shown with this title and text ("\n" for a
//                       line break, a final "*" for any rest); OK pressed, then as after click
//   answer-yes TITLE | TEXT, answer-no TITLE | TEXT   the same for a question: Yes or No pressed
//   snapshot NAME       prints "snap NAME WxH+X+Y" (the open message box's rectangle, or the
//                       window's) and waits until the file SHOT-NAME exists (the screen taken
//                       as it is, for the guide's pictures)
//   control NAME TEXT   the control's text is TEXT now
//   host-line TEXT      the host's current line comes to hold TEXT (15 s)
//   host-history-lacks TEXT   the host's history does not hold TEXT
//   close-host          the host's main window closed as a user closes it; waits until it is gone
//   close               Velsarom closed as a user closes it; waits until its process has ended
//                       or it shows a message box, which the next step (answer) answers
//   restart             Velsarom closed (it saves its settings) and started again
//   wait                every click sent has ended
// Before every step but answer and after the last, no message box may be open, and after the
// last every click must have ended.
#include "platform/win32/Win32Ports.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RemoteControls.h"
#include "Velsarom.h"
#include "hostlink/HostChannel.h"
#include "platform/Utf.h"

namespace {

constexpr DWORD kClickLimitMs = 120000;

void Print(const std::string& line) {
  const std::string out = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
}

struct StepFailure {
  std::string what;
};

[[noreturn]] void Fail(const std::string& what) { throw StepFailure{what}; }

// The first word of text and the rest after one blank.
std::pair<std::string, std::string> Split(const std::string& text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos) return {text, ""};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == '\\')) {
      out += s[i + 1] == 'n' ? '\n' : '\\';
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string Shown(std::string s) {
  for (std::size_t i = 0; (i = s.find('\n', i)) != std::string::npos;) s.replace(i, 1, "\\n");
  return s;
}

struct HostSearch {
  HWND hwnd = nullptr;
};

BOOL CALLBACK FindHostMain(HWND w, LPARAM p) {
  const std::string cls = ClassOf(w), title = WindowText(w);
  // The simulated host's main window, also when it is titled as a viewer (`host product`).
  if (IsWindowVisible(w) && cls.rfind("Afx:", 0) == 0 && cls.find(":8:") != std::string::npos &&
      (title.rfind("AutoCAD ", 0) == 0 || title.rfind("DWG TrueView ", 0) == 0)) {
    reinterpret_cast<HostSearch*>(p)->hwnd = w;
    return FALSE;
  }
  return TRUE;
}

HWND HostMainWindow() {
  HostSearch s;
  EnumWindows(FindHostMain, reinterpret_cast<LPARAM>(&s));
  return s.hwnd;
}

DWORD WINAPI SendClick(LPVOID widget) {
  // Sent, so that the thread ends when the control's handler has ended.
  SendMessageW(static_cast<HWND>(widget), BM_CLICK, 0, 0);
  return 0;
}

class Driver {
 public:
  explicit Driver(std::wstring velsarom) : velsarom_(std::move(velsarom)) {}
  ~Driver() {
    for (HANDLE t : clicks_) CloseHandle(t);
  }
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  void Step(const std::string& verb, const std::string& args) {
    const bool answer = verb == "answer" || verb == "answer-yes" || verb == "answer-no";
    if (!answer && verb != "snapshot") RequireNoMessageBox();
    if (closing_ && !answer) Fail("Velsarom shows a message while it closes");
    if (verb == "click" || verb == "click-nowait") {
      StartClick(Control(args));
      if (verb == "click") Settle(clicks_.back());
    } else if (verb == "set") {
      const auto [name, text] = Split(args);
      SendMessageW(Control(name), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(platform::Wide(Unescape(text)).c_str()));
    } else if (verb == "check" || verb == "uncheck") {
      HWND w = Control(args);
      const bool checked = SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (checked != (verb == "check")) SendMessageW(w, BM_CLICK, 0, 0);
      if ((SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED) != (verb == "check"))
        Fail(args + " did not change its state");
    } else if (verb == "choose") {
      const auto [group, item] = Split(args);
      HWND radio = RadioItem(Control(group), item);
      if (!radio) Fail(group + " has no item " + item);
      SendMessageW(radio, BM_CLICK, 0, 0);
    } else if (verb == "page") {
      SelectPage(std::stoi(args));
    } else if (verb == "snapshot") {
      Snapshot(args);
    } else if (verb == "answer") {
      Answer(args, IDOK);
    } else if (verb == "answer-yes") {
      Answer(args, IDYES);
    } else if (verb == "answer-no") {
      Answer(args, IDNO);
    } else if (verb == "control") {
      const auto [name, text] = Split(args);
      const std::string got = WindowText(Control(name));
      if (got != Unescape(text)) Fail(name + " shows '" + got + "', expected '" + text + "'");
    } else if (verb == "host-line") {
      WaitHostLine(args);
    } else if (verb == "host-history-lacks") {
      HostChannel() = {};
      if (ReadPreviousLine(ProcessHostLink()).find(args) != std::string::npos)
        Fail("the host's history holds '" + args + "'");
    } else if (verb == "close-host") {
      CloseHost();
    } else if (verb == "close") {
      CloseVelsarom();
    } else if (verb == "restart") {
      CloseVelsarom();
      if (closing_) Fail("Velsarom shows a message while it closes");
      Start();
    } else if (verb == "wait") {
      for (HANDLE t : clicks_) Settle(t);
    } else {
      Fail("unknown step '" + verb + "'");
    }
  }

  // After the last step: nothing may still run or ask.
  void Finish() {
    if (closed_) {
      Print("form none");
      return;
    }
    for (HANDLE t : clicks_) Settle(t);
    RequireNoMessageBox();
    // Without a window manager wine stacks each process's X windows by itself: the host, put in
    // front by the workflow, hides the always-on-top form on the screen. Raised for the
    // screenshot, not activated.
    const VelsaromWindows& v = Window();
    SetWindowPos(v.form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT r;
    GetWindowRect(v.form, &r);
    Print("form " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
          "+" + std::to_string(r.left) + "+" + std::to_string(r.top));
  }

 private:
  const VelsaromWindows& Window() {
    if (!window_.form || !IsWindow(window_.form)) {
      window_ = FindVelsarom(15000);
      if (!window_.form || window_.pages.size() != 4) Fail("Velsarom's window was not found");
      GetWindowThreadProcessId(window_.form, &pid_);
    }
    return window_;
  }

  HWND Control(const std::string& name) {
    HWND w = Widget(Window(), name);
    if (!w) Fail("no control " + name);
    return w;
  }

  void RequireNoMessageBox() {
    if (closed_) return;
    if (!pid_) Window();
    const MessageBoxSeen box = OpenMessageBox(pid_);
    if (box.hwnd) Fail("message box shown: [" + box.title + "] " + Shown(box.text));
  }

  void StartClick(HWND widget) {
    HANDLE t = CreateThread(nullptr, 0, SendClick, widget, 0, nullptr);
    if (!t) Fail("no thread for the click");
    clicks_.push_back(t);
  }

  // Waits until the click's handler has ended or a message box is open.
  void Settle(HANDLE click) {
    for (DWORD waited = 0; waited < kClickLimitMs; waited += 50) {
      if (WaitForSingleObject(click, 50) == WAIT_OBJECT_0) return;
      if (OpenMessageBox(pid_).hwnd) return;
    }
    Fail("the click's handler did not end within " + std::to_string(kClickLimitMs / 1000) + " s");
  }

  // button: IDOK (IDCANCEL where a box has no OK), IDYES or IDNO.
  void Answer(const std::string& args, int button) {
    const std::size_t bar = args.find(" | ");
    if (bar == std::string::npos) Fail("answer needs 'TITLE | TEXT'");
    const std::string title = args.substr(0, bar);
    std::string text = Unescape(args.substr(bar + 3));
    const bool prefix = !text.empty() && text.back() == '*';
    if (prefix) text.pop_back();
    Window();
    MessageBoxSeen box;
    for (int i = 0; i < 150 && !box.hwnd; ++i) {
      box = OpenMessageBox(pid_);
      if (!box.hwnd) Sleep(100);
    }
    if (!box.hwnd) Fail("no message box shown (expected [" + title + "] " + Shown(text) + ")");
    const bool textMatches = prefix ? box.text.rfind(text, 0) == 0 : box.text == text;
    if (box.title != title || !textMatches)
      Fail("message box [" + box.title + "] " + Shown(box.text) + ", expected [" + title + "] " +
           Shown(text) + (prefix ? "*" : ""));
    Print("message [" + box.title + "] " + Shown(box.text));
    HWND ok = GetDlgItem(box.hwnd, button);
    if (!ok && button == IDOK) ok = GetDlgItem(box.hwnd, IDCANCEL);
    if (!ok)
      Fail(button == IDOK ? "the message box has no OK button"
                          : "the message box has no Yes or No button");
    PostMessageW(ok, BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(box.hwnd); ++i) Sleep(50);
    if (IsWindow(box.hwnd)) Fail("the message box did not go on OK");
    if (closing_) {
      if (WaitForSingleObject(closing_, 15000) != WAIT_OBJECT_0)
        Fail("Velsarom did not end after its message was answered");
      return Closed();
    }
    for (HANDLE t : clicks_) Settle(t);
  }

  HWND RadioItem(HWND group, const std::string& caption) {
    RECT frame;
    GetWindowRect(group, &frame);
    for (HWND w = GetWindow(GetParent(group), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(w, &r);
      const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      if (w != group && ClassOf(w) == "Button" && WindowText(w) == caption &&
          PtInRect(&frame, centre))
        return w;
    }
    return nullptr;
  }

  void SelectPage(int index) {
    const VelsaromWindows& v = Window();
    if (index < 0 || index >= static_cast<int>(v.pages.size()))
      Fail("no page " + std::to_string(index));
    // The tab control tells its parent only of a click, not of TCM_SETCURSEL: click it.
    RECT item;
    if (!RemoteTabRect(v.tab, index, item)) Fail("tab " + std::to_string(index) + " not found");
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(v.tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(v.tab, WM_LBUTTONUP, 0, at);
    for (int i = 0; i < 50; ++i) {
      Sleep(100);
      if (SendMessageW(v.tab, TCM_GETCURSEL, 0, 0) == index && IsWindowVisible(v.pages[index]))
        return;
    }
    Fail("page " + std::to_string(index) + " could not be selected");
  }

  void WaitHostLine(const std::string& text) {
    std::string line;
    for (int i = 0; i < 150; ++i) {
      HostChannel() = {};  // found afresh: the host may have been started after this driver
      line = ReadCurrentLine(ProcessHostLink());
      if (line.find(text) != std::string::npos) return;
      Sleep(100);
    }
    Fail("the host's line is '" + line + "', expected it to hold '" + text + "'");
  }

  void CloseHost() {
    HWND host = HostMainWindow();
    if (!host) Fail("no host window to close");
    PostMessageW(host, WM_CLOSE, 0, 0);
    for (int i = 0; i < 400 && IsWindow(host); ++i) Sleep(50);
    if (IsWindow(host)) Fail("the host's window did not close");
    hostClosed_ = true;
  }

 public:
  void WaitForHost() {
    for (int i = 0; i < 600; ++i) {
      HostChannel() = {};
      if (FindTextWindow(ProcessHostLink()) && HostChannel().hCurrentLine) return;
      // A viewer is no host to the program: its main window is all there is to wait for.
      if (HostMainWindow() && WindowText(HostMainWindow()).rfind("DWG TrueView ", 0) == 0) return;
      Sleep(100);
    }
    Fail("the host's windows did not appear within 60 s");
  }

  void SetShot(const std::wstring& shot) { shot_ = shot; }

  // The runner takes the screen when it reads "snap NAME", then makes the file SHOT-NAME.
  void Snapshot(const std::string& name) {
    if (shot_.empty()) Fail("snapshot needs the runner's SHOT file");
    const std::wstring taken = shot_ + L"-" + platform::Wide(name);
    // The rectangle worth keeping: the message box when one is open, the window otherwise.
    const MessageBoxSeen box = OpenMessageBox(pid_);
    RECT r;
    GetWindowRect(box.hwnd ? box.hwnd : Window().form, &r);
    Print("snap " + name + " " + std::to_string(r.right - r.left) + "x" +
          std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" +
          std::to_string(r.top));
    for (int i = 0; i < 600 && GetFileAttributesW(taken.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
      Sleep(100);
    if (GetFileAttributesW(taken.c_str()) == INVALID_FILE_ATTRIBUTES)
      Fail("the screen was not taken for snapshot " + name);
  }

  // Once the screenshot is taken (the file `shot` exists), both programs closed as a user
  // closes them: Velsarom saves its settings, the host its drawing.
  void CloseBoth(const std::wstring& shot) {
    Print("shoot");
    for (int i = 0; i < 600 && GetFileAttributesW(shot.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
      Sleep(100);
    if (!closed_) CloseVelsarom();
    if (!hostClosed_) CloseHost();
  }

 private:
  // Ends when the process has, or when it shows a message box while it closes (its settings
  // could not be written): the next step answers it, and the process must end then.
  void CloseVelsarom() {
    const VelsaromWindows& v = Window();
    closing_ = OpenProcess(SYNCHRONIZE, FALSE, pid_);
    if (!closing_) Fail("Velsarom's process cannot be waited for");
    PostMessageW(v.form, WM_CLOSE, 0, 0);
    for (DWORD waited = 0; waited < 15000; waited += 50) {
      if (WaitForSingleObject(closing_, 50) == WAIT_OBJECT_0) return Closed();
      if (OpenMessageBox(pid_).hwnd) return;
    }
    Fail("Velsarom did not end when closed");
  }

  void Closed() {
    CloseHandle(closing_);
    closing_ = nullptr;
    window_ = {};
    pid_ = 0;
    closed_ = true;
  }

  void Start() {
    std::wstring folder = velsarom_.substr(0, velsarom_.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + velsarom_ + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(velsarom_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
      Fail("Velsarom could not be started again");
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    closed_ = false;
    Window();
  }

  std::wstring velsarom_;
  std::wstring shot_;
  VelsaromWindows window_;
  DWORD pid_ = 0;
  std::vector<HANDLE> clicks_;
  bool closed_ = false;       // by a close step, not started again
  HANDLE closing_ = nullptr;  // closed, but a message box holds it
  bool hostClosed_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  platform::CurrentPorts() = platform::Win32Ports();
  if (argc != 3 && argc != 4) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    Print("fail 0: the steps file cannot be read");
    return 2;
  }
  Driver driver(argv[2]);
  if (argc == 4) driver.SetShot(argv[3]);
  std::string line, number = "start";
  try {
    driver.WaitForHost();
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      auto [at, step] = Split(line);
      number = at;
      auto [verb, args] = Split(step);
      const DWORD began = GetTickCount();
      driver.Step(verb, args);
      Print("ok " + number + " (" + std::to_string(GetTickCount() - began) + " ms)");
    }
    number = "end";
    driver.Finish();
    if (argc == 4) driver.CloseBoth(argv[3]);
  } catch (const StepFailure& f) {
    Print("fail " + number + ": " + f.what);
    return 1;
  } catch (const std::exception& e) {
    Print("fail " + number + ": " + e.what());
    return 1;
  }
  return 0;
}
