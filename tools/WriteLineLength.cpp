#include "tools/WriteLineLength.h"

#include "dxf/NearestLine.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"

void WriteLineLength(const HostLink& link, const TAcadPoint& pick,
                     const LineLengthSettings& settings) {
  if (!ActivateHost(link)) return;
  LengthLabelSettings s = settings.label;
  PrepareLengths(link, settings.textStyle, s);

  const std::optional<TAcadLine> segment = SegmentAtPick(link.tables, pick);
  if (!segment) return;
  DrawLengthLabel(link, "J BC ", segment->st, segment->ed, s, false);
}

void PickAndWriteLineLength(const HostLink& link, const LineLengthSettings& settings) {
  if (!ActivateHost(link)) return;
  TAcadPoint pick;
  if (SelectSingle(link, pick) <= 0) return;
  WriteLineLength(link, pick, settings);
}
