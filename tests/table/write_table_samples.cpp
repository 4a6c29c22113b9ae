// Writes area table documents for the independent check (check_area_tables.py): both modes,
// the host's base angle 0, 90 and 30, and a text style. Each file is named after its settings:
//   MODE_ANGLE[_style].dxf, the corner at (10000, 20000).
//   write_table_samples FOLDER
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "dxf/DxfDocument.h"
#include "platform/standin/StandinWorld.h"
#include "table/AreaTable.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  namespace fs = std::filesystem;
  const fs::path folder = argv[1];
  fs::create_directories(folder);
  platform::StandinWorld world;
  platform::DiskFileSystem disk;
  platform::Ports ports = world.ports();
  ports.files = &disk;
  platform::ScopedPorts installed(ports);

  const std::vector<std::string> entries = {"1,3004.00000000,4004.00000000,5004.00000000",
                                            "2,3000.00000000,4000.00000000,5000.00000000",
                                            "3,12345.67800000,9876.54300000,15000.00000000"};
  for (AreaMode mode : {AreaMode::kThreeSides, AreaMode::kBaseHeight}) {
    for (double angle : {0.0, 90.0, 30.0}) {
      for (bool styled : {false, true}) {
        AreaTableSettings s;
        s.mode = mode;
        s.widths = ReadWidths(
            mode == AreaMode::kThreeSides ? "1500,3000,3000,3000,4500" : "1500,3000,3000,4500",
            mode);
        s.base = {10000, 20000, 0};
        s.angles = {angle * std::numbers::pi / 180, angle == 90 ? 1 : 0};
        s.layer = "求積表";
        if (styled) s.style = "Standard";
        const std::string name =
            std::string(mode == AreaMode::kThreeSides ? "three" : "baseheight") + "_" +
            std::to_string(static_cast<int>(angle)) + (styled ? "_style" : "") + ".dxf";
        SaveDxfDocument(WriteAreaTable(entries, s), (folder / name).string());
      }
    }
  }
  return 0;
}
