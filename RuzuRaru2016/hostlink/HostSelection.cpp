#include "RuzuRaru2016/hostlink/HostSelection.h"

#include <algorithm>

#include "RuzuRaru2016/dxf/DxfParser.h"
#include "RuzuRaru2016/dxf/DxfReader.h"
#include "RuzuRaru2016/dxf/DxfTables.h"
#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"
#include "RuzuRaru2016/hostlink/HostText.h"
#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"

namespace {

constexpr const char* kSetSentinel = "\x03\x03LASTPOINT 123,456,789 ";
constexpr const char* kFoundReport = "認識された数: ";
constexpr const char* kTotalReport = "総数 ";
constexpr const char* kSelectPrompt = "オブジェクトを選択";
constexpr const char* kExportPrevious = "O P \rV 2000 16\r";

bool IsSentinel(const TAcadPoint& p) {
  return p.x == kSentinelPoint.x && p.y == kSentinelPoint.y && p.z == kSentinelPoint.z;
}

// "x1,y1 x2,y2" with 16 decimals and no z, as points are typed at the host's prompts.
std::string TwoPoints(const TAcadPoint& a, const TAcadPoint& b) {
  return FormatFixed(a.x, 16) + "," + FormatFixed(a.y, 16) + " " + FormatFixed(b.x, 16) + "," +
         FormatFixed(b.y, 16);
}

// The count the host reported for the last SELECT, from the history. After several picks of
// an interactive selection the host reports a running total, and the last total counts. The
// count ends its line: after removing objects the next prompt is not the selection prompt,
// and reading on to a later one would miss a total of 0 and export an older selection.
std::string ReportedCount(bool runningTotal) {
  const std::string h = TextAfterLast("SELECT", ReadPreviousLine());
  const bool total = runningTotal && h.find("総数") != std::string::npos;
  const std::string report = total ? kTotalReport : kFoundReport;
  const std::string rest = TextAfterLast(report, h);
  const std::size_t end = std::min(rest.find(kSelectPrompt), rest.find_first_of("\r\n"));
  return TrimHostText(std::string_view(rest).substr(0, end));
}

// Reads LASTPOINT into point. False when the host gave no readable point.
bool ReadLastPoint(TAcadPoint& point) { return ParsePoint(GetSysVar("LASTPOINT"), point) == 1; }

// Fence and window selections: osnap off while the points are typed, then restored.
int SelectAlongPoints(const std::string& command) {
  if (!ActivateHost()) return 0;
  const std::string osmode = GetSysVar("OSMODE");
  SendCommand("\x03OSMODE 0 ");
  SendCommand(command);
  const std::string found = ReportedCount(false);
  SendCommand("\x03OSMODE " + osmode + "\r");
  if (found == "0") return 0;
  return ExportSelectionToDxf(kExportPrevious);
}

// Waits for the user to finish an interactive SELECT: false when it was cancelled, timed out
// or found nothing.
bool UserSelected(bool runningTotal) {
  if (WaitForPrompt("SELECT", 100, 600) <= 0) return false;
  return ReportedCount(runningTotal) != "0";
}

int EntityCount() {
  const TDxfTables& t = DxfTables();
  const TEntityTables& e = t.entities;
  return static_cast<int>(e.lines.size() + e.texts.size() + e.circles.size() + e.arcs.size() +
                          e.polylines.size() + e.ellipses.size() + t.inserts.size());
}

}  // namespace

std::string ExportFilePath() { return platform::ExecutablePathWithExtension(".dxf"); }

int PickPoint(TAcadPoint& point) {
  if (!ActivateHost()) return kHostFailed;
  SendCommand(kSetSentinel);
  SendCommand("_iD\r");
  const int r = WaitForPrompt("_iD", 100, 6000);
  if (r != kHostDone) return r;
  // A point that cannot be read is no pick: 0, 0, 0 would pass for one.
  if (!ReadLastPoint(point)) return kHostFailed;
  return IsSentinel(point) ? kHostCancelled : kHostDone;
}

int ParsePoint(const std::string& text, TAcadPoint& point) {
  point = TAcadPoint{};
  std::string_view rest = text;
  if (!rest.empty() && rest.front() == '"') {
    rest = rest.size() >= 2 ? rest.substr(1, rest.size() - 2) : std::string_view{};
  }
  const std::size_t xEnd = rest.find(',');
  if (xEnd == std::string_view::npos || xEnd == 0) return 0;
  if (!TryParseFloat(rest.substr(0, xEnd), point.x)) return 0;
  rest.remove_prefix(xEnd + 1);
  const std::size_t yEnd = rest.find(',');
  if (yEnd == std::string_view::npos || yEnd == 0) {
    // Two numbers: the rest is y, z stays 0.
    return TryParseFloat(rest, point.y) ? 1 : 0;
  }
  if (!TryParseFloat(rest.substr(0, yEnd), point.y)) return 0;
  return TryParseFloat(rest.substr(yEnd + 1), point.z) ? 1 : 0;
}

int SelectByFence(const TAcadPoint& p1, const TAcadPoint& p2) {
  return SelectAlongPoints("\x03SELECT FENCE " + TwoPoints(p1, p2) + "\r\r\r");
}

int SelectByWindow(const TAcadPoint& corner1, const TAcadPoint& corner2) {
  return SelectAlongPoints("\x03SELECT WINDOW " + TwoPoints(corner1, corner2) + "\r\r");
}

int SelectSingle(TAcadPoint& pickPoint) {
  if (!ActivateHost()) return 0;
  SendCommand(kSetSentinel);
  SendCommand("SELECT SINGLE ");
  if (!UserSelected(false)) return 0;
  // The caller works at the pick point; without a readable one there is nothing to work at.
  if (!ReadLastPoint(pickPoint) || IsSentinel(pickPoint)) return 0;
  return ExportSelectionToDxf("O SINGLE P V 2000 16\r");
}

int SelectAll() {
  if (!ActivateHost()) return 0;
  SendCommand("\x03SELECT ALL \r");
  return ExportSelectionToDxf(kExportPrevious);
}

int SelectObjects() {
  if (!ActivateHost()) return 0;
  SendCommand(kSetSentinel);
  SendCommand("SELECT ");
  if (!UserSelected(true)) return 0;
  // Objects selected without any point (typed ALL) leave the sentinel.
  TAcadPoint point;
  ReadLastPoint(point);
  if (IsSentinel(point)) return 0;
  return ExportSelectionToDxf(kExportPrevious);
}

int ExportSelectionToDxf(const std::string& options) {
  const std::string path = ExportFilePath();
  auto& files = platform::Files();
  // The reader tells the new export by the file's appearance, so an old one must go first.
  // If it cannot be removed, reading it would pass old objects off as the selection.
  if (files.Exists(path) && !files.Delete(path)) {
    // Left as after any failed read.
    ClearDxfTables(DxfTables());
    FinishDxfTables(DxfTables());
    return 0;
  }
  SendCommand("FILEDIA 0 ");
  SendCommand("DXFOUT " + path + "\r" + options);
  SendCommand("FILEDIA 1 ");
  ReadDxf(path);
  return EntityCount();
}
