// Plane curve pieces the host reasons with: straight segments and circular arcs. Selection,
// boundary tracing and the display all work on an entity's pieces.
#pragma once

#include <vector>

#include "hostsim/Drawing.h"

namespace hostsim {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
  double x = 0;
  double y = 0;
};

// A segment from a to b, or an arc around c of radius r running counter-clockwise from angle
// a0 through the sweep (radians, > 0). A full circle has a sweep of 2π.
struct Piece {
  bool arc = false;
  Vec a, b;          // segment ends; for an arc its start and end points
  Vec c;             // arc centre
  double r = 0;      // arc radius
  double a0 = 0;     // arc start angle
  double sweep = 0;  // arc sweep
};

struct Box {
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  bool Empty() const { return x0 > x1; }
  void Add(Vec p);
  void Add(const Box& b);
  bool Contains(Vec p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
  bool Inside(const Box& outer) const;
};

Piece MakeSegment(Vec a, Vec b);
Piece MakeArc(Vec c, double r, double a0, double sweep);
// The segment of a polyline from p to q with the given bulge (0: straight).
Piece MakeBulged(Vec p, Vec q, double bulge);

Vec PointAt(const Piece& p, double t);  // t in [0, 1] along the piece
Box Extent(const Piece& p);
double Distance(const Piece& p, Vec q);
// Points where two pieces meet (up to two; overlapping collinear parts give their ends).
std::vector<Vec> Intersections(const Piece& p, const Piece& q, double eps);
// Whether the angle lies on the arc's sweep (with a tolerance in radians).
bool OnSweep(const Piece& arc, double angle, double eps = 1e-12);
// Parameter in [0, 1] of a point known to lie on the piece.
double ParamOf(const Piece& p, Vec q);
// The part of a piece between two parameters.
Piece SubPiece(const Piece& p, double t0, double t1);
// Signed area contribution of the piece to a closed outline (shoelace + arc segment).
double AreaTerm(const Piece& p);
bool SegmentCrossesBox(Vec a, Vec b, const Box& box);
bool PieceCrossesBox(const Piece& p, const Box& box);

double Angle(Vec from, Vec to);
double NormalizeAngle(double a);  // into [0, 2π)
inline Vec ToVec(const Point& p) { return {p.x, p.y}; }

// Placement of a block's contents: scale, rotate (radians), move.
struct Placement {
  Vec base;  // block base point
  Vec at;    // insertion point
  double sx = 1, sy = 1;
  double rotation = 0;
  Vec Apply(Vec p) const;
  bool Uniform() const;
};

}  // namespace hostsim
