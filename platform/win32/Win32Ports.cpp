#include "platform/win32/Win32Ports.h"

namespace platform {

Ports Win32Ports() {
  return Ports{&Win32Windows(), &Win32Loop(),    &Win32Files(),
               &Win32Ansi(),    &Win32Profile(), &Win32Messages()};
}

}  // namespace platform
