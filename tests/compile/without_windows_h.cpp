// The other half of the test in windows_h_first.cpp: the same types, named without windows.h.
#include "dxf/DxfTables.h"
#include "platform/Ports.h"
#include "shell/TForm1.h"

void TakeTypes(platform::Ports&, platform::WindowSystem&, platform::EventLoop&,
               platform::FileSystem&, platform::CodePage&, platform::Profile&,
               platform::OwnedMessageBox&, TForm1&, TDxfTables&);

int main() {
  platform::Ports& p = platform::CurrentPorts();
  // Never true here; the call only has to be linked.
  if (p.windows && p.loop && p.files && p.codePage && p.profile && p.messageBox) {
    TakeTypes(p, *p.windows, *p.loop, *p.files, *p.codePage, *p.profile, *p.messageBox,
              *static_cast<TForm1*>(nullptr), *static_cast<TDxfTables*>(nullptr));
  }
  return 0;
}
