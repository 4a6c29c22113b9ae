// A light scan of a DXF export that keeps each entity of the ENTITIES section as one line of
// text: "code,value" pairs in file order, each followed by a TAB ("0,TEXT\t8,H_TEXT\t...\t").
// The code is trimmed, the value kept as read. Used to find the number marks without the full
// reader.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/AcadTypes.h"
#include "platform/CodePage.h"

// How a scan ended. Only kComplete means the list holds every entity of the file: a file cut
// short (by its writer still at work, or broken) gives fewer, and a caller that draws
// conclusions from what is missing (the highest number) must not act on it.
enum class ScanEnd {
  kComplete,   // the ENTITIES section's ENDSEC was read, or the file ended with EOF and has none
  kCutShort,   // the file ended inside the ENTITIES section, or before EOF without one
  kNoFile,     // the file did not appear
  kBusy,       // the file is still held open by its writer: not read
  kUnreadable  // it exists but could not be read
};

struct DxfScanResult {
  int count = 0;  // strings in the list afterwards
  ScanEnd end = ScanEnd::kNoFile;
  bool complete() const { return end == ScanEnd::kComplete; }
};

// Lines longer than this many bytes are cut; the rest of the line is skipped.
inline constexpr std::size_t kScanLineBytes = 255;

// Appends the entity lines of the ENTITIES section of a DXF text (the ANSI code page; values
// that are not ASCII are converted to UTF-8). Lines end with LF or CR LF. A new entity starts
// only at a code line of exactly "  0"; the value "ENDSEC" there ends the scan, after the last
// entity has been appended.
DxfScanResult ScanDxfText(std::string_view bytes, std::vector<std::string>& list,
                          platform::CodePage& codePage);

// The same on a file: waits for it to appear and does not read it while its writer still
// holds it (as the reader does). count is 0 when it is not read.
DxfScanResult ScanDxfEntities(const std::string& path, std::vector<std::string>& list);

// Value of the first group with this code in an entity line, without surrounding blanks;
// empty when there is none. Whole codes only: 1 does not match 10 or 1001. The entity's own
// first pair (its 0 group) is never found.
std::string GetGroupValue(std::string_view line, int code);

// x from code, y from code + 10, z from code + 20 (0 when absent). A missing x or y leaves
// that coordinate as it was. True when x and y were both present. Throws EConvertError for a
// value that is no number.
bool GetGroupPoint(std::string_view line, int code, TAcadPoint& point);
