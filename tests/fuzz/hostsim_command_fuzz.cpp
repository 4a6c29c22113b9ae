// libFuzzer target for the simulated host's command line: any typed text, with time passing
// between pieces so that its scripted user acts too. Besides crashes and undefined behaviour it
// checks what the host promises: after ETX it is idle at "コマンド: ", handles are unique and
// every entity's layer is in the layer table.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "hostsim/HostCore.h"
#include "platform/standin/Cp932CodePage.h"
#include "tests/fuzz/FuzzChecks.h"

namespace {

using fuzzchecks::Require;

using namespace hostsim;

class MemoryFiles : public HostFiles {
 public:
  std::optional<std::string> Read(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool Create(const std::string& path, std::string_view bytes) override {
    if (files.size() > 8) return false;
    files[path] = std::string(bytes);
    return true;
  }
  bool Append(const std::string& path, std::string_view bytes) override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    it->second.append(bytes);
    return true;
  }
  void Close(const std::string&) override {}
  std::map<std::string, std::string> files;
};

void AddLine(Drawing& d, double x1, double y1, double x2, double y2) {
  Entity e;
  e.handle = d.NewHandle();
  e.shape = Line{{x1, y1, 0}, {x2, y2, 0}};
  d.entities.push_back(e);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::Cp932CodePage cp;
  MemoryFiles files;
  HostCore host(files, cp);
  Drawing& d = host.drawing();
  AddLine(d, 0, 0, 10, 0);
  AddLine(d, 10, 0, 10, 10);
  AddLine(d, 10, 10, 0, 10);
  AddLine(d, 0, 10, 0, 0);
  Entity c;
  c.handle = d.NewHandle();
  c.shape = Circle{{5, 5, 0}, 1};
  d.entities.push_back(c);
  host.user().PickPoint(5, 5).PickObject(10, 5).PressEnter().PickPoint(3, 3).PressEscape();
  // Bytes as Latin-1 code points: the channel always delivers well-formed text.
  std::string typed;
  std::uint64_t now = 0;
  for (std::size_t i = 0; i < size; ++i) {
    unsigned char b = data[i];
    if (b == 0xFF) {  // a pause: time passes
      host.Type(typed);
      typed.clear();
      now += 400;
      host.Tick(now);
      continue;
    }
    if (b < 0x80) {
      typed.push_back(static_cast<char>(b));
    } else {
      typed.push_back(static_cast<char>(0xC0 | (b >> 6)));
      typed.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  host.Type(typed);
  host.Tick(now + 400);
  host.Type("\x03");
  if (!host.enabled()) {
    // A file dialog takes no typing; the person closes it.
    host.user().Clear();
    host.user().PressEscape();
    host.Tick(now + 2000);
  }
  Require(host.Idle());
  Require(host.currentLine() == "コマンド: ");
  std::set<Handle> handles;
  for (const Entity& e : host.drawing().entities) {
    Require(handles.insert(e.handle).second);
    Require(host.drawing().FindLayer(e.layer) != nullptr);
  }
  return 0;
}
