// The host's DXF output (DXFOUT and saving): AutoCAD 2000 or 2004 form with header, tables,
// blocks, entities with handles and subclass markers, objects; strings in the ANSI code page
// (932 here), characters it lacks as \U+XXXX.
#pragma once

#include <string>
#include <vector>

#include "hostsim/Drawing.h"
#include "platform/CodePage.h"

namespace hostsim {

struct DxfWriteOptions {
  int version = 2000;      // 2000 (AC1015) or 2004 (AC1018)
  int precision = 16;      // decimal places of reals, 0 to 16
  bool selection = false;  // write only `only` (and the blocks they use)
  std::vector<Handle> only;
};

std::string WriteDxf(const Drawing& d, const DxfWriteOptions& options, platform::CodePage& ansi);

// A UTF-8 text in the drawing's code page, characters outside it as \U+XXXX.
std::string EncodeAnsi(const std::string& utf8, platform::CodePage& ansi);

}  // namespace hostsim
