#include "tools/WriteLineLength.h"

#include "dxf/ExplodePolylines.h"
#include "dxf/NearestLine.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"

void WriteLineLength(const HostLink& link, const TAcadPoint& pick,
                     const LineLengthSettings& settings) {
  if (!ActivateHost(link)) return;
  LengthLabelSettings s = settings.label;
  s.textStyle = ChooseTextStyle(link, settings.textStyle);
  s.angles = ReadHostAngles(link);

  TAcadLine segment;
  const TEntityTables& read = link.tables.entities;
  if (!read.lines.empty()) {
    segment = {read.lines.front().st, read.lines.front().ed};
  } else if (!read.polylines.empty()) {
    ExplodePolylines(link.tables);
    if (NearestLine(link.tables, pick, segment.st, segment.ed) < 0) return;
  } else {
    return;
  }
  DrawLengthLabel(link, "J BC ", segment.st, segment.ed, s, false);
}

void PickAndWriteLineLength(const HostLink& link, const LineLengthSettings& settings) {
  if (!ActivateHost(link)) return;
  TAcadPoint pick;
  if (SelectSingle(link, pick) <= 0) return;
  WriteLineLength(link, pick, settings);
}
