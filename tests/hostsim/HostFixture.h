// A simulated host in the in-memory window system, driven as the product drives it: text in by
// WM_COPYDATA, the two command-line controls read back.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "hostsim/inprocess/Host.h"
#include "platform/Utf.h"

namespace hostsim {

class HostFixture : public ::testing::Test {
 protected:
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  Host host{world};

  void Send(std::string_view utf8) {
    std::u16string u = platform::Utf8ToUtf16(utf8);
    world.windows.SendCopyData(host.mainWindow(), 1, u.c_str(),
                               static_cast<std::uint32_t>((u.size() + 1) * 2));
  }
  std::string CurrentLine() {
    return platform::Utf16ToUtf8(world.windows.Text(host.currentLineControl(), 1 << 20));
  }
  std::string History() {
    return platform::Utf16ToUtf8(world.windows.Text(host.historyControl(), 1 << 24));
  }
  // The history after the last occurrence of a marker, as the product digs its reports out.
  std::string After(const std::string& marker) {
    std::string h = History();
    std::size_t at = h.rfind(marker);
    return at == std::string::npos ? std::string() : h.substr(at + marker.size());
  }
  void Wait(unsigned ms) { world.clock.Sleep(ms); }

  Handle AddLine(double x1, double y1, double x2, double y2, const std::string& layer = "0") {
    Entity e;
    e.handle = host.drawing().NewHandle();
    e.layer = layer;
    e.shape = hostsim::Line{{x1, y1, 0}, {x2, y2, 0}};
    host.drawing().entities.push_back(e);
    return e.handle;
  }
  Handle Add(Shape s, const std::string& layer = "0") {
    Entity e;
    e.handle = host.drawing().NewHandle();
    e.layer = layer;
    e.shape = std::move(s);
    host.drawing().entities.push_back(e);
    return e.handle;
  }
  void AddSquare(double x0, double y0, double size) {
    AddLine(x0, y0, x0 + size, y0);
    AddLine(x0 + size, y0, x0 + size, y0 + size);
    AddLine(x0 + size, y0 + size, x0, y0 + size);
    AddLine(x0, y0 + size, x0, y0);
  }
  std::size_t Count() { return host.drawing().entities.size(); }
};

}  // namespace hostsim
