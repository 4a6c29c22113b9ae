// Named polygons from a file of the form {"name": [[x, y], ...], ...}: the outer rings of the
// earcut test set and our own parcels.
#pragma once

#include <string>
#include <vector>

#include "geometry/AcadTypes.h"

struct NamedPolygon {
  std::string name;
  std::vector<TAcadPoint> points;
};

// Throws std::runtime_error, naming the file and the offset, on anything else.
std::vector<NamedPolygon> ReadPolygonFile(const std::string& path);

// The height of a view that shows the whole polygon: what the host would report as VIEWSIZE
// with the parcel on screen.
double ViewSizeFor(const std::vector<TAcadPoint>& polygon);

// tests/data/<relative> of the source tree the tests were built from (also when gtest lists
// them at build time, where no environment of ctest applies).
std::string TestDataPath(const std::string& relative);
