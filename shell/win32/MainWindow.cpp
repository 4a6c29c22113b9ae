#include "shell/win32/MainWindow.h"

#include <commctrl.h>
#include <imm.h>

#include "platform/win32/Win32Ports.h"
#include "shell/ClickHandlers.h"
#include "shell/win32/ClickTiming.h"
#include "shell/win32/ControlIds.h"
#include "shell/win32/Layout.h"

namespace {

const wchar_t kApplicationClass[] = L"TApplication";
const wchar_t kFormClass[] = L"TForm1";
const wchar_t kPageClass[] = L"TTabSheet";
constexpr int kFontHeight = 12;
const wchar_t kFontFace[] = L"ＭＳ Ｐゴシック";
constexpr UINT kActivateForm = WM_APP + 1;

// The form is a fixed tool window that is shown when it is created: a start "maximised",
// "minimised" or hidden (a shortcut's setting, start /max) still shows it at its own size.
// Maximised, it would cover the whole screen above every other window.
int FormShowCommand(int show) {
  switch (show) {
    case SW_HIDE:
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
    case SW_SHOWMAXIMIZED:
    case SW_SHOWDEFAULT:  // would take the start-up value, which may be "maximised"
      return SW_SHOWNORMAL;
    case SW_SHOWMINNOACTIVE:
      return SW_SHOWNOACTIVATE;
    default:
      return show;
  }
}

MainWindow* Self(HWND hwnd) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void StoreSelf(HWND hwnd, LPARAM createParams) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(createParams);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
}

}  // namespace

MainWindow::~MainWindow() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (iconLarge_) DestroyIcon(iconLarge_);
  if (iconSmall_) DestroyIcon(iconSmall_);
}

bool MainWindow::RegisterClasses() {
  iconLarge_ =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  iconSmall_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = iconLarge_;
  wc.hIconSm = iconSmall_;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

  wc.lpfnWndProc = ApplicationProc;
  wc.lpszClassName = kApplicationClass;
  if (!RegisterClassExW(&wc)) return false;
  wc.lpfnWndProc = FormProc;
  wc.lpszClassName = kFormClass;
  if (!RegisterClassExW(&wc)) return false;
  wc.lpfnWndProc = PageProc;
  wc.lpszClassName = kPageClass;
  wc.hIcon = wc.hIconSm = nullptr;
  return RegisterClassExW(&wc) != 0;
}

bool MainWindow::Create(int show) {
  if (!RegisterClasses()) return false;

  // The task bar shows a button for a visible window without owner: this one, which carries
  // the application title. The form is owned by it and so has no button of its own.
  const int cx = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int cy = GetSystemMetrics(SM_CYSCREEN) / 2;
  application_ =
      CreateWindowExW(0, kApplicationClass, platform::Wide(TForm1::kApplicationTitle).c_str(),
                      WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, cx, cy,
                      0, 0, nullptr, nullptr, instance_, this);
  if (!application_) return false;

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
  RECT r{0, 0, TForm1::kClientWidth, TForm1::kClientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  window_ = CreateWindowExW(exStyle, kFormClass, platform::Wide(TForm1::kCaption).c_str(), style,
                            form_.Left(), form_.Top(), r.right - r.left, r.bottom - r.top,
                            application_, nullptr, instance_, this);
  if (!window_) return false;
  platform::SetMainWindow(window_);
  for (HWND w : {application_, window_}) {
    SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconLarge_));
    SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_));
  }

  CreateTabs();
  CreateWidgets();
  AddTooltips();

  formBinding_ = std::make_unique<FormWidget>(window_);
  form_.Bind(formBinding_.get());
  form_.RunHandler(&TForm1::FormCreate);
  pagesBinding_->ShowSelected();

  ShowWindow(application_, SW_SHOWNOACTIVATE);
  ShowWindow(window_, FormShowCommand(show));
  UpdateWindow(window_);
  return true;
}

HFONT MainWindow::FontFor(const TControl& control) {
  return Font(control.FontHeight ? control.FontHeight : kFontHeight, control.FontBold);
}

HFONT MainWindow::Font(int height, bool bold) {
  HFONT& font = fonts_[{height, bold}];
  if (!font) {
    font = CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, kFontFace);
  }
  return font;
}

void MainWindow::CreateTabs() {
  tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_MULTILINE | TCS_FOCUSNEVER,
                         0, 2, 185, 263, window_, nullptr, instance_, nullptr);
  SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form_.PageControl1)), FALSE);
  // Narrow padding keeps the four captions on one row where the font allows.
  SendMessageW(tab_, TCM_SETPADDING, 0, MAKELPARAM(4, 3));
  SendMessageW(tab_, TCM_SETMINTABWIDTH, 0, 16);
  const auto& sheets = form_.PageControl1.Pages;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    std::wstring caption = platform::Wide(sheets[i]->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  // The pages cover the tab control's display area, above it in the z-order.
  RECT area;
  GetClientRect(tab_, &area);
  SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  OffsetRect(&area, 0, 2);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS,
                                area.left, area.top, area.right - area.left, area.bottom - area.top,
                                window_, nullptr, instance_, this);
    pages_.push_back(page);
    auto caption = std::make_unique<TabCaptionWidget>(tab_, static_cast<int>(i));
    sheets[i]->Bind(caption.get());
    bindings_.push_back(std::move(caption));
  }
  SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  auto pages = std::make_unique<PagesWidget>(tab_, pages_);
  pagesBinding_ = pages.get();
  form_.PageControl1.Bind(pages.get());
  bindings_.push_back(std::move(pages));
}

