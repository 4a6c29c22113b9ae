// Segment marks read back from entity lines: the name "弓1", "弓2", … and the arc's chord,
// radius, sign and central angle that the mark carries under kSegmentAppName.
#pragma once

#include <string>
#include <vector>

#include "dxf/EntityLines.h"

// "弓" and the number.
std::string SegmentName(int number);

// The number after "弓" in a segment mark's name; 0 when the text is no such name.
int SegmentNumber(const std::string& name);

// A segment mark read back from entity lines.
struct SegmentMarkData {
  std::string name;
  int number = 0;  // the number after "弓"; 0 when the text is no such name
  long double chord = 0;
  long double radius = 0;
  int sign = 1;
  long double angle = 0;  // central angle as measured, radians
};

// Every TEXT line whose first application data names kSegmentAppName, ascending by number (in
// the order of the lines among equal numbers). Throws EConvertError for data that is no number.
std::vector<SegmentMarkData> CollectSegmentMarks(const EntityLineList& lines);

// The number after the highest segment mark's: 1 when there is none.
int NextSegmentNumber(const std::vector<SegmentMarkData>& marks);
