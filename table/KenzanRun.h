// 検算: the marks of the drawing (or of the user's selection) checked against the drawing's
// lines, and the user told what no longer matches. Nothing in the drawing changes.
#pragma once

#include <vector>

#include "dxf/EntityLines.h"
#include "geometry/TableRows.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostSelection.h"
#include "table/MarkCheck.h"

struct KenzanRunSettings {
  bool wholeDrawing = true;  // every mark of the drawing; otherwise those the user selects
  TableRounding rounding;    // the lengths as the table shows them (converted before the run)
};

enum class KenzanOutcome {
  kNoHost,           // nothing sent
  kNothingSelected,  // the export held no objects
  kNoMarks,          // no mark among them: the user has been told
  kChecked           // the user has been told what was found, or that everything matches
};

struct KenzanResult {
  KenzanOutcome outcome = KenzanOutcome::kNoHost;
  std::vector<MarkFinding> findings;
  bool csvWritten = false;  // Kenzan.csv, when the findings are too many for the box
};

// The check on marks already exported (markLines): the drawing's lines and texts come from
// the same lines when they hold the whole drawing, otherwise from a whole-drawing export of
// their own (only when a mark carries corners to hold against them). Throws EExportFailed when that
// export does not come back whole, EConvertError for a mark's data that is no number.
std::vector<MarkFinding> CheckExportedMarks(const HostLink& link, const EntityLineList& markLines,
                                            bool wholeDrawing, const TableRounding& rounding);

// The marks' objects the table and the check read: the whole drawing, or what the user selects
// (both read into tables and scanned into lines).
Selection SelectMarkObjects(const HostLink& link, bool wholeDrawing);

// The button: export, check, tell. Throws as CheckExportedMarks.
KenzanResult RunKenzan(const HostLink& link, const KenzanRunSettings& settings);
