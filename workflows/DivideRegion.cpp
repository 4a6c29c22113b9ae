#include "workflows/DivideRegion.h"

#include <algorithm>
#include <vector>

#include "RuzuRaru2016/dxf/DxfReader.h"
#include "RuzuRaru2016/dxf/DxfTables.h"
#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "RuzuRaru2016/hostlink/HostText.h"
#include "RuzuRaru2016/hostlink/HostVocabulary.h"
#include "annotation/AnnotationAngles.h"
#include "annotation/DxfInsertion.h"
#include "annotation/DxfWriter.h"
#include "annotation/HostSettings.h"
#include "numbers/NumberText.h"
#include "platform/Ports.h"
#include "workflows/BestShapeDivision.h"
#include "workflows/RegionDivision.h"
#include "workflows/UserMessages.h"

namespace {

// The number of polylines the host reports for its last boundary command: the count between
// "境界が" and "個のポリラインを"; empty when the report is missing.
std::string BoundaryCount(const HostLink& link) {
  return TextAfterLastUpTo(vocab::kBoundaryReport, vocab::kBoundaryReportEnd,
                           TextAfterLast(vocab::kBoundaryMarker, ReadPreviousLine(link)));
}

// Traces the region around the point. True when the host made exactly one boundary; otherwise
// the user has been told and nothing of the host's making is left in the drawing.
bool TraceOneBoundary(const HostLink& link, const TAcadPoint& point, RegionResult& result) {
  SendCommand(link, vocab::Boundary(point));
  // The report comes when the command ends, which takes a large drawing a while. A count read
  // before it would be an earlier run's, and "_ERASE SINGLE LAST" would then take an object of
  // the user's.
  const HostResult ended = WaitForPrompt(link, vocab::kBoundaryMarker, 100, kBoundarySeconds);
  if (ended == HostResult::Failed) SendCommand(link, vocab::kCancel);
  const std::string text = ended == HostResult::Failed ? std::string() : BoundaryCount(link);
  long long count = 0;
  if (!text.empty() && TryParseInt(text, count) && count > 1) {
    result.outcome = RegionOutcome::kSeveralBoundaries;
    TellUser(link, kSeveralBoundaries);
    SendCommand(link, vocab::kUndoOne);
    return false;
  }
  if (text.empty() || count != 1) {
    result.outcome = RegionOutcome::kNoBoundary;
    TellUser(link, kNoBoundary);
    return false;
  }
  return true;
}

// The traced outline, exported by the host and then erased from the drawing: its vertices in
// order (bulges ignored, an arc side becomes its chord). Empty when it did not come back as one
// polyline of at least two vertices.
std::vector<TAcadPoint> ExportTracedOutline(const HostLink& link, const std::string& path) {
  SendCommand(link, vocab::kEnglishFileDialogOff);
  SendCommand(link, vocab::EnglishDxfOut(path, vocab::kExportLast));
  SendCommand(link, vocab::kEnglishFileDialogOn);
  SendCommand(link, vocab::kEraseLast);
  WaitForFile(path);
  platform::Loop().Sleep(100);
  std::vector<TAcadPoint> outline;
  if (!platform::Files().Exists(path)) return outline;
  ReadDxf(link.tables, path);
  const TEntityTables& t = link.tables.entities;
  if (t.polylines.size() != 1 || t.vertices.size() < 2) return outline;
  for (const TLwpEle& v : t.vertices) outline.push_back(v.code10);
  return outline;
}

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

}  // namespace

RegionResult DivideRegion(const HostLink& link, const TAcadPoint& point,
                          const RegionSettings& settings) {
  RegionResult result;
  const std::string path = ExportFilePath();
  // A file that stayed would pass for the export of this run's outline.
  auto& files = platform::Files();
  if (files.Exists(path) && !files.Delete(path)) return result;
  if (!ActivateHost(link)) return result;
  SendCommand(link, vocab::kCancel);

  TriangleLabelling labelling = settings.labelling;
  labelling.textStyle = settings.hostTextStyle ? ReadHostTextStyle(link) : std::string();
  result.styleRead = true;
  result.textStyle = labelling.textStyle;
  const HostAngles angles = ReadHostAngles(link);
  const double viewSize = ReadHostNumber(link, vocab::kViewSize);

  if (!TraceOneBoundary(link, point, result)) return result;
  const std::vector<TAcadPoint> outline = ExportTracedOutline(link, path);
  result.outcome = RegionOutcome::kNoPolygon;
  if (outline.empty()) return result;

  const DivisionResult division = settings.bestShape
                                      ? DivideBestShape(outline)
                                      : DividePolygon(outline, RayViewSize(outline, viewSize));
  if (!division.divided()) {
    result.outcome = RegionOutcome::kDivisionFailed;
    TellUser(link, kDivisionFailed);
    return result;
  }
  DxfDocument document;
  WriteDxfHeader(document, labelling.textStyle);
  // Written turned back against the host's insertion, as the labels are.
  const InsertionFrame frame(angles);
  for (const TAcadLine& d : division.diagonals)
    WriteDxfLine(document, frame.Place(d.st), frame.Place(d.ed), settings.sideLayer);
  if (settings.labels && !division.triangles.empty())
    result.labelled = LabelDividedTriangles(document, division.triangles, labelling, angles);
  WriteDxfEnd(document);
  InsertDxf(link, document);
  ActivateHost(link);
  result.outcome = RegionOutcome::kDivided;
  return result;
}
