#include "table/AreaTableRun.h"

#include <numbers>

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "annotation/DxfInsertion.h"
#include "annotation/HostSettings.h"
#include "platform/ExecutablePaths.h"
#include "table/TableCsv.h"

AreaTableResult MakeAreaTable(const HostLink& link, AreaTableRun run) {
  AreaTableResult result;
  if (!ActivateHost(link)) return result;
  EntityLineList lines;
  const int exported = run.wholeDrawing ? SelectAll(link, &lines) : SelectObjects(link, &lines);
  if (exported <= 0) {
    result.outcome = AreaTableOutcome::kNothingSelected;
    return result;
  }
  TAcadPoint corner;
  if (PickPoint(link, corner) != HostResult::Done) {
    result.outcome = AreaTableOutcome::kNoCorner;
    return result;
  }
  AreaTableSettings& s = run.table;
  s.base = corner;
  s.style = run.hostTextStyle ? ReadHostTextStyle(link) : std::string();
  result.styleRead = true;
  result.textStyle = s.style;
  const HostAngles angles = ReadHostAngles(link);
  s.angleBase = static_cast<double>(angles.base * 180 / std::numbers::pi_v<long double>);
  s.angleDirection = angles.direction;

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
