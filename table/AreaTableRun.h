// 作成 of the area table: the marks exported (the whole drawing or the user's selection) and
// checked as 検算 checks them (when some are stale or doubled the user is asked, naming them,
// whether to draw anyway; otherwise nothing is said), the table's corner picked, the table written
// and inserted there and written to Menseki.csv beside the executable.
#pragma once

#include <string>

#include "annotation/TextStyle.h"
#include "hostlink/HostLink.h"
#include "table/AreaTable.h"

inline constexpr const char* kAreaCsvFile = "Menseki.csv";

struct AreaTableRun {
  bool wholeDrawing = true;   // every mark of the drawing; otherwise those the user selects
  TextStyleChoice textStyle;  // texts in the host's current style, none otherwise
  // Converted before the run; style, corner and angles are the run's.
  AreaTableSettings table;
};

enum class AreaTableOutcome {
  kNoHost,           // nothing sent
  kNothingSelected,  // the export held no objects
  kNotConfirmed,     // stale or doubled marks found, and the user chose not to draw
  kNoCorner,         // no point picked
  kNoMarks,          // no number mark among the exported objects
  kInserted
};

struct AreaTableResult {
  AreaTableOutcome outcome = AreaTableOutcome::kNoHost;
  int rows = 0;             // entries listed
  bool csvWritten = false;  // otherwise the user has been told
};

// Throws EConvertError when the host shows an angle that is no number (AUNITS sent back
// first) or a mark's data is no number, EUntypeablePath or EFCreateError when the table cannot
// be saved or typed, EExportFailed when the export did not come back whole: nothing is
// inserted then.
AreaTableResult MakeAreaTable(const HostLink& link, AreaTableRun run);

// The table's text style (chosen as textStyle says) and the host's angles, in degrees, into s:
// what both tables read from the host before they are written.
void ReadTableHostSettings(const HostLink& link, const TextStyleChoice& textStyle,
                           AreaTableSettings& s);
