#include "hostlink/TracedBoundary.h"

#include "dxf/DxfTables.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostExport.h"
#include "hostlink/HostText.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/UserMessages.h"
#include "numbers/NumberText.h"

namespace {

// The number of polylines the host reports for its last boundary command: the count between
// "境界が" and "個のポリラインを"; empty when the report is missing.
std::string BoundaryCount(const HostLink& link) {
  return TextAfterLastUpTo(vocab::kBoundaryReport, vocab::kBoundaryReportEnd,
                           TextAfterLast(vocab::kBoundaryMarker, ReadPreviousLine(link)));
}

// The same count where the host reports regions ("個のリージョンを").
std::string RegionCount(const HostLink& link) {
  return TextAfterLastUpTo(vocab::kBoundaryReport, vocab::kBoundaryRegionReportEnd,
                           TextAfterLast(vocab::kBoundaryMarker, ReadPreviousLine(link)));
}

bool HoldsRegion(const EntityLineList& lines) {
  for (std::string_view line : lines)
    if (line.starts_with("0,REGION\t")) return true;
  return false;
}

}  // namespace

BoundaryTrace TraceOneBoundary(const HostLink& link, const TAcadPoint& point) {
  // "HPBOUND (System Variable)" (not saved, initial 1): a user's 0 makes the boundary a region,
  // which no export gives back as corners. Held at 1 while the boundary is traced and given back
  // however the trace ends. -BOUNDARY's own Object type option ("-BOUNDARY (Command)") is not
  // used: no page says whether it sets the session's HPBOUND for good.
  TemporaryHostSetting objectType(link, vocab::kHpBound, vocab::HpBoundRestore,
                                  TemporaryHostSetting::Integer);
  if (objectType.saved() != "1") objectType.Change(vocab::kHpBoundPolyline);
  SendCommand(link, vocab::Boundary(point));
  // The report comes when the command ends, which takes a large drawing a while. A count read
  // before it would be an earlier run's, and "_ERASE SINGLE LAST" would then take an object of
  // the user's.
  const HostResult ended = WaitForPrompt(link, vocab::kBoundaryMarker, 100, kBoundarySeconds);
  if (ended == HostResult::Failed) SendCommand(link, vocab::kCancel);
  if (ended != HostResult::Failed && !RegionCount(link).empty()) {
    // HPBOUND could not be read, or the host did not keep it: the region is taken back.
    TellUser(link, kBoundaryIsRegion);
    SendCommand(link, vocab::kUndoOne);
    return BoundaryTrace::kRegion;
  }
  const std::string text = ended == HostResult::Failed ? std::string() : BoundaryCount(link);
  long long count = 0;
  if (!text.empty() && TryParseInt(text, count) && count > 1) {
    TellUser(link, kSeveralBoundaries);
    SendCommand(link, vocab::kUndoOne);
    return BoundaryTrace::kSeveral;
  }
  if (text.empty() || count != 1) {
    TellUser(link, kNoBoundary);
    return BoundaryTrace::kNone;
  }
  return BoundaryTrace::kOne;
}

TracedOutline ExportTracedOutline(const HostLink& link) {
  Exported exported;  // the lines too: what else than a polyline came back
  try {
    exported = HostExport(link, ExportOf::kLastErased, ReadExportAs::kBoth);
  } catch (const EExportFailed& e) {
    // Nothing was typed: the boundary is erased as the export would have had it erased.
    if (e.outcome == ExportOutcome::kOldFileStays) SendCommand(link, vocab::kEraseLast);
    throw;
  }
  const TEntityTables& t = exported.tables.entities;
  TracedOutline outline;
  if (t.polylines.size() != 1 || t.vertices.size() < 2) {
    // A region read as no polyline would end the run without a word.
    if (HoldsRegion(exported.lines)) TellUser(link, kBoundaryIsRegion);
    return outline;
  }
  for (const TLwpEle& v : t.vertices) {
    outline.corners.push_back(v.code10);
    outline.bulges.push_back(v.code42);
  }
  return outline;
}
