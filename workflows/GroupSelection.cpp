#include "workflows/GroupSelection.h"

#include "annotation/DxfInsertion.h"
#include "division/SegmentTriangles.h"
#include "dxf/DxfWriter.h"
#include "dxf/ExplodePolylines.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/UserMessages.h"

GroupResult GroupSelection(const HostLink& link, const TriangleLabelling& settings) {
  GroupResult result;
  if (!ActivateHost(link)) return result;
  result.outcome = GroupOutcome::kNothingSelected;
  Selection selected = SelectObjects(link);
  if (selected.count <= 0) return result;
  TDxfTables& tables = selected.tables;

  TriangleLabelling labelling = settings;
  PrepareLengths(link, labelling.textStyle, labelling.lengths);

  if (!tables.entities.polylines.empty()) ExplodePolylines(tables);
  std::vector<TAcadLine> segments;
  for (const TAcadLineBlk& line : tables.entities.lines) segments.push_back({line.st, line.ed});
  if (segments.empty()) {
    result.outcome = GroupOutcome::kNoSegments;
    TellUser(link, kNoSegments);
    return result;
  }
  result.outcome = GroupOutcome::kNoTriangle;
  const std::vector<TAcadTriangle> triangles = FindSegmentTriangles(segments);
  if (triangles.empty()) return result;

  DxfDocument document;
  WriteDxfMarkHeader(document, labelling.lengths.textStyle);
  const int labelled =
      LabelDividedTriangles(document, triangles, labelling, labelling.nextNumber());
  WriteDxfEnd(document);
  InsertDxf(link, document);
  ActivateHost(link);
  result.outcome = GroupOutcome::kLabelled;
  result.labelled = labelled;
  return result;
}