HWND MainWindow::Child(HWND page, const wchar_t* cls, const std::string& text, DWORD style,
                       const Placement& p, DWORD exStyle) {
  const int id = p.control ? ControlId(form_, p.control) : 0;
  return CreateWindowExW(exStyle, cls, platform::Wide(text).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, p.x, p.y, p.w, p.h, page,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

void MainWindow::CreateWidgets() {
  for (const Placement& p : Layout()) CreateWidget(p);
  // Group boxes lie under the controls they frame.
  for (auto& [control, hwnd] : widgetOf_) {
    if (dynamic_cast<const TGroupBox*>(control) || dynamic_cast<const TRadioGroup*>(control))
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainWindow::CreateWidget(const Placement& p) {
  HWND page = pages_[static_cast<std::size_t>(p.page)];
  if (!p.control) {
    HWND label = Child(page, L"STATIC", p.caption, SS_LEFT | SS_NOPREFIX, p);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(Font(kFontHeight, false)), FALSE);
    return;
  }
  TControl* control = form_.FindControl(p.control);
  if (!control) return;
  const DWORD disabled = control->Enabled() ? 0 : WS_DISABLED;
  HWND hwnd = nullptr;

  if (auto* group = dynamic_cast<TRadioGroup*>(control)) {
    hwnd = Child(page, L"BUTTON", group->Caption(), BS_GROUPBOX | disabled, p);
    std::vector<HWND> items;
    const int n = static_cast<int>(group->Items.size());
    const int width = (p.w - 10) / n;
    for (int i = 0; i < n; ++i) {
      const Placement item{nullptr, nullptr, p.page, p.x + 6 + i * width, p.y + 15, width - 1, 18};
      HWND radio =
          Child(page, L"BUTTON", group->Items[static_cast<std::size_t>(i)],
                BS_AUTORADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | disabled, item);
      SendMessageW(radio, BM_SETCHECK, i == group->ItemIndex() ? BST_CHECKED : BST_UNCHECKED, 0);
      SendMessageW(radio, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*group)), FALSE);
      controlOf_[radio] = group;
      items.push_back(radio);
    }
    auto binding = std::make_unique<RadioGroupWidget>(hwnd, items);
    group->Bind(binding.get());
    bindings_.push_back(std::move(binding));
  } else if (auto* spin = dynamic_cast<TUpDown*>(control)) {
    DWORD style = UDS_ARROWKEYS | disabled;
    if (spin->Associate) style |= UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    hwnd = Child(page, UPDOWN_CLASSW, "", style, p);
    SendMessageW(hwnd, UDM_SETRANGE32, static_cast<WPARAM>(spin->Min), spin->Max);
    if (spin->Associate)
      SendMessageW(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(widgetOf_.at(spin->Associate)), 0);
    SendMessageW(hwnd, UDM_SETPOS32, 0, spin->Position());
    auto binding = std::make_unique<SpinWidget>(hwnd);
    spin->Bind(binding.get());
    bindings_.push_back(std::move(binding));
  } else if (auto* check = dynamic_cast<TCheckBox*>(control)) {
    hwnd = Child(page, L"BUTTON", check->Caption(), BS_AUTOCHECKBOX | WS_TABSTOP | disabled, p);
    SendMessageW(hwnd, BM_SETCHECK, check->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    auto binding = std::make_unique<CheckWidget>(hwnd);
    check->Bind(binding.get());
    bindings_.push_back(std::move(binding));
  } else if (auto* radio = dynamic_cast<TRadioButton*>(control)) {
    const std::string& name = radio->Name;
    const bool first = name == "RadioButton1" || name == "RadioButton4" || name == "RadioButton7";
    hwnd = Child(page, L"BUTTON", radio->Caption(),
                 BS_AUTORADIOBUTTON | WS_TABSTOP | (first ? WS_GROUP : 0) | disabled, p);
    SendMessageW(hwnd, BM_SETCHECK, radio->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    auto binding = std::make_unique<CheckWidget>(hwnd);
    radio->Bind(binding.get());
    bindings_.push_back(std::move(binding));
  } else {
    if (auto* edit = dynamic_cast<TEdit*>(control)) {
      hwnd = Child(page, L"EDIT", edit->Text(),
                   ES_AUTOHSCROLL | WS_TABSTOP | (edit->ReadOnly ? ES_READONLY : 0) | disabled, p,
                   WS_EX_CLIENTEDGE);
      SetWindowSubclass(hwnd, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    } else if (dynamic_cast<TButton*>(control)) {
      hwnd = Child(page, L"BUTTON", control->Caption(), BS_PUSHBUTTON | WS_TABSTOP | disabled, p);
    } else if (dynamic_cast<TGroupBox*>(control)) {
      hwnd = Child(page, L"BUTTON", control->Caption(), BS_GROUPBOX | disabled, p);
    } else if (dynamic_cast<TImage*>(control)) {
      hwnd = Child(page, L"STATIC", "", SS_ICON | SS_CENTERIMAGE | disabled, p);
      SendMessageW(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(iconLarge_), 0);
    } else {
      hwnd = Child(page, L"STATIC", control->Caption(), SS_LEFT | SS_NOPREFIX | disabled, p);
    }
    auto binding = std::make_unique<PlainWidget>(hwnd);
    control->Bind(binding.get());
    bindings_.push_back(std::move(binding));
  }
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*control)), FALSE);
  controlOf_[hwnd] = control;
  widgetOf_[control] = hwnd;
}

void MainWindow::AddTooltips() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form_.PageControl1)), FALSE);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 320);
  for (const auto& [control, hwnd] : widgetOf_) {
    if (control->Hint.empty()) continue;
    std::wstring text = platform::Wide(control->Hint);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(hwnd);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd);
    info.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void MainWindow::OnCommand(HWND widget, int code) {
  const auto it = controlOf_.find(widget);
  if (it == controlOf_.end()) return;
  TControl* control = it->second;
  if (code == BN_CLICKED) {
    if (ClickHandler handler = ClickHandlerOf(control->Name)) {
      const ClickTiming timing(control->Name);
      Run([this, handler] { form_.RunHandler(handler); });
    }
  } else if (code == EN_SETFOCUS && control->ImeClosed) {
    if (HIMC context = ImmGetContext(widget)) {
      ImmSetOpenStatus(context, FALSE);
      ImmReleaseContext(widget, context);
    }
  }
}

