// The simulated host in the same process as a native test: its windows live in the in-memory
// window system, it types what arrives by WM_COPYDATA, its user acts as the virtual clock
// advances, and the files it writes stay in use for a while in the in-memory file system.
// HostOptions::commandDelayMs and exportWriteMs make it slow: the delays run on the virtual
// clock, so they pass as the product sleeps.
//
//   platform::StandinWorld world;
//   platform::ScopedPorts ports(world.ports());
//   hostsim::Host host(world);
//   host.LoadDrawing(dxfBytes);
//   host.user().PickPoint(5, 5);
//   ... run the product ...
//   host.drawing().entities ...
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hostsim/HostCore.h"
#include "platform/standin/StandinWorld.h"

namespace hostsim {

class Host {
 public:
  explicit Host(platform::StandinWorld& world, HostOptions options = {});
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  HostCore& core() { return core_; }
  ScriptedUser& user() { return core_.user(); }
  Drawing& drawing() { return core_.drawing(); }
  std::string LoadDrawing(std::string_view dxf, const std::string& name = "Drawing1.dwg");
  std::string SaveDrawing() const { return core_.SaveDrawing(); }
  // Keys typed straight into the command line (what WM_COPYDATA does, without the message).
  void Type(std::string_view text);
  const std::string& currentLine() const { return core_.currentLine(); }
  std::string history() const { return core_.historyText(); }
  // The host program ends: its windows go away.
  void Close();
  // Lets the virtual clock run until the host has done everything typed so far (a slow host's
  // delays, files still written or held); a prompt waiting for the user ends it too.
  void Settle();

  platform::WindowHandle mainWindow() const { return main_; }
  platform::WindowHandle textWindow() const { return text_; }
  platform::WindowHandle currentLineControl() const { return line_; }
  platform::WindowHandle historyControl() const { return history_; }
  static constexpr std::uint32_t kProcessId = 4242;

 private:
  class Files : public HostFiles {
   public:
    explicit Files(platform::MemoryFileSystem& fs) : fs_(fs) {}
    std::optional<std::string> Read(const std::string& path) override { return fs_.ReadAll(path); }
    bool Create(const std::string& path, std::string_view bytes) override;
    bool Append(const std::string& path, std::string_view bytes) override;
    void Close(const std::string& path) override { fs_.SetInUse(path, false); }

   private:
    platform::MemoryFileSystem& fs_;
  };

  void Show();

  platform::StandinWorld& world_;
  Files files_;
  HostCore core_;
  platform::WindowHandle main_ = 0, text_ = 0, line_ = 0, history_ = 0;
  int listener_ = 0;
  std::string shownLine_, shownHistory_;
  bool shownEnabled_ = true;
};

}  // namespace hostsim
