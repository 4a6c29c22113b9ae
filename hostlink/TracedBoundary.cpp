#include "hostlink/TracedBoundary.h"

#include "dxf/DxfTables.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostExport.h"
#include "hostlink/HostText.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/UserMessages.h"
#include "numbers/NumberText.h"

namespace {

// The number of polylines the host reports for its last boundary command: the count between
// "境界が" and "個のポリラインを"; empty when the report is missing.
std::string BoundaryCount(const HostLink& link) {
  return TextAfterLastUpTo(vocab::kBoundaryReport, vocab::kBoundaryReportEnd,
                           TextAfterLast(vocab::kBoundaryMarker, ReadPreviousLine(link)));
}

}  // namespace

BoundaryTrace TraceOneBoundary(const HostLink& link, const TAcadPoint& point) {
  SendCommand(link, vocab::Boundary(point));
  // The report comes when the command ends, which takes a large drawing a while. A count read
  // before it would be an earlier run's, and "_ERASE SINGLE LAST" would then take an object of
  // the user's.
  const HostResult ended = WaitForPrompt(link, vocab::kBoundaryMarker, 100, kBoundarySeconds);
  if (ended == HostResult::Failed) SendCommand(link, vocab::kCancel);
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
  Exported exported;
  try {
    exported = HostExport(link, ExportOf::kLastErased, ReadExportAs::kTables);
  } catch (const EExportFailed& e) {
    // Nothing was typed: the boundary is erased as the export would have had it erased.
    if (e.outcome == ExportOutcome::kOldFileStays) SendCommand(link, vocab::kEraseLast);
    throw;
  }
  const TEntityTables& t = exported.tables.entities;
  TracedOutline outline;
  if (t.polylines.size() != 1 || t.vertices.size() < 2) return outline;
  for (const TLwpEle& v : t.vertices) {
    outline.corners.push_back(v.code10);
    outline.bulges.push_back(v.code42);
  }
  return outline;
}
