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
