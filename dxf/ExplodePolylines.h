// Polyline segments as LINE and ARC records, so that workflows can pick and measure them like
// lines.
#pragma once

struct TDxfTables;

// Appends one LINE or ARC record per segment of every polyline of the drawing's entities to
// their LINE and ARC tables (marked lwpflag). Each polyline's vertices must follow one
// another in the vertex table, in polyline order, as the reader stores them.
void ExplodePolylines(TDxfTables& tables);
