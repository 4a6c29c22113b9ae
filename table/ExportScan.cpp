// The scans that read the export file through the file port; the text scans themselves stay
// free of files so that they can be run on any bytes.
#include "RuzuRaru2016/dxf/DxfReader.h"
#include "platform/Ports.h"
#include "table/EntityLines.h"
#include "table/NumberEntries.h"

DxfScanResult ScanDxfEntities(const std::string& path, EntityLineList& list) {
  if (!WaitForFile(path)) return {0, ScanEnd::kNoFile};
  if (platform::Files().InUse(path)) return {0, ScanEnd::kBusy};
  std::optional<std::string> bytes = platform::Files().ReadAll(path);
  if (!bytes) return {0, ScanEnd::kUnreadable};
  return ScanDxfText(*bytes, list, platform::Ansi());
}

std::optional<int> NextNumberFromExport(const std::string& path) {
  EntityLineList lines;
  if (!ScanDxfEntities(path, lines).complete()) return std::nullopt;
  std::vector<std::string> entries;
  CollectNumberMarks(lines, entries);
  SortByNumber(entries);
  return NextNumber(entries);
}
