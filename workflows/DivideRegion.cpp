#include "workflows/DivideRegion.h"

#include <algorithm>
#include <vector>

#include "annotation/AnnotationAngles.h"
#include "annotation/DxfInsertion.h"
#include "annotation/SegmentMarks.h"
#include "division/BestShapeDivision.h"
#include "division/RegionDivision.h"
#include "dxf/DxfWriter.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostExport.h"
#include "hostlink/HostSettings.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TracedBoundary.h"
#include "hostlink/UserMessages.h"

namespace {

// The inside tests cast rays of ten view heights. A user zoomed in closer than that on the
// region (a corner at 1:20, say) would have them end inside it, where they miss the edges
// above and call inside outside, or the reverse. A ray as long as the region is high always
// leaves it; where ten view heights already do, nothing changes.
double RayViewSize(const std::vector<TAcadPoint>& outline, double viewSize) {
  long double low = outline.front().y, high = low;
  for (const TAcadPoint& p : outline) {
    low = std::min(low, p.y);
    high = std::max(high, p.y);
  }
  return std::max(viewSize, static_cast<double>((high - low) / 5));
}

int NextSegmentNumberInDrawing(const HostLink& link) {
  EntityLineList lines;
  HostExport(link, ExportOf::kWholeDrawing, {nullptr, &lines});
  return NextSegmentNumber(CollectSegmentMarks(lines));
}

}  // namespace

RegionResult DivideRegion(const HostLink& link, const TAcadPoint& point,
                          const RegionSettings& settings) {
  RegionResult result;
  if (!ActivateHost(link)) return result;
  SendCommand(link, vocab::kCancel);

  TriangleLabelling labelling = settings.labelling;
  PrepareLengths(link, labelling.textStyle, labelling.lengths);
  const HostAngles& angles = labelling.lengths.angles;
  const double viewSize = ReadHostNumber(link, vocab::kViewSize);

  const BoundaryTrace trace = TraceOneBoundary(link, point);
  if (trace != BoundaryTrace::kOne) {
    result.outcome = trace == BoundaryTrace::kSeveral ? RegionOutcome::kSeveralBoundaries
                                                      : RegionOutcome::kNoBoundary;
    return result;
  }
  const TracedOutline traced = ExportTracedOutline(link);
  const std::vector<TAcadPoint>& outline = traced.corners;
  result.outcome = RegionOutcome::kNoPolygon;
  if (outline.empty()) return result;

  const DivisionResult division = settings.bestShape
                                      ? DivideBestShape(outline, settings.table)
                                      : DividePolygon(outline, RayViewSize(outline, viewSize));
  if (!division.divided()) {
    result.outcome = RegionOutcome::kDivisionFailed;
    TellUser(link, kDivisionFailed);
    return result;
  }
  const std::vector<CircularSegment> segments = settings.labels && settings.segments
                                                    ? OutlineSegments(outline, traced.bulges)
                                                    : std::vector<CircularSegment>();
  // Names go on after the drawing's highest, which only the whole drawing tells.
  const int firstSegment = segments.empty() ? 1 : NextSegmentNumberInDrawing(link);
  DxfDocument document;
  if (segments.empty())
    WriteDxfHeader(document, labelling.lengths.textStyle);
  else
    WriteDxfHeaderWithSegments(document, labelling.lengths.textStyle);
  // Written turned back against the host's insertion, as the labels are.
  const InsertionFrame frame(angles);
  for (const TAcadLine& d : division.diagonals)
    WriteDxfLine(document, frame.Place(d.st), frame.Place(d.ed), labelling.sideLayer);
  if (settings.labels && !division.triangles.empty())
    result.labelled =
        LabelDividedTriangles(document, division.triangles, labelling, labelling.nextNumber());
  const SegmentMarkStyle segmentStyle{labelling.lengths.textHeight, frame.NumberRotation(),
                                      labelling.lengths.layer, labelling.lengths.textStyle};
  int segmentNumber = firstSegment;
  for (const CircularSegment& s : segments)
    WriteSegmentMark(document, frame.Place(SegmentMarkCentre(s, segmentStyle.height)), s,
                     segmentNumber++, segmentStyle);
  WriteDxfEnd(document);
  InsertDxf(link, document);
  ActivateHost(link);
  result.outcome = RegionOutcome::kDivided;
  return result;
}
