// The program: installs the Win32 ports, shows the main window and runs its message loop.
#include "platform/win32/Win32Ports.h"

#include <commctrl.h>

#include "shell/TForm1.h"
#include "shell/win32/MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX classes{
      sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  platform::CurrentPorts() = platform::Win32Ports();

  TForm1 form;
  MainWindow window(form, instance);
  if (!window.Create(show)) return 1;
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) platform::DispatchWindowMessage(msg);
  return static_cast<int>(msg.wParam);
}
