#include "table/KenzanRun.h"

#include <algorithm>

#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/UserMessages.h"
#include "table/KenzanReport.h"
#include "table/MarkCheckRead.h"
#include "table/TableCsv.h"

std::vector<MarkFinding> CheckExportedMarks(const HostLink& link, const EntityLineList& markLines,
                                            bool wholeDrawing, const TableRounding& rounding) {
  CheckedDrawing drawing;
  drawing.marks = ReadCheckedMarks(markLines);
  if (drawing.marks.empty()) return {};
  const bool withCorners =
      std::any_of(drawing.marks.begin(), drawing.marks.end(),
                  [](const CheckedMark& m) { return m.corners.kind != MarkCorners::Kind::kNone; });
  if (wholeDrawing) {
    ReadDrawnLines(markLines, drawing);
  } else if (withCorners) {
    // A selection of marks holds few of the lines they stand between. Marks without corners
    // are not held against lines, so a selection of those alone costs no second export.
    ReadDrawnLines(SelectAll(link, ReadExportAs::kBoth).lines, drawing);
  }
  return CheckMarks(drawing, rounding);
}

KenzanResult RunKenzan(const HostLink& link, const KenzanRunSettings& settings) {
  KenzanResult result;
  if (!ActivateHost(link)) return result;
  const Selection selected = settings.wholeDrawing ? SelectAll(link, ReadExportAs::kBoth)
                                                   : SelectObjects(link, ReadExportAs::kBoth);
  const EntityLineList& lines = selected.lines;
  if (selected.count <= 0) {
    result.outcome = KenzanOutcome::kNothingSelected;
    return result;
  }
  if (ReadCheckedMarks(lines).empty()) {
    result.outcome = KenzanOutcome::kNoMarks;
    TellUser(link, kNoMarksToCheck);
    return result;
  }
  result.findings = CheckExportedMarks(link, lines, settings.wholeDrawing, settings.rounding);
  result.outcome = KenzanOutcome::kChecked;
  if (result.findings.size() > kShownFindings)
    result.csvWritten = WriteTableCsv(link, kKenzanCsvFile, KenzanCsvTexts(result.findings));
  TellUser(link, KenzanMessage(result.findings));
  return result;
}
