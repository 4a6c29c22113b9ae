// Reads the host's DXF exports into the caller's entity tables (DxfTables.h).
#pragma once

#include <cstdint>
#include <string>

#include "dxf/DxfTables.h"

// The reader tells nobody: a failed read hands back what the user is to be told, and the caller
// that talks to the user shows it.
struct DxfReadResult {
  std::string version;  // $ACADVER of the file; empty when it has none or was not read
  std::string error;    // empty after a complete read, "busy", or the position of the bad pair
  std::string message;  // for the user when the read failed ("n : code / n+1 : value"); else empty
  std::string caption;  // the message's title: "DxfReport" for a bad pair, "DxfRead" when busy
};

// Empties and refills every table from the file. Waits for the file to appear and for its
// writer to finish first; a file held open longer is not read ("busy").
DxfReadResult ReadDxf(TDxfTables& tables, const std::string& path);
// The same without the wait, on a file that is there.
DxfReadResult ReadDxfFile(TDxfTables& tables, const std::string& path);

// Colour of the layer of that exact name in the layer table; a missing layer is added with
// colour 7 and 7 returned.
std::int16_t LayerColor(TDxfTables& tables, const std::string& name);

// How long a file that has appeared may stay held open by its writer before it is read.
inline constexpr unsigned kWriterWaitMs = 30000;

// Waits up to about a second for the file to exist, then 100 ms more, then while its writer
// still holds it open (up to kWriterWaitMs), handling the window's messages meanwhile. True
// when it exists; false also when a cancel was requested during the wait.
bool WaitForFile(const std::string& path);
