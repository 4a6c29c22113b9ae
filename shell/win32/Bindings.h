// The widgets behind the control objects: each binding reads and writes its widget's state.
#pragma once

#include "platform/win32/Win32Ports.h"

#include <vector>

#include "shell/Controls.h"
#include "shell/TForm1.h"

// Text, enabled state and focus of any window.
template <class Base>
class Widget : public Base {
 public:
  explicit Widget(HWND hwnd) : hwnd_(hwnd) {}
  std::string Text() override;
  void SetText(const std::string& text) override;
  bool Enabled() override { return IsWindowEnabled(hwnd_); }
  void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled); }
  bool Focused() override { return GetFocus() == hwnd_; }
  void SetFocus() override { ::SetFocus(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 protected:
  HWND hwnd_;
};

using PlainWidget = Widget<ControlBinding>;

class CheckWidget : public Widget<CheckBinding> {
 public:
  using Widget::Widget;
  bool Checked() override;
  void SetChecked(bool checked) override;
};

class SpinWidget : public Widget<PositionBinding> {
 public:
  using Widget::Widget;
  int Position() override;
  void SetPosition(int position) override;
};

// A group box with one radio button per item.
class RadioGroupWidget : public Widget<IndexBinding> {
 public:
  RadioGroupWidget(HWND box, std::vector<HWND> items) : Widget(box), items_(std::move(items)) {}
  void SetEnabled(bool enabled) override;
  int ItemIndex() override;
  void SetItemIndex(int index) override;
  const std::vector<HWND>& items() const { return items_; }

 private:
  std::vector<HWND> items_;
};

// The tab control; each page is a window shown while its tab is selected.
class PagesWidget : public Widget<IndexBinding> {
 public:
  PagesWidget(HWND tab, std::vector<HWND> pages) : Widget(tab), pages_(std::move(pages)) {}
  int ItemIndex() override;
  void SetItemIndex(int index) override;
  void ShowSelected();  // after the user changed the tab

 private:
  std::vector<HWND> pages_;
};

// A page's caption is the text of its tab.
class TabCaptionWidget : public Widget<ControlBinding> {
 public:
  TabCaptionWidget(HWND tab, int index) : Widget(tab), index_(index) {}
  std::string Text() override;
  void SetText(const std::string& text) override;

 private:
  int index_;
};

class FormWidget : public FormBinding {
 public:
  explicit FormWidget(HWND hwnd) : hwnd_(hwnd) {}
  int Left() override;
  int Top() override;
  void SetPosition(int left, int top) override;
  int Width() override;
  int Height() override;
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

 private:
  RECT Rect();
  HWND hwnd_;
};
