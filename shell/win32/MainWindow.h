// The real window of TForm1: the application window that carries the task-bar button, the
// topmost form with its tab control and pages, the widgets bound to the control objects, and
// the routing of every click through the form's error guard.
#pragma once

#include "platform/win32/Win32Ports.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "shell/TForm1.h"
#include "shell/win32/Bindings.h"

class MainWindow {
 public:
  MainWindow(TForm1& form, HINSTANCE instance) : form_(form), instance_(instance) {}
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the windows, binds the controls, runs FormCreate and shows the window.
  bool Create(int show);

 private:
  static LRESULT CALLBACK ApplicationProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool RegisterClasses();
  void CreateTabs();
  void CreateWidgets();
  void CreateWidget(const struct Placement& p);
  HWND Child(HWND page, const wchar_t* cls, const std::string& text, DWORD style,
             const Placement& p, DWORD exStyle = 0);
  void AddTooltips();
  HFONT FontFor(const TControl& control);
  HFONT Font(int height, bool bold);
  LRESULT OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnCommand(HWND widget, int code);
  void OnSpin(HWND spin);
  // Every handler the user starts runs here; a close held while it ran follows when it ends.
  void Run(const std::function<void()>& handler);
  void Close();

  TForm1& form_;
  HINSTANCE instance_;
  HICON iconLarge_ = nullptr;
  HICON iconSmall_ = nullptr;
  HWND application_ = nullptr;
  HWND window_ = nullptr;
  HWND tab_ = nullptr;
  HWND tooltip_ = nullptr;
  std::vector<HWND> pages_;
  std::map<HWND, TControl*> controlOf_;  // widget -> its control (radio items -> the group)
  std::map<const TControl*, HWND> widgetOf_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::unique_ptr<FormWidget> formBinding_;
  PagesWidget* pagesBinding_ = nullptr;
  std::map<std::pair<int, bool>, HFONT> fonts_;  // (height, bold)
  bool settingsSaved_ = false;
};
