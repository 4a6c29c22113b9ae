#include "division/AgreeingTriangulation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "division/TriangulationCheck.h"
#include "geometry/Orientation.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"

namespace {

using Index = std::size_t;
// A row's last figure (its area, or base × height) in units of its last decimal place: the
// rows' total is then an integer, and a table is known by it.
using Sum = long long;
constexpr Sum kNone = std::numeric_limits<Sum>::max();
constexpr long double kSameAngle = 1e-6L;  // radians: smallest angles this close count as equal

// The sums in [lo, lo + bits), one bit each.
struct Sums {
  Sum lo = 0;
  Sum bits = 0;
  std::vector<std::uint64_t> words;

  Sums() = default;
  Sums(Sum low, Sum high) : lo(low), bits(high - low + 1), words((bits + 63) / 64) {}
  bool Has(Sum v) const {
    const Sum at = v - lo;
    return at >= 0 && at < bits && (words[at / 64] >> (at % 64) & 1);
  }
  bool Empty() const {
    return std::all_of(words.begin(), words.end(), [](std::uint64_t w) { return w == 0; });
  }
  long long Count() const {
    long long c = 0;
    for (std::uint64_t w : words) c += std::popcount(w);
    return c;
  }
  template <class F>
  void ForEach(F f) const {
    for (Index w = 0; w < words.size(); ++w)
      for (std::uint64_t v = words[w]; v; v &= v - 1)
        f(lo + static_cast<Sum>(w * 64 + std::countr_zero(v)));
  }
  // Every member of src moved up by shift, as far as it falls inside.
  void OrShifted(const Sums& src, Sum shift) {
    const Sum offset = src.lo + shift - lo;
    const Sum q = offset >= 0 ? offset / 64 : -((-offset + 63) / 64);
    const int r = static_cast<int>(offset - q * 64);
    const Sum count = static_cast<Sum>(words.size());
    for (Sum w = 0; w < static_cast<Sum>(src.words.size()); ++w) {
      const std::uint64_t v = src.words[w];
      const Sum d = w + q;
      if (d >= count) break;
      if (v == 0) continue;
      if (d >= 0) words[d] |= v << r;
      if (r != 0 && d + 1 >= 0 && d + 1 < count) words[d + 1] |= v >> (64 - r);
    }
  }
  void ClearTail() {
    if (bits % 64 != 0) words.back() &= (std::uint64_t{1} << (bits % 64)) - 1;
  }
};

bool OnSegment(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& p) {
  return Orientation(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
         std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Closed segments a–b and c–d share a point.
bool Touch(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c, const TAcadPoint& d) {
  const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
  const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
  if (o1 * o2 < 0 && o3 * o4 < 0) return true;
  return OnSegment(a, b, c) || OnSegment(a, b, d) || OnSegment(c, d, a) || OnSegment(c, d, b);
}

class Agreement {
 public:
  Agreement(std::span<const TAcadPoint> ring, const TableRounding& rounding, long double target)
      : ring_(ring),
        r_(rounding),
        n_(ring.size()),
        coordinateArea_(target),
        open_(n_ * n_),
        sides_(n_ * n_) {
    int digits = std::clamp(r_.areaDigits, 0, 6);
    for (unit_ = 1; digits-- > 0;) unit_ *= 10;
  }

  Sum Row(Index a, Index b, Index c) {
    const std::string last = TriangleRowCells(Side(a, b), Side(b, c), Side(c, a), r_).back();
    Sum units = 0;
    for (char ch : last)
      if (ch >= '0' && ch <= '9') units = units * 10 + (ch - '0');
    return units;
  }

  // How far a table of this total is from the coordinate area: its final area's distance, then
  // the distance of the area the total stands for.
  struct Key {
    long double final = 0, total = 0;
    bool operator<(const Key& o) const {
      return final != o.final ? final < o.final : total < o.total;
    }
    bool operator==(const Key&) const = default;
  };
  long double Final(Sum s) const {
    return StrToFloat(FinalAreaText(AreaOfTotal(Total(s), r_), r_));
  }
  Key KeyOf(Sum s) const {
    return {std::fabs(Final(s) - coordinateArea_),
            std::fabs(AreaOfTotal(Total(s), r_) - coordinateArea_)};
  }

  std::vector<TriangleCorners> Choose(const std::vector<TriangleCorners>& plain) {
    long double smallest = std::numeric_limits<long double>::max();
    Sum plainSum = 0;
    for (const TriangleCorners& t : plain) {
      smallest = std::min(smallest, SmallestAngle(ring_[t[0]], ring_[t[1]], ring_[t[2]]));
      plainSum += Row(t[0], t[1], t[2]);
    }
    threshold_ = smallest - kSameAngle;
    const Key plainKey = KeyOf(plainSum);
    FindDiagonals();
    CollectTriangles();
    if (inLow_[Id(0, n_ - 1)] == kNone) return plain;
    Outside();

    // Windows of growing width around the coordinate area: the first that holds a reachable
    // total holds the closest one, as every total at least as close lies in it.
    const long double step = FinalStep();
    for (long double width = step / 2;; width = 2 * width + step / 2) {
      const bool last = width >= plainKey.final;
      const long double reach = last ? plainKey.final : width;
      const Sums& found = Fill(reach);
      if (!found.Empty()) {
        Sum best = kNone;
        Key bestKey;
        found.ForEach([&](Sum s) {
          const Key k = KeyOf(s);
          if (best == kNone || k < bestKey) best = s, bestKey = k;
        });
        if (!(bestKey < plainKey)) return plain;
        std::vector<TriangleCorners> chosen;
        Rebuild(0, n_ - 1, best, chosen);
        return chosen;
      }
      if (last) return plain;
    }
  }

 private:
  struct Candidate {
    Index k;
    Sum row;
  };

  Index Id(Index i, Index j) const { return i * n_ + j; }
  long double Total(Sum s) const { return static_cast<long double>(s) / unit_; }
  long double FinalStep() const {
    long double step = 1;
    for (int d = std::clamp(r_.finalDigits, 0, 6); d-- > 0;) step /= 10;
    return step;
  }

  // The side as the number mark carries it: the text of the measured length.
  const std::string& Side(Index a, Index b) {
    std::string& text = sides_[Id(std::min(a, b), std::max(a, b))];
    if (text.empty()) text = FormatReal(Distance2D(ring_[a], ring_[b]));
    return text;
  }

  // The direction from vertex v towards p points strictly into the polygon.
  bool InCone(Index v, Index p) const {
    const TAcadPoint& u = ring_[(v + n_ - 1) % n_];
    const TAcadPoint& w = ring_[(v + 1) % n_];
    const int left = Orientation(u, ring_[v], ring_[p]), right = Orientation(ring_[v], w, ring_[p]);
    if (Orientation(u, ring_[v], w) >= 0) return left > 0 && right > 0;
    return left > 0 || right > 0;
  }

  void FindDiagonals() {
    for (Index i = 0; i < n_; ++i) open_[Id(i, (i + 1) % n_)] = open_[Id((i + 1) % n_, i)] = 1;
    for (Index i = 0; i < n_; ++i) {
      for (Index j = i + 2; j < n_; ++j) {
        if (i == 0 && j == n_ - 1) continue;
        if (!InCone(i, j) || !InCone(j, i)) continue;
        const TAcadPoint &a = ring_[i], &b = ring_[j];
        const long double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
        const long double minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
        bool clear = true;
        for (Index e = 0; e < n_ && clear; ++e) {
          const Index f = (e + 1) % n_;
          if (e == i || e == j || f == i || f == j) continue;
          const TAcadPoint &c = ring_[e], &d = ring_[f];
          if (std::max(c.x, d.x) < minX || std::min(c.x, d.x) > maxX || std::max(c.y, d.y) < minY ||
              std::min(c.y, d.y) > maxY)
            continue;
          clear = !Touch(a, b, c, d);
        }
        if (clear) open_[Id(i, j)] = open_[Id(j, i)] = 1;
      }
    }
  }

  // Every triangle i < k < j of a piece i..j whose sides are all open and whose smallest angle
  // reaches the threshold, with its row; and the least and greatest total of each piece.
  void CollectTriangles() {
    candidates_.assign(n_ * n_, {});
    inLow_.assign(n_ * n_, kNone);
    inHigh_.assign(n_ * n_, kNone);
    for (Index i = 0; i + 1 < n_; ++i) inLow_[Id(i, i + 1)] = inHigh_[Id(i, i + 1)] = 0;
    for (Index len = 2; len < n_; ++len) {
      for (Index i = 0; i + len < n_; ++i) {
        const Index j = i + len;
        if (!open_[Id(i, j)]) continue;
        Sum low = kNone, high = kNone;
        for (Index k = i + 1; k < j; ++k) {
          if (!open_[Id(i, k)] || !open_[Id(k, j)]) continue;
          if (inLow_[Id(i, k)] == kNone || inLow_[Id(k, j)] == kNone) continue;
          const TAcadPoint &a = ring_[i], &b = ring_[k], &c = ring_[j];
          if (SmallestAngle(a, b, c) < threshold_ || Orientation(a, b, c) <= 0) continue;
          const Sum row = Row(i, k, j);
          candidates_[Id(i, j)].push_back({k, row});
          const Sum lo = row + inLow_[Id(i, k)] + inLow_[Id(k, j)];
          const Sum hi = row + inHigh_[Id(i, k)] + inHigh_[Id(k, j)];
          if (low == kNone || lo < low) low = lo;
          if (high == kNone || hi > high) high = hi;
        }
        inLow_[Id(i, j)] = low, inHigh_[Id(i, j)] = high;
      }
    }
  }

  // The least and greatest total of the rest of the polygon around each piece, over the
  // triangulations that contain the piece.
  void Outside() {
    outLow_.assign(n_ * n_, kNone);
    outHigh_.assign(n_ * n_, kNone);
    outLow_[Id(0, n_ - 1)] = outHigh_[Id(0, n_ - 1)] = 0;
    auto widen = [&](Index i, Index j, Sum lo, Sum hi) {
      if (j - i < 2) return;
      Sum& l = outLow_[Id(i, j)];
      Sum& h = outHigh_[Id(i, j)];
      if (l == kNone || lo < l) l = lo;
      if (h == kNone || hi > h) h = hi;
    };
    for (Index len = n_ - 1; len >= 2; --len) {
      for (Index i = 0; i + len < n_; ++i) {
        const Index j = i + len;
        if (outLow_[Id(i, j)] == kNone || inLow_[Id(i, j)] == kNone) continue;
        for (const Candidate& c : candidates_[Id(i, j)]) {
          const Sum lo = outLow_[Id(i, j)] + c.row, hi = outHigh_[Id(i, j)] + c.row;
          widen(i, c.k, lo + inLow_[Id(c.k, j)], hi + inHigh_[Id(c.k, j)]);
          widen(c.k, j, lo + inLow_[Id(i, c.k)], hi + inHigh_[Id(i, c.k)]);
        }
      }
    }
  }

  // The totals S with |final(S) − coordinate area| <= reach, as an interval of S.
  bool Target(long double reach, Sum& from, Sum& to) const {
    constexpr long double kSlack = 1e-9L;  // finals differ by 1e-6 at least
    Sum lo = inLow_[Id(0, n_ - 1)], hi = inHigh_[Id(0, n_ - 1)];
    // Least S whose final reaches coordinateArea − reach; greatest whose final stays below
    // coordinateArea + reach: the final grows with the total.
    auto least = [&](long double bound) {
      Sum a = lo, b = hi + 1;
      while (a < b) {
        const Sum m = a + (b - a) / 2;
        if (Final(m) >= bound)
          b = m;
        else
          a = m + 1;
      }
      return a;
    };
    from = least(coordinateArea_ - reach - kSlack);
    to = least(coordinateArea_ + reach + kSlack) - 1;
    return from <= to;
  }

  // The reachable totals of every piece that can still end in the window, bottom up; returns
  // the whole polygon's.
  const Sums& Fill(long double reach) {
    sums_.assign(n_ * n_, Sums());
    static const Sums kNothing;
    Sum from = 0, to = 0;
    if (!Target(reach, from, to)) return kNothing;
    const bool exact = n_ <= kExactCorners;
    const Sum rootLow = inLow_[Id(0, n_ - 1)], rootHigh = inHigh_[Id(0, n_ - 1)];
    const long double lean = rootHigh == rootLow
                                 ? 0.5L
                                 : std::clamp((static_cast<long double>(from) + to) / 2 - rootLow,
                                              0.0L, static_cast<long double>(rootHigh - rootLow)) /
                                       (rootHigh - rootLow);
    Sums edge(0, 0);
    edge.words[0] = 1;
    auto piece = [&](Index i, Index j) -> const Sums* {
      if (j - i == 1) return &edge;
      const Sums& s = sums_[Id(i, j)];
      return s.words.empty() ? nullptr : &s;
    };
    for (Index len = 2; len < n_; ++len) {
      for (Index i = 0; i + len < n_; ++i) {
        const Index j = i + len;
        const Index id = Id(i, j);
        if (inLow_[id] == kNone || outLow_[id] == kNone) continue;
        Sum lo = std::max(inLow_[id], from - outHigh_[id]);
        Sum hi = std::min(inHigh_[id], to - outLow_[id]);
        if (lo > hi) continue;
        if (!exact && hi - lo + 1 > kWindowBits) {
          // The same share of the way from the piece's least to its greatest total as the
          // window's middle lies between the whole polygon's: a table that leans one way leans
          // so in its pieces.
          const long double at = static_cast<long double>(inLow_[id]) +
                                 lean * static_cast<long double>(inHigh_[id] - inLow_[id]);
          const Sum centre = std::clamp(static_cast<Sum>(std::llround(at)), lo, hi);
          const Sum start = std::max(lo, centre - kWindowBits / 2);
          hi = std::min(hi, start + kWindowBits - 1);
          lo = std::max(lo, std::min(start, hi - kWindowBits + 1));
        }
        Sums out(lo, hi);
        for (const Candidate& c : candidates_[id]) {
          const Sums* left = piece(i, c.k);
          const Sums* right = piece(c.k, j);
          if (!left || !right) continue;
          if (left->Count() > right->Count()) std::swap(left, right);
          left->ForEach([&](Sum a) { out.OrShifted(*right, a + c.row); });
        }
        out.ClearTail();
        if (!out.Empty()) sums_[id] = std::move(out);
      }
    }
    return sums_[Id(0, n_ - 1)];
  }

  // A triangulation of piece i..j whose rows add up to total.
  void Rebuild(Index i, Index j, Sum total, std::vector<TriangleCorners>& out) {
    if (j - i < 2) return;
    auto has = [&](Index a, Index b, Sum v) {
      return b - a == 1 ? v == 0 : sums_[Id(a, b)].Has(v);
    };
    for (const Candidate& c : candidates_[Id(i, j)]) {
      const Index k = c.k;
      if (k - i >= 2 && sums_[Id(i, k)].words.empty()) continue;
      if (j - k >= 2 && sums_[Id(k, j)].words.empty()) continue;
      bool done = false;
      auto tryLeft = [&](Sum a) {
        if (done || !has(k, j, total - c.row - a)) return;
        done = true;
        out.push_back({i, k, j});
        Rebuild(i, k, a, out);
        Rebuild(k, j, total - c.row - a, out);
      };
      if (k - i == 1)
        tryLeft(0);
      else
        sums_[Id(i, k)].ForEach(tryLeft);
      if (done) return;
    }
  }

  std::span<const TAcadPoint> ring_;
  TableRounding r_;
  Index n_;
  long long unit_ = 1;
  long double coordinateArea_ = 0;
  long double threshold_ = 0;
  std::vector<char> open_;
  std::vector<std::string> sides_;
  std::vector<std::vector<Candidate>> candidates_;
  std::vector<Sum> inLow_, inHigh_, outLow_, outHigh_;
  std::vector<Sums> sums_;
};

}  // namespace

std::vector<TriangleCorners> AgreeingTriangulation(std::span<const TAcadPoint> ring,
                                                   const std::vector<TriangleCorners>& plain,
                                                   const TableRounding& rounding,
                                                   long double target) {
  // A scale that is no length gives no table to agree with.
  if (ring.size() < 4 || ring.size() > kMostCorners || !(rounding.scale > 0)) return plain;
  return Agreement(ring, rounding, target).Choose(plain);
}

long double TableFinalArea(std::span<const TAcadPoint> ring,
                           const std::vector<TriangleCorners>& triangles,
                           const TableRounding& rounding) {
  Agreement a(ring, rounding, 0);
  long long total = 0;
  for (const TriangleCorners& t : triangles) total += a.Row(t[0], t[1], t[2]);
  return a.Final(total);
}
