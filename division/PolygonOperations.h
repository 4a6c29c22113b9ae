// Operations on a polygon given as its vertices in order; the edges run from vertex i to i + 1
// and from the last vertex back to vertex 0. The tolerances are those of the region division:
// 0.001 drawing units for a vertex and for nearness to an end point.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "geometry/AcadTypes.h"

constexpr double kVertexTolerance = 0.001;

// The vertex at index modulo the count, mathematical modulo: −1 is the last vertex.
const TAcadPoint& CyclicVertex(std::span<const TAcadPoint> polygon, std::ptrdiff_t index);

// Some entry lies within the vertex tolerance of point, in x and in y.
bool IsVertexOf(const TAcadPoint& point, std::span<const TAcadPoint> list);

// Index of the first vertex within the vertex tolerance of point, or −1.
std::ptrdiff_t FindVertex(const TAcadPoint& point, std::span<const TAcadPoint> polygon);

// Removes the first vertex within the vertex tolerance of point; returns the new count (the
// count unchanged when no vertex matches).
std::size_t RemoveVertex(const TAcadPoint& point, std::vector<TAcadPoint>& polygon);

// The ray from point straight up over rayLength. An edge counts when exactly one of its ends
// lies strictly left of the ray and it passes strictly above point within the ray; point is
// inside when the count is odd. A ray through a vertex thus counts the two edges there once
// if the boundary passes through and twice or not at all if it only touches. A point on the
// boundary (exactly, as the orientation test decides) is not inside.
bool PointInPolygon(const TAcadPoint& point, std::span<const TAcadPoint> polygon, double rayLength);

// Some edge, taken in order, crosses the segment a→b at a point more than the vertex
// tolerance away from both a and b. Touching at the segment's own ends does not count.
bool SegmentCrossesPolygon(const TAcadPoint& a, const TAcadPoint& b,
                           std::span<const TAcadPoint> polygon);

// The diagonal a–c may be cut: its midpoint lies inside the working and the traced polygon
// (ray 10 × view size) and it crosses neither of them.
bool DiagonalValid(const TAcadPoint& a, const TAcadPoint& c, std::span<const TAcadPoint> traced,
                   std::span<const TAcadPoint> working, double viewSize);

// Some listed segment joins a and b, in either direction, each end within tolerance.
bool SegmentListed(const TAcadPoint& a, const TAcadPoint& b, std::span<const TAcadLine> segments,
                   double tolerance);
