#include "tools/WriteLineLength.h"

#include <utility>

#include "dxf/NearestLine.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"

void WriteLineLength(const HostLink& link, Selection picked, const LineLengthSettings& settings) {
  if (!ActivateHost(link)) return;
  LengthLabelSettings s = settings.label;
  PrepareLengths(link, settings.textStyle, s);

  const std::optional<TAcadLine> segment = SegmentAtPick(picked.tables, picked.pick);
  if (!segment) return;
  DrawLengthLabel(link, "J BC ", segment->st, segment->ed, s, false);
}

void PickAndWriteLineLength(const HostLink& link, const LineLengthSettings& settings) {
  if (!ActivateHost(link)) return;
  Selection picked = SelectSingle(link);
  if (picked.count <= 0) return;
  WriteLineLength(link, std::move(picked), settings);
}
