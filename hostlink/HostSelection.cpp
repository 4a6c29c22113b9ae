#include "hostlink/HostSelection.h"

#include <algorithm>
#include <utility>

#include "dxf/DxfTables.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostExport.h"
#include "hostlink/HostText.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/TypedPaths.h"
#include "hostlink/UserCoordinates.h"
#include "numbers/NumberText.h"

namespace {

// The count the host reported for the last SELECT, from the history. After several picks of
// an interactive selection the host reports a running total, and the last total counts. The
// count ends its line: after removing objects the next prompt is not the selection prompt,
// and reading on to a later one would miss a total of 0 and export an older selection.
std::string ReportedCount(const HostLink& link, bool runningTotal) {
  const std::string h = TextAfterLast(vocab::kSelectMarker, ReadPreviousLine(link));
  const bool total = runningTotal && h.find(vocab::kTotalWord) != std::string::npos;
  const std::string report = total ? vocab::kTotalReport : vocab::kFoundReport;
  const std::string rest = TextAfterLast(report, h);
  const std::size_t end = std::min(rest.find(vocab::kSelectPrompt), rest.find_first_of("\r\n"));
  return TrimHostText(std::string_view(rest).substr(0, end));
}

// Every selection ends in an export into the file beside the executable. A path that the host
// cannot take stops it (EUntypeablePath) before anything is typed.
bool StartSelection(const HostLink& link) {
  if (!ActivateHost(link)) return false;
  TypedPath(ExportFilePath());
  return true;
}

Selection ExportSelection(const HostLink& link, ExportOf what,
                          ReadExportAs as = ReadExportAs::kTables);

// Fence and window selections: osnap off while the points are typed, then restored; an OSMODE
// that cannot be read is left alone.
Selection SelectAlongPoints(const HostLink& link, const std::string& command) {
  if (!StartSelection(link)) return {};
  std::string found;
  {
    TemporaryHostSetting osmode(link, vocab::kOsmode, vocab::OsmodeRestore,
                                TemporaryHostSetting::Integer);
    osmode.Change(vocab::kOsmodeOff);
    SendCommand(link, command);
    found = ReportedCount(link, false);
  }
  if (found == "0") return {};
  return ExportSelection(link, ExportOf::kPreviousSet);
}

// Waits for the user to finish an interactive SELECT: false when it was cancelled, timed out
// or found nothing.
bool UserSelected(const HostLink& link, bool runningTotal) {
  if (WaitForPrompt(link, vocab::kSelectMarker, 100, 600) != HostResult::Done) return false;
  return ReportedCount(link, runningTotal) != "0";
}

int EntityCount(const TDxfTables& t) {
  const TEntityTables& e = t.entities;
  return static_cast<int>(e.lines.size() + e.texts.size() + e.circles.size() + e.arcs.size() +
                          e.polylines.size() + e.ellipses.size() + t.inserts.size());
}

// The selection exported and read (and scanned, when asked), with its count.
Selection ExportSelection(const HostLink& link, ExportOf what, ReadExportAs as) {
  Exported exported = HostExport(link, what, as);
  Selection selection;
  selection.count = EntityCount(exported.tables);
  selection.tables = std::move(exported.tables);
  selection.lines = std::move(exported.lines);
  return selection;
}

}  // namespace

bool ReadLastPoint(const HostLink& link, TAcadPoint& point) {
  const FullPrecision places(link, FullPrecision::Of::kLengths);
  return ReadWorldLastPoint(link, point);
}

HostResult PickPoint(const HostLink& link, TAcadPoint& point) {
  if (!ActivateHost(link)) return HostResult::Failed;
  SendCommand(link, vocab::kSetSentinel);
  SendCommand(link, vocab::kId);
  const HostResult r = WaitForPrompt(link, vocab::kIdMarker, 100, 6000);
  if (r != HostResult::Done) return r;
  // A point that cannot be read is no pick: 0, 0, 0 would pass for one.
  if (!ReadLastPoint(link, point)) return HostResult::Failed;
  return point == kSentinelPoint ? HostResult::Cancelled : HostResult::Done;
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

Selection SelectByFence(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2) {
  return SelectAlongPoints(link, vocab::SelectFence(p1, p2));
}

Selection SelectByWindow(const HostLink& link, const TAcadPoint& corner1,
                         const TAcadPoint& corner2) {
  return SelectAlongPoints(link, vocab::SelectWindow(corner1, corner2));
}

Selection SelectSingle(const HostLink& link) {
  if (!StartSelection(link)) return {};
  SendCommand(link, vocab::kSetSentinel);
  SendCommand(link, vocab::kSelectSingle);
  if (!UserSelected(link, false)) return {};
  // The caller works at the pick point; without a readable one there is nothing to work at.
  TAcadPoint pick;
  if (!ReadLastPoint(link, pick) || pick == kSentinelPoint) return {};
  Selection selection = ExportSelection(link, ExportOf::kPreviousSingle);
  selection.pick = pick;
  return selection;
}

Selection SelectAll(const HostLink& link, ReadExportAs as) {
  if (!StartSelection(link)) return {};
  return ExportSelection(link, ExportOf::kWholeDrawing, as);
}

Selection SelectObjects(const HostLink& link, ReadExportAs as) {
  if (!StartSelection(link)) return {};
  SendCommand(link, vocab::kSetSentinel);
  SendCommand(link, vocab::kSelectObjects);
  if (!UserSelected(link, true)) return {};
  // Objects selected without any point (typed ALL) leave the sentinel; a point that cannot be
  // read is no point the user gave either, as for the picks.
  TAcadPoint point;
  if (!ReadLastPoint(link, point) || point == kSentinelPoint) return {};
  return ExportSelection(link, ExportOf::kPreviousSet, as);
}
