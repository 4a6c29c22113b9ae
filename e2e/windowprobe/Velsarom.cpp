#include "Velsarom.h"

#include <commctrl.h>

#include "shell/win32/ControlIds.h"

std::string WindowText(HWND w) {
  // WM_GETTEXT is carried across processes; GetWindowText would not ask the control.
  const auto n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const auto got = SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return platform::Narrow(text);
}

std::string ClassOf(HWND w) {
  wchar_t cls[128] = {};
  GetClassNameW(w, cls, 127);
  return platform::Narrow(std::wstring(cls));
}

namespace {
struct DialogSearch {
  DWORD pid = 0;
  HWND hwnd = nullptr;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
  auto* d = reinterpret_cast<DialogSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == d->pid && IsWindowVisible(w) && ClassOf(w) == "#32770") {
    d->hwnd = w;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

MessageBoxSeen OpenMessageBox(DWORD pid) {
  DialogSearch d{pid};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&d));
  MessageBoxSeen seen;
  if (!d.hwnd) return seen;
  seen.hwnd = d.hwnd;
  seen.title = WindowText(d.hwnd);
  for (HWND c = GetWindow(d.hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (ClassOf(c) == "Static" && !WindowText(c).empty()) seen.text += WindowText(c);
  // The box's own line breaks are CR LF.
  for (std::size_t i = 0; (i = seen.text.find("\r\n", i)) != std::string::npos;)
    seen.text.erase(i, 1);
  return seen;
}

const TForm1& Design() {
  static const TForm1 form;
  return form;
}

VelsaromWindows FindVelsarom(DWORD timeoutMs) {
  VelsaromWindows v;
  for (DWORD waited = 0; waited <= timeoutMs; waited += 100) {
    v.form = FindWindowW(L"TForm1", L"Velsarom");
    if (v.form && IsWindowVisible(v.form)) break;
    v.form = nullptr;
    Sleep(100);
  }
  if (!v.form) return v;
  v.tab = FindWindowExW(v.form, nullptr, WC_TABCONTROLW, nullptr);
  // Pages are the form's children of their own class, in creation (tab) order.
  for (HWND w = GetWindow(v.form, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (ClassOf(w) == "TTabSheet") v.pages.push_back(w);
  return v;
}

HWND Widget(const VelsaromWindows& v, const std::string& name) {
  const int id = ControlId(Design(), name);
  if (!id) return nullptr;
  for (HWND page : v.pages)
    if (HWND w = GetDlgItem(page, id)) return w;
  return nullptr;
}
