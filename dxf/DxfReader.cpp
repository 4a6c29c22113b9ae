#include "dxf/DxfReader.h"

#include <memory>

#include "dxf/DxfParser.h"
#include "dxf/DxfTables.h"
#include "platform/Ports.h"

namespace {

// A line quoted in the failure message is cut at a zero byte (the message box would end there)
// and after kMaxQuotedBytes, so that a binary file or a runaway line cannot flood the message.
constexpr std::size_t kMaxQuotedBytes = 256;

std::string Quoted(const std::string& line) {
  std::string quoted = line.substr(0, line.find('\0'));
  if (quoted.size() <= kMaxQuotedBytes) return quoted;
  std::size_t cut = kMaxQuotedBytes;
  while (cut > 0 && (static_cast<unsigned char>(quoted[cut]) & 0xC0) == 0x80) --cut;
  quoted.resize(cut);
  quoted += "…";
  return quoted;
}

// "n : code line / n+1 : value line" in the message, without the blanks in the error text.
std::string FailureText(const DxfFailure& f, const char* separator, const char* between) {
  return std::to_string(f.line) + separator + Quoted(f.codeLine) + between +
         std::to_string(f.line + 1) + separator + Quoted(f.valueLine);
}

}  // namespace

bool WaitForFile(const std::string& path) {
  auto& loop = platform::Loop();
  auto& files = platform::Files();
  for (int round = 0; round < 101; ++round) {
    loop.Sleep(10);
    loop.ProcessMessages();
    if (loop.CancelRequested()) return false;
    if (files.Exists(path)) {
      loop.Sleep(100);
      // A host writes a large export for a while: the file is there, empty or partial, and
      // held open until it is complete. Its hold is waited out rather than read through.
      for (unsigned waited = 0; files.InUse(path) && waited < kWriterWaitMs; waited += 100) {
        loop.ProcessMessages();
        if (loop.CancelRequested()) return false;
        loop.Sleep(100);
      }
      return true;
    }
  }
  return false;
}

std::int16_t LayerColor(TDxfTables& tables, const std::string& name) {
  return LayerColorIn(tables.layers, name);
}

DxfReadResult ReadDxf(TDxfTables& tables, const std::string& path) {
  if (WaitForFile(path)) return ReadDxfFile(tables, path);
  ClearDxfTables(tables);
  FinishDxfTables(tables);
  return {};
}

DxfReadResult ReadDxfFile(TDxfTables& tables, const std::string& path) {
  DxfReadResult result;
  ClearDxfTables(tables);
  if (platform::Files().InUse(path)) {
    result.error = "busy";
    result.message = "DXFファイルは使用中です．";
    result.caption = "DxfRead";
  } else {
    DxfParseResult parsed;
    // Read piece by piece: a large export is never held whole beside its tables. The file is
    // read twice, first to size the tables: a second read from the system's file cache costs
    // less than tables that grow, each growth a copy into memory touched for the first time.
    if (std::unique_ptr<platform::FileSystem::Reader> sizing =
            platform::Files().OpenForReading(path))
      ReserveDxfTables(*sizing, tables, platform::Ansi());
    if (std::unique_ptr<platform::FileSystem::Reader> file =
            platform::Files().OpenForReading(path)) {
      parsed = ReadDxfPairs(*file, tables, platform::Ansi());
    } else {  // it exists but cannot be opened: a read error at the first pair
      parsed.failed = true;
      parsed.failure.line = 1;
    }
    result.version = parsed.version;
    if (parsed.failed) {
      result.error = FailureText(parsed.failure, ":", "/");
      result.message = FailureText(parsed.failure, " : ", " / ");
      result.caption = "DxfReport";
    }
  }
  FinishDxfTables(tables);
  return result;
}
