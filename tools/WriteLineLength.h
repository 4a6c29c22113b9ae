// 長さ記入: the length of a line the user picks, or of the side of a polyline nearest to the
// pick, written as a length label at its midpoint.
#pragma once

#include <string>

#include "annotation/TriangleLabels.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostSelection.h"

struct LineLengthSettings {
  LengthLabelSettings label;  // angles and text style are read from the host by the run
  TextStyleChoice textStyle;
};

// Labels the segment picked: the selection's first line, or else its polyline side nearest to
// the pick. Anything else (an arc, a text) is left without a word. The host's angles are
// read (AUNITS 0 only for the read) so that the text lands along the segment.
void WriteLineLength(const HostLink& link, Selection picked, const LineLengthSettings& settings);

// The whole button: brings the host up, lets the user pick one object and labels it.
void PickAndWriteLineLength(const HostLink& link, const LineLengthSettings& settings);
