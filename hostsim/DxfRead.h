// Reading a DXF file into a drawing, as the host opens or inserts one: ASCII DXF of R12 to
// 2018 from any program. What the host here does not model (hatches, dimensions, paper space,
// meshes ...) is left out and named in the notes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hostsim/Drawing.h"
#include "platform/CodePage.h"

namespace hostsim {

struct DxfReadResult {
  bool ok = false;
  std::string error;    // why the file could not be read
  std::string version;  // $ACADVER
  Drawing drawing;      // entities and block contents with fresh handles
  std::vector<std::string> notes;
};

// Application data is kept for every application; the caller decides which names count as
// registered (the file's APPID table is in drawing.appIds).
DxfReadResult ReadDxf(std::string_view bytes, platform::CodePage& ansi);

}  // namespace hostsim
