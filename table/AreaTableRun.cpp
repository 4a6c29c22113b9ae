#include "table/AreaTableRun.h"

#include "annotation/DxfInsertion.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/UserMessages.h"
#include "platform/ExecutablePaths.h"
#include "table/KenzanReport.h"
#include "table/KenzanRun.h"
#include "table/TableCsv.h"

void ReadTableHostSettings(const HostLink& link, const TextStyleChoice& textStyle,
                           AreaTableSettings& s) {
  const RunStyle run = PrepareRun(link, textStyle);
  s.style = run.textStyle;
  s.angles = run.angles;
}

AreaTableResult MakeAreaTable(const HostLink& link, AreaTableRun run) {
  AreaTableResult result;
  if (!ActivateHost(link)) return result;
  const Selection selected = SelectMarkObjects(link, run.wholeDrawing);
  const EntityLineList& lines = selected.lines;
  if (selected.count <= 0) {
    result.outcome = AreaTableOutcome::kNothingSelected;
    return result;
  }
  // The table is only as good as its marks: stale or doubled ones are named before it is drawn.
  const std::vector<MarkFinding> findings =
      CheckExportedMarks(link, lines, run.wholeDrawing, run.table);
  if (!FindingMarks(findings).empty() && !AskUser(link, KenzanQuestion(findings))) {
    result.outcome = AreaTableOutcome::kNotConfirmed;
    return result;
  }
  TAcadPoint corner;
  if (PickPoint(link, corner) != HostResult::Done) {
    result.outcome = AreaTableOutcome::kNoCorner;
    return result;
  }
  AreaTableSettings& s = run.table;
  s.base = corner;
  ReadTableHostSettings(link, run.textStyle, s);

  const AreaTableBuild build = BuildAreaTable(lines, s);
  if (!build.document) {
    result.outcome = AreaTableOutcome::kNoMarks;
    return result;
  }
  InsertDocument(link, *build.document, platform::FileBesideExecutable(kSingleTextFile));
  result.outcome = AreaTableOutcome::kInserted;
  result.rows = static_cast<int>(build.entries.size());
  result.csvWritten = WriteTableCsv(link, kAreaCsvFile, build.texts);
  return result;
}
