#include "table/MarkCheck.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "dxf/SegmentEntries.h"
#include "geometry/PlaneGeometry.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

namespace {

// How far apart two points of the drawing may be and still be one: far below any survey's
// precision, far above the digits that an export and a mark's data lose.
constexpr long double kRelativeTolerance = 1e-9L;

// A length in drawing units as the table shows its sides.
std::string Shown(long double length, const TableRounding& r) {
  return ShownLength(r.lengths.digits, r.lengths.rounding, length, r.scale);
}

long double DistanceToSegment(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b) {
  const long double dx = b.x - a.x, dy = b.y - a.y;
  const long double squared = dx * dx + dy * dy;
  long double t = squared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / squared : 0;
  t = std::clamp(t, 0.0L, 1.0L);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The drawing's lines, asked what stands where.
class Lines {
 public:
  Lines(const std::vector<DrawnEdge>& edges, long double tolerance)
      : edges_(edges), tolerance_(tolerance) {}

  bool Same(const TAcadPoint& a, const TAcadPoint& b) const {
    return Distance2D(a, b) <= tolerance_;
  }

  // A line passes through p (a corner in the middle of a longer line stands as well).
  bool Stands(const TAcadPoint& p) const {
    return std::any_of(edges_.begin(), edges_.end(), [&](const DrawnEdge& e) {
      return e.bulge == 0 ? DistanceToSegment(p, e.st, e.ed) <= tolerance_
                          : Same(p, e.st) || Same(p, e.ed);
    });
  }

  // A straight line covers p–q, or an arc has them as its ends: a triangle's side over a
  // curved side of the parcel is the arc's chord.
  bool Joined(const TAcadPoint& p, const TAcadPoint& q) const {
    return std::any_of(edges_.begin(), edges_.end(), [&](const DrawnEdge& e) {
      if (e.bulge != 0) return (Same(p, e.st) && Same(q, e.ed)) || (Same(p, e.ed) && Same(q, e.st));
      return DistanceToSegment(p, e.st, e.ed) <= tolerance_ &&
             DistanceToSegment(q, e.st, e.ed) <= tolerance_;
    });
  }

  // The other ends of the lines that end at p.
  std::vector<TAcadPoint> Neighbours(const TAcadPoint& p) const {
    std::vector<TAcadPoint> ends;
    for (const DrawnEdge& e : edges_) {
      if (Same(p, e.st)) ends.push_back(e.ed);
      if (Same(p, e.ed)) ends.push_back(e.st);
    }
    return ends;
  }

  // The bulge from st to ed of the arc between them, if there is one.
  std::optional<long double> ArcBulge(const TAcadPoint& st, const TAcadPoint& ed) const {
    for (const DrawnEdge& e : edges_) {
      if (e.bulge == 0) continue;
      if (Same(st, e.st) && Same(ed, e.ed)) return e.bulge;
      if (Same(st, e.ed) && Same(ed, e.st)) return -e.bulge;
    }
    return std::nullopt;
  }

 private:
  const std::vector<DrawnEdge>& edges_;
  long double tolerance_;
};

long double Tolerance(const CheckedDrawing& d) {
  long double largest = 0;
  auto widen = [&](const TAcadPoint& p) {
    largest = std::max({largest, std::fabs(p.x), std::fabs(p.y)});
  };
  for (const DrawnEdge& e : d.edges) {
    widen(e.st);
    widen(e.ed);
  }
  for (const CheckedMark& m : d.marks)
    for (const TAcadPoint& p : m.corners.points) widen(p);
  return kRelativeTolerance * (1 + largest);
}

bool IsCorner(const TAcadPoint& p, const std::vector<TAcadPoint>& corners, const Lines& lines) {
  return std::any_of(corners.begin(), corners.end(),
                     [&](const TAcadPoint& c) { return lines.Same(p, c); });
}

// Where a corner that no line passes through any more has gone: the end, of the lines from the
// triangle's other corners, that the most of them reach (both, for a corner moved with its
// lines), nearest to where it was.
std::optional<TAcadPoint> MovedCorner(const TAcadPoint& was, const std::vector<TAcadPoint>& corners,
                                      const Lines& lines) {
  std::optional<TAcadPoint> best;
  int bestReach = 0;
  long double bestDistance = 0;
  for (const TAcadPoint& other : corners) {
    if (lines.Same(other, was) || !lines.Stands(other)) continue;
    for (const TAcadPoint& end : lines.Neighbours(other)) {
      if (IsCorner(end, corners, lines)) continue;
      int reach = 0;
      for (const TAcadPoint& c : corners)
        if (!lines.Same(c, was) && lines.Joined(c, end)) ++reach;
      const long double distance = Distance2D(end, was);
      if (!best || reach > bestReach || (reach == bestReach && distance < bestDistance)) {
        best = end;
        bestReach = reach;
        bestDistance = distance;
      }
    }
  }
  return best;
}

// The line now in the place of a side p–q whose corners both still stand: the line from p or q
// whose other end is nearest to the side's other corner, when it ends within half the side's
// length of it (a side redrawn to another point); none when the side is simply erased.
std::optional<long double> RedrawnLength(const TAcadPoint& p, const TAcadPoint& q,
                                         const std::vector<TAcadPoint>& corners,
                                         const Lines& lines) {
  std::optional<long double> length;
  long double nearest = Distance2D(p, q) / 2;
  for (const auto& [from, to] : {std::pair{p, q}, std::pair{q, p}}) {
    for (const TAcadPoint& end : lines.Neighbours(from)) {
      if (IsCorner(end, corners, lines)) continue;
      const long double off = Distance2D(end, to);
      if (off < nearest) {
        nearest = off;
        length = Distance2D(from, end);
      }
    }
  }
  return length;
}

// The number text beside a side's midpoint (within its own height), if any.
const DrawnText* LabelAt(const TAcadPoint& middle, const std::vector<DrawnText>& texts) {
  const DrawnText* label = nullptr;
  long double nearest = 0;
  for (const DrawnText& t : texts) {
    long double value = 0;
    if (!TryParseFloat(TrimHostText(t.text), value)) continue;
    const long double off = Distance2D(t.at, middle);
    if (off > t.height) continue;
    if (!label || off < nearest) {
      label = &t;
      nearest = off;
    }
  }
  return label;
}

// A label reads a length when it differs from it by less than one unit of its last digit: so
// whichever rounding wrote it.
bool ReadsLength(const std::string& label, long double length) {
  const std::string text = TrimHostText(label);
  long double value = 0;
  if (!TryParseFloat(text, value)) return true;
  const std::size_t dot = text.find('.');
  const int digits = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
  return std::fabs(value - length) < std::pow(10.0L, -digits) * (1 + 1e-9L);
}

constexpr const char* kSideNames[3] = {"1-2", "2-3", "3-1"};

void CheckTriangle(const CheckedMark& m, const CheckedDrawing& d, const Lines& lines,
                   const TableRounding& r, std::vector<MarkFinding>& out) {
  const std::vector<TAcadPoint>& c = m.corners.points;
  for (int i = 0; i < 3; ++i) {
    const TAcadPoint& p = c[i];
    const TAcadPoint& q = c[(i + 1) % 3];
    MarkFinding f;
    f.mark = MarkLabel(m);
    f.side = kSideNames[i];
    f.stored = Shown(m.sides[i], r);
    if (lines.Joined(p, q)) {
      const DrawnText* label = LabelAt(MidPoint(p, q), d.texts);
      if (label && !ReadsLength(label->text, Distance2D(p, q) / r.scale)) {
        f.kind = FindingKind::kLabelDiffers;
        f.stored = TrimHostText(label->text);
        f.present = Shown(Distance2D(p, q), r);
        out.push_back(f);
      }
      continue;
    }
    std::optional<long double> present;
    const bool pStands = lines.Stands(p), qStands = lines.Stands(q);
    if (pStands && qStands) {
      present = RedrawnLength(p, q, c, lines);
    } else {
      const std::optional<TAcadPoint> p2 = pStands ? p : MovedCorner(p, c, lines);
      const std::optional<TAcadPoint> q2 = qStands ? q : MovedCorner(q, c, lines);
      if (p2 && q2) present = Distance2D(*p2, *q2);
    }
    f.kind = present ? FindingKind::kSideChanged : FindingKind::kSideGone;
    if (present) f.present = Shown(*present, r);
    out.push_back(f);
  }
}

void CheckArc(const CheckedMark& m, const Lines& lines, const TableRounding& r,
              std::vector<MarkFinding>& out) {
  const TAcadPoint& st = m.corners.points[0];
  const TAcadPoint& ed = m.corners.points[1];
  const std::optional<long double> bulge = lines.ArcBulge(st, ed);
  const long double stored = m.corners.bulge;
  if (bulge && std::fabs(*bulge - stored) <= 1e-7L * (1 + std::fabs(stored))) return;
  MarkFinding f;
  f.mark = MarkLabel(m);
  f.stored = Shown(m.radius, r);
  if (bulge) {
    f.kind = FindingKind::kArcChanged;
    const long double b = std::fabs(*bulge);
    f.present = Shown(Distance2D(st, ed) * (1 + b * b) / (4 * b), r);
  } else {
    f.kind = FindingKind::kArcGone;
  }
  out.push_back(f);
}

// Doubled numbers, then those missing between 1 and the highest, of one kind of mark.
void CheckNumbers(const std::vector<CheckedMark>& marks, bool segment,
                  std::vector<MarkFinding>& out) {
  std::map<int, std::pair<std::string, int>> seen;  // number: first name, count
  for (const CheckedMark& m : marks) {
    if (m.segment != segment || m.number < 1) continue;
    auto [it, added] = seen.try_emplace(m.number, MarkLabel(m), 0);
    ++it->second.second;
  }
  for (const auto& [number, named] : seen) {
    if (named.second < 2) continue;
    MarkFinding f;
    f.kind = FindingKind::kDoubled;
    f.mark = named.first;
    f.count = named.second;
    out.push_back(f);
  }
  if (seen.empty()) return;
  for (int n = 1; n < seen.rbegin()->first; ++n) {
    if (seen.count(n) != 0) continue;
    MarkFinding f;
    f.kind = FindingKind::kMissingNumber;
    CheckedMark missing;
    missing.segment = segment;
    missing.name = segment ? SegmentName(n) : std::to_string(n);
    f.mark = MarkLabel(missing);
    out.push_back(f);
  }
}

}  // namespace

std::string MarkLabel(const CheckedMark& mark) {
  return mark.segment ? mark.name : "番号" + mark.name;
}

std::vector<MarkFinding> CheckMarks(const CheckedDrawing& drawing, const TableRounding& rounding) {
  std::vector<MarkFinding> findings;
  CheckNumbers(drawing.marks, false, findings);
  CheckNumbers(drawing.marks, true, findings);
  const Lines lines(drawing.edges, Tolerance(drawing));
  std::string withoutCorners;
  for (const CheckedMark& m : drawing.marks) {
    switch (m.corners.kind) {
      case MarkCorners::Kind::kTriangle:
        if (!m.segment) CheckTriangle(m, drawing, lines, rounding, findings);
        break;
      case MarkCorners::Kind::kArc:
        if (m.segment) CheckArc(m, lines, rounding, findings);
        break;
      case MarkCorners::Kind::kNone:
        withoutCorners += (withoutCorners.empty() ? "" : ", ") + MarkLabel(m);
        break;
    }
  }
  if (!withoutCorners.empty()) {
    MarkFinding f;
    f.kind = FindingKind::kWithoutCorners;
    f.mark = withoutCorners;
    findings.push_back(f);
  }
  return findings;
}

std::vector<std::string> FindingMarks(const std::vector<MarkFinding>& findings) {
  std::vector<std::string> marks;
  for (const MarkFinding& f : findings) {
    if (f.kind == FindingKind::kMissingNumber || f.kind == FindingKind::kWithoutCorners) continue;
    if (std::find(marks.begin(), marks.end(), f.mark) == marks.end()) marks.push_back(f.mark);
  }
  return marks;
}
