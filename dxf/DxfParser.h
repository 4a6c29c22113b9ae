// The upper layer of the DXF reader: builds the entity tables from the pairs of a buffer.
// ReadDxf (DxfReader.h) wraps it with the file, the wait and the messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/DxfTables.h"
#include "dxf/DxfTokenizer.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

// The pair at which reading stopped, its lines decoded as the reader decodes kept strings.
struct DxfFailure {
  std::size_t line = 0;  // number of the code line; the value line is line + 1
  std::string codeLine;
  std::string valueLine;
};

struct DxfParseResult {
  std::string version;  // $ACADVER, empty when the file has none
  bool failed = false;
  DxfFailure failure;
};

// Empties every table, reads the buffer into them and runs the end steps.
DxfParseResult ParseDxf(std::string_view bytes, TDxfTables& tables, platform::CodePage& codePage);

// The steps of ParseDxf one by one, so that a caller can read from a file instead of a buffer
// and close it before the tables are cut to size.
void ClearDxfTables(TDxfTables& tables);
// A first pass over the pairs that only counts what each entity table will hold and gives the
// tables that room, so that the reading pass fills each table once, where it stays. Optional:
// without it the tables grow as they are filled.
void ReserveDxfTables(std::string_view bytes, TDxfTables& tables, platform::CodePage& codePage);
void ReserveDxfTables(platform::FileSystem::Reader& file, TDxfTables& tables,
                      platform::CodePage& codePage);
DxfParseResult ReadDxfPairs(std::string_view bytes, TDxfTables& tables,
                            platform::CodePage& codePage);
// The same from a file read piece by piece into a buffer of `room` bytes (larger only for a
// pair that does not fit), so that a large file is never held whole.
DxfParseResult ReadDxfPairs(platform::FileSystem::Reader& file, TDxfTables& tables,
                            platform::CodePage& codePage,
                            std::size_t room = DxfTokenizer::kPieceRoom);
// Layer "0" when the layer table is empty; every table cut to its exact size.
void FinishDxfTables(TDxfTables& tables);

// The colour of the first layer row with exactly this name; a missing layer is appended with
// colour 7, flags 0 and line type "CONTINUOUS".
std::int16_t LayerColorIn(std::vector<TLayer>& layers, std::string_view name);
