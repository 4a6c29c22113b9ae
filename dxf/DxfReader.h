// Reads the host's DXF exports into the caller's entity tables (DxfTables.h).
#pragma once

#include <cstdint>
#include <string>

#include "dxf/DxfTables.h"
#include "platform/WindowSystem.h"

struct DxfReadResult {
  std::string version;  // $ACADVER of the file; empty when it has none or was not read
  std::string error;    // empty after a complete read, "busy", or the position of the bad pair
};

// Empties and refills every table from the file. Waits for the file to appear and for its
// writer to finish first; a file held open longer is not read ("busy"; a message only with an
// owner window).
DxfReadResult ReadDxf(TDxfTables& tables, const std::string& path,
                      platform::WindowHandle owner = 0);
// The same without the wait, on a file that is there.
DxfReadResult ReadDxfFile(TDxfTables& tables, const std::string& path,
                          platform::WindowHandle owner = 0);

// Colour of the layer of that exact name in the layer table; a missing layer is added with
// colour 7 and 7 returned.
std::int16_t LayerColor(TDxfTables& tables, const std::string& name);

// How long a file that has appeared may stay held open by its writer before it is read.
inline constexpr unsigned kWriterWaitMs = 30000;

// Waits up to about a second for the file to exist, then 100 ms more, then while its writer
// still holds it open (up to kWriterWaitMs), handling the window's messages meanwhile. True
// when it exists; false also when a cancel was requested during the wait.
bool WaitForFile(const std::string& path);
