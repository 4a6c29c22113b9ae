// libFuzzer target for the simulated host's DXF reading: any bytes opened as a drawing and
// inserted as a file, then the commands that look at every object (boundary tracing, selections,
// DXFOUT). Besides crashes, hangs and undefined behaviour it checks what the host promises: a
// file is read or refused with a reason, a drawing it opened saves and opens again with the same
// objects, and the host ends idle at "コマンド: ".
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "hostsim/DxfRead.h"
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

void RequireSound(const Drawing& d) {
  std::set<Handle> handles;
  for (const Entity& e : d.entities) {
    Require(handles.insert(e.handle).second);
    Require(d.FindLayer(e.layer) != nullptr);
    if (auto* ins = std::get_if<Insert>(&e.shape)) Require(d.FindBlock(ins->block) != nullptr);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::Cp932CodePage cp;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  DxfReadResult direct = ReadDxf(bytes, cp);
  Require(direct.ok != !direct.error.empty());

  MemoryFiles files;
  files.files["C:\\in.dxf"] = bytes;
  HostCore host(files, cp);
  std::string error = host.LoadDrawing(bytes);
  Require(error == direct.error);
  if (error.empty()) {
    RequireSound(host.drawing());
    DxfReadResult again = ReadDxf(host.SaveDrawing(), cp);
    Require(again.ok);
    Require(again.drawing.entities.size() == host.drawing().entities.size());
  }
  host.Type("_-INSERT *C:\\in.dxf\r0.0,0.0 1.0 0.0\r\x03");
  host.Type("_-BOUNDARY 5.0000,5.0000\r\r\x03");
  host.Type("SELECT ALL \r\x03SELECT C -100,-100 100,100\r\r\x03");
  host.Type("_FILEDIA 0 _DXFOUT C:\\out.dxf\rO ALL \rV 2000 16\r\x03");
  Require(host.Idle());
  Require(host.currentLine() == "コマンド: ");
  RequireSound(host.drawing());
  if (files.files.count("C:\\out.dxf")) Require(ReadDxf(files.files["C:\\out.dxf"], cp).ok);
  return 0;
}
