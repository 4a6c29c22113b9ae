// The ports the portable code calls. main() installs the Win32 implementations; tests install
// stand-ins with ScopedPorts.
#pragma once

#include "platform/CodePage.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/OwnedMessageBox.h"
#include "platform/Profile.h"
#include "platform/WindowSystem.h"

namespace platform {

struct Ports {
  WindowSystem* windows = nullptr;
  EventLoop* loop = nullptr;
  FileSystem* files = nullptr;
  CodePage* codePage = nullptr;
  Profile* profile = nullptr;
  OwnedMessageBox* messageBox = nullptr;
};

Ports& CurrentPorts();

inline WindowSystem& Windows() { return *CurrentPorts().windows; }
inline EventLoop& Loop() { return *CurrentPorts().loop; }
inline FileSystem& Files() { return *CurrentPorts().files; }
inline CodePage& Ansi() { return *CurrentPorts().codePage; }
inline Profile& ProfileFile() { return *CurrentPorts().profile; }
inline OwnedMessageBox& Messages() { return *CurrentPorts().messageBox; }

// Installs a set of ports for the lifetime of the object and restores the previous set.
class ScopedPorts {
 public:
  explicit ScopedPorts(const Ports& p) : saved_(CurrentPorts()) { CurrentPorts() = p; }
  ~ScopedPorts() { CurrentPorts() = saved_; }
  ScopedPorts(const ScopedPorts&) = delete;
  ScopedPorts& operator=(const ScopedPorts&) = delete;

 private:
  Ports saved_;
};

}  // namespace platform
