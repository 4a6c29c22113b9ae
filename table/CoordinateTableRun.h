// 座標求積: the user picks inside a parcel, the host traces it as for 自動, the user picks the
// table's top-left corner, and the coordinate table is inserted there and written to Zahyo.csv
// beside the executable.
#pragma once

#include <string>

#include "annotation/TextStyle.h"
#include "hostlink/HostLink.h"
#include "table/AreaTable.h"

inline constexpr const char* kCoordinateCsvFile = "Zahyo.csv";

struct CoordinateTableRun {
  TextStyleChoice textStyle;  // texts in the host's current style, none otherwise
  // The area table's style and digits, converted before the run; corner, style and angles
  // are the run's.
  AreaTableSettings table;
  bool segments = false;  // arc sides counted as circular segments
};

enum class CoordinateTableOutcome {
  kNoHost,      // nothing sent
  kNoPoint,     // no point picked inside
  kNoBoundary,  // no single boundary polyline traced (or a region): told to the user
  kNoPolygon,   // the traced outline did not come back through the export file
  kNoCorner,    // no corner picked for the table
  kInserted
};

struct CoordinateTableResult {
  CoordinateTableOutcome outcome = CoordinateTableOutcome::kNoHost;
  bool csvWritten = false;  // otherwise the user has been told
};

// Throws EFCreateError or EUntypeablePath when the table cannot be saved or typed: nothing is
// inserted then.
CoordinateTableResult MakeCoordinateTable(const HostLink& link, CoordinateTableRun run);
