#include "shell/win32/Bindings.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Win32Ports.h"

template <class Base>
std::string Widget<Base>::Text() {
  const int length = GetWindowTextLengthW(hwnd_);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int n = GetWindowTextW(hwnd_, buffer.data(), length + 1);
  return platform::Narrow(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

template <class Base>
void Widget<Base>::SetText(const std::string& text) {
  SetWindowTextW(hwnd_, platform::Wide(text).c_str());
}

template class Widget<ControlBinding>;
template class Widget<CheckBinding>;
template class Widget<PositionBinding>;
template class Widget<IndexBinding>;

bool CheckWidget::Checked() { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckWidget::SetChecked(bool checked) {
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int SpinWidget::Position() {
  BOOL failed = FALSE;
  return static_cast<int>(SendMessageW(hwnd_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

void SpinWidget::SetPosition(int position) { SendMessageW(hwnd_, UDM_SETPOS32, 0, position); }

void RadioGroupWidget::SetEnabled(bool enabled) {
  EnableWindow(hwnd_, enabled);
  for (HWND item : items_) EnableWindow(item, enabled);
}

int RadioGroupWidget::ItemIndex() {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (SendMessageW(items_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  return -1;
}

void RadioGroupWidget::SetItemIndex(int index) {
  for (std::size_t i = 0; i < items_.size(); ++i)
    SendMessageW(items_[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED,
                 0);
}

int PagesWidget::ItemIndex() { return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)); }

void PagesWidget::SetItemIndex(int index) {
  SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowSelected();
}

void PagesWidget::ShowSelected() {
  const int selected = ItemIndex();
  for (std::size_t i = 0; i < pages_.size(); ++i)
    ShowWindow(pages_[i], static_cast<int>(i) == selected ? SW_SHOW : SW_HIDE);
}

std::string TabCaptionWidget::Text() {
  wchar_t buffer[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 255;
  SendMessageW(hwnd_, TCM_GETITEMW, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&item));
  return platform::Narrow(std::wstring(item.pszText));
}

void TabCaptionWidget::SetText(const std::string& text) {
  std::wstring wide = platform::Wide(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = wide.data();
  SendMessageW(hwnd_, TCM_SETITEMW, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&item));
}

RECT FormWidget::Rect() {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

int FormWidget::Left() { return Rect().left; }
int FormWidget::Top() { return Rect().top; }
int FormWidget::Width() { return Rect().right - Rect().left; }
int FormWidget::Height() { return Rect().bottom - Rect().top; }

void FormWidget::SetPosition(int left, int top) {
  RECT r = Rect();
  OffsetRect(&r, left - r.left, top - r.top);
  // A position saved on a screen that is gone would leave the window out of reach.
  if (!MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) {
    left = (ScreenWidth() - Width()) / 2;
    top = (ScreenHeight() - Height()) / 2;
  }
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
