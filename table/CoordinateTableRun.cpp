#include "table/CoordinateTableRun.h"

#include "annotation/DxfInsertion.h"
#include "annotation/SegmentMarks.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TracedBoundary.h"
#include "platform/ExecutablePaths.h"
#include "table/AreaTableRun.h"
#include "table/CoordinateTable.h"
#include "table/TableCsv.h"

CoordinateTableResult MakeCoordinateTable(const HostLink& link, CoordinateTableRun run) {
  CoordinateTableResult result;
  if (!ActivateHost(link)) return result;
  TAcadPoint inside;
  if (PickPoint(link, inside) != HostResult::Done) {
    result.outcome = CoordinateTableOutcome::kNoPoint;
    return result;
  }
  SendCommand(link, vocab::kCancel);
  AreaTableSettings& s = run.table;
  ReadTableHostSettings(link, run.textStyle, s);

  if (TraceOneBoundary(link, inside) != BoundaryTrace::kOne) {
    result.outcome = CoordinateTableOutcome::kNoBoundary;
    return result;
  }
  const TracedOutline outline = ExportTracedOutline(link);
  if (outline.corners.size() < 3) {
    result.outcome = CoordinateTableOutcome::kNoPolygon;
    return result;
  }
  if (PickPoint(link, s.base) != HostResult::Done) {
    result.outcome = CoordinateTableOutcome::kNoCorner;
    return result;
  }
  // One name for one arc: the rows are named as 自動 names the marks, after the drawing's
  // highest.
  const bool named = run.segments && !OutlineSegments(outline.corners, outline.bulges).empty();
  const int firstSegment = named ? NextSegmentNumberInDrawing(link) : 1;
  const CoordinateTableTexts table =
      ComputeCoordinateTable(outline.corners, outline.bulges, run.segments, firstSegment, s);
  InsertDocument(link, WriteCoordinateTable(table, s),
                 platform::FileBesideExecutable(kSingleTextFile));
  ActivateHost(link);
  result.outcome = CoordinateTableOutcome::kInserted;

  result.csvWritten = WriteTableCsv(link, kCoordinateCsvFile, table.texts);
  return result;
}
