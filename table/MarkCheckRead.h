// The records of 検算 read from the entity lines of an export: the marks (of a selection or the
// whole drawing), and the lines and texts of the whole drawing that they are held against.
#pragma once

#include <vector>

#include "dxf/EntityLines.h"
#include "table/MarkCheck.h"

// Number marks (TEXT whose first application data is kAppName, but no coordinate table's area)
// and segment marks (kSegmentAppName), in the order of the lines, with the corners they carry.
// Throws EConvertError for a mark's own data that is no number, as the table would.
std::vector<CheckedMark> ReadCheckedMarks(const EntityLineList& lines);

// LINEs, the sides of LWPOLYLINEs (the closing one too when flag 1 is set) and ARCs as edges;
// TEXTs without application data as texts. What is no number or has no point is passed by.
void ReadDrawnLines(const EntityLineList& lines, CheckedDrawing& into);