void MainWindow::OnSpin(HWND spin) {
  const auto it = controlOf_.find(spin);
  if (it == controlOf_.end()) return;
  if (ClickHandler handler = ClickHandlerOf(it->second->Name))
    Run([this, handler] { form_.RunHandler(handler); });
}

void MainWindow::Run(const std::function<void()>& handler) {
  form_.RunGuarded(handler);
  // Posted: the widget whose message ran the handler must not go while it still handles it.
  if (form_.TakeHeldClose()) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::Close() {
  // A handler still runs (its wait handles this message): its dialogue with the host is
  // cancelled, and it keeps the window until it has unwound.
  if (!form_.RequestClose()) return;
  if (!IsWindow(window_)) return;
  // The settings are written while the window still exists, so that a failure can be shown.
  if (!settingsSaved_) {
    settingsSaved_ = true;
    form_.RunHandler(&TForm1::FormDestroy);
  }
  DestroyWindow(window_);
}

LRESULT MainWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (lParam) OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_VSCROLL:
      if (lParam && LOWORD(wParam) == SB_THUMBPOSITION) OnSpin(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) pagesBinding_->ShowSelected();
      return 0;
    }
    case WM_SYSCOMMAND:
      // Minimising goes through the application window, which hides the form with it.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(application_, SW_MINIMIZE);
        return 0;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ENDSESSION:
      if (wParam && !settingsSaved_) {
        settingsSaved_ = true;
        form_.RunHandler(&TForm1::FormDestroy);
      }
      return 0;
    case WM_DESTROY:
      platform::SetMainWindow(nullptr);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, msg, wParam, lParam);
}

LRESULT CALLBACK MainWindow::FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) StoreSelf(hwnd, lParam);
  MainWindow* self = Self(hwnd);
  if (!self || !self->window_) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->OnFormMessage(msg, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ApplicationProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) StoreSelf(hwnd, lParam);
  MainWindow* self = Self(hwnd);
  if (self && self->window_) {
    switch (msg) {
      case WM_CLOSE:
        SendMessageW(self->window_, WM_CLOSE, 0, 0);
        return 0;
      case WM_ACTIVATE:
        // Restored from the task bar: the form takes the activation.
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd))
          PostMessageW(hwnd, kActivateForm, 0, 0);
        return 0;
      case kActivateForm:
        if (IsWindowVisible(self->window_)) SetActiveWindow(self->window_);
        return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainWindow::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) StoreSelf(hwnd, lParam);
  MainWindow* self = Self(hwnd);
  if (self && (msg == WM_COMMAND || msg == WM_VSCROLL || msg == WM_NOTIFY))
    return SendMessageW(self->window_, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MainWindow::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  const auto it = self->controlOf_.find(hwnd);
  const KeyPressHandler handler =
      it == self->controlOf_.end() ? nullptr : KeyPressHandlerOf(it->second->Name);
  if (handler) {
    if (msg == WM_GETDLGCODE && lParam) {
      // Enter reaches the key-press handler instead of the dialog navigation.
      const auto* m = reinterpret_cast<const MSG*>(lParam);
      if (m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
        return DefSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    if (msg == WM_CHAR) {
      char16_t key = static_cast<char16_t>(wParam);
      self->Run([&] { (self->form_.*handler)(key); });
      if (key == 0) return 0;
      wParam = key;
    }
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, EditProc, 1);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}
