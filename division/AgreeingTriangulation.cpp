#include "division/AgreeingTriangulation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "division/PolygonDiagonals.h"
#include "division/TriangulationCheck.h"
#include "division/WorkBudget.h"
#include "geometry/Orientation.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"
#include "numbers/X87Math.h"

namespace {

using Index = std::size_t;
// A row's last figure (its area, or base × height) in units of its last decimal place: the
// rows' total is then an integer, and a table is known by it.
using Sum = long long;
constexpr Sum kNone = std::numeric_limits<Sum>::max();
constexpr int kNoWay = std::numeric_limits<int>::max();  // a piece no triangulation fills
constexpr long double kSameAngle = 1e-6L;  // radians: smallest angles this close count as equal
// Steps of work (WorkBudget), each about 10 ns: a triangle weighed, a side's text, a row figured
// from its sides' texts (the rounding of each number through its decimal text is what costs).
constexpr long long kTriangleWork = 2, kSideWork = 200, kRowWork = 1300;
constexpr long long kWordsPerStep = 8;  // words of sums combined

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

class Agreement {
 public:
  Agreement(std::span<const TAcadPoint> ring, const TableRounding& rounding, long double target)
      : ring_(ring),
        r_(rounding),
        n_(ring.size()),
        coordinateArea_(target),
        sides_(n_ * n_),
        work_(kWorkBudget) {
    int digits = std::clamp(r_.areas.digits, 0, 6);
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
    for (const TriangleCorners& t : plain)
      smallest = std::min(smallest, SmallestAngle(ring_[t[0]], ring_[t[1]], ring_[t[2]]));
    const long double threshold = smallest - kSameAngle;
    tanThreshold_ = threshold > 0 ? static_cast<double>(X87Sin(threshold) / X87Cos(threshold)) : -1;
    const long double thin = kThinDegrees * kPi / 180;
    tanThin_ = static_cast<double>(X87Sin(thin) / X87Cos(thin));

    // Shape first: the fewest thin triangles among those of the largest smallest angle.
    open_ = OpenDiagonals(ring_, work_);
    if (open_.empty()) return plain;
    for (const TAcadPoint& p : ring_)
      x_.push_back(static_cast<double>(p.x)), y_.push_back(static_cast<double>(p.y));
    squared_.resize(n_ * n_);
    for (Index a = 0; a < n_; ++a)
      for (Index b = 0; b < n_; ++b) {
        const double dx = x_[b] - x_[a], dy = y_[b] - y_[a];
        squared_[Id(a, b)] = dx * dx + dy * dy;
      }
    if (!WeighTriangles() || thinLeast_[Id(0, n_ - 1)] == kNoWay) return plain;
    int plainThin = 0;
    for (const TriangleCorners& t : plain) plainThin += Thin(t[0], t[1], t[2]);
    std::vector<TriangleCorners> shaped = plain;
    if (plainThin != thinLeast_[Id(0, n_ - 1)]) {
      shaped.clear();
      AnyOfFewestThin(0, n_ - 1, shaped);
    }

    // Then the table: the closest to the coordinate area among those.
    if (!FigureRows()) return shaped;
    Sum shapedSum = 0;
    for (const TriangleCorners& t : shaped) shapedSum += Row(t[0], t[1], t[2]);
    if (!work_.Spend(kRowWork * static_cast<long long>(shaped.size()))) return shaped;
    const Key shapedKey = KeyOf(shapedSum);
    Outside();
    // Every sum first, as up to kExactCorners, with half of what is left; where that is not
    // enough, windows of sums with the rest.
    exact_ = true;
    stopAt_ = n_ <= kExactCorners ? 0 : work_.Left() / 2;
    if (const auto chosen = Closest(shaped, shapedKey)) return *chosen;
    if (n_ <= kExactCorners) return shaped;
    exact_ = false;
    stopAt_ = 0;
    ChooseWindow();
    return Closest(shaped, shapedKey).value_or(shaped);
  }

 private:
  // Windows of growing width around the coordinate area: the first that holds a reachable total
  // holds the closest one, as every total at least as close lies in it. Nothing once the budget
  // (down to stopAt_) is spent.
  std::optional<std::vector<TriangleCorners>> Closest(const std::vector<TriangleCorners>& shaped,
                                                      const Key& shapedKey) {
    const long double step = FinalStep();
    for (long double width = step / 2;; width = 2 * width + step / 2) {
      const bool last = width >= shapedKey.final;
      const long double reach = last ? shapedKey.final : width;
      const Sums* found = Fill(reach);
      if (!found) return std::nullopt;
      if (!found->Empty()) {
        Sum best = kNone;
        Key bestKey;
        found->ForEach([&](Sum s) {
          const Key k = KeyOf(s);
          if (best == kNone || k < bestKey) best = s, bestKey = k;
        });
        if (!(bestKey < shapedKey)) return shaped;
        std::vector<TriangleCorners> chosen;
        Rebuild(0, n_ - 1, best, chosen);
        return chosen;
      }
      if (last) return shaped;
    }
  }

  struct Candidate {
    Index k;
    Sum row;
  };

  Index Id(Index i, Index j) const { return i * n_ + j; }
  bool Open(Index i, Index j) const { return open_[Id(i, j)] != 0; }
  long double Total(Sum s) const { return static_cast<long double>(s) / unit_; }
  long double FinalStep() const {
    long double step = 1;
    for (int d = std::clamp(r_.finalArea.digits, 0, 6); d-- > 0;) step /= 10;
    return step;
  }

  // The side as the number mark carries it: the text of the measured length.
  const std::string& Side(Index a, Index b) {
    std::string& text = sides_[Id(std::min(a, b), std::max(a, b))];
    if (text.empty()) {
      work_.Spend(kSideWork);
      text = FormatReal(Distance2D(ring_[a], ring_[b]));
    }
    return text;
  }

  // How a triangle weighs in the rule: below the smallest angle (or not counter-clockwise),
  // thin, or stout. Its smallest angle θ faces its shortest side a, and tan θ = 2·cross /
  // (b² + c² − a²): compared by products, without a trigonometric call or a division, as the
  // search weighs up to n³/6 triangles. In doubles: the threshold sits 1e-6 rad below the
  // angle it must let through, far above their rounding.
  enum Weight { kBelow, kThin, kStout };
  Weight Weigh(Index a, Index b, Index c) const {
    const double ab = squared_[Id(a, b)], bc = squared_[Id(b, c)], ca = squared_[Id(c, a)];
    const double ax = x_[a], ay = y_[a];
    double cross = (x_[b] - ax) * (y_[c] - ay) - (y_[b] - ay) * (x_[c] - ax);
    // Nearly flat: the sign from the exact test.
    if (std::fabs(cross) <= 1e-12 * (ab + bc + ca)) {
      if (Orientation(ring_[a], ring_[b], ring_[c]) <= 0) return kBelow;
      cross = std::max(cross, 0.0);
    } else if (cross < 0) {
      return kBelow;
    }
    const double twice = 2 * cross, across = ab + bc + ca - 2 * std::min({ab, bc, ca});
    if (twice < tanThreshold_ * across) return kBelow;
    return twice < tanThin_ * across ? kThin : kStout;
  }
  bool Thin(Index a, Index b, Index c) const { return Weigh(a, b, c) == kThin; }

  // For every piece i..j (the corners i to j closed by j–i), the fewest thin triangles of its
  // triangulations whose triangles all reach the smallest angle, and the triangles over j–i that
  // begin one of those. False once the budget is spent.
  bool WeighTriangles() {
    candidates_.assign(n_ * n_, {});
    thinLeast_.assign(n_ * n_, kNoWay);
    for (Index i = 0; i + 1 < n_; ++i) thinLeast_[Id(i, i + 1)] = 0;
    for (Index len = 2; len < n_; ++len) {
      for (Index i = 0; i + len < n_; ++i) {
        const Index j = i + len;
        if (!Open(i, j)) continue;
        if (!work_.Spend(kTriangleWork * static_cast<long long>(len))) return false;
        int least = kNoWay;
        std::vector<Candidate>& kept = candidates_[Id(i, j)];
        for (Index k = i + 1; k < j; ++k) {
          if (!Open(i, k) || !Open(k, j)) continue;
          const int left = thinLeast_[Id(i, k)], right = thinLeast_[Id(k, j)];
          if (left == kNoWay || right == kNoWay) continue;
          const Weight weight = Weigh(i, k, j);
          if (weight == kBelow) continue;
          const int thin = left + right + (weight == kThin);
          if (thin < least) least = thin, kept.clear();
          if (thin == least) kept.push_back({k, 0});
        }
        thinLeast_[Id(i, j)] = least;
      }
    }
    return true;
  }

  // A triangulation of piece i..j with its fewest thin triangles.
  void AnyOfFewestThin(Index i, Index j, std::vector<TriangleCorners>& out) const {
    if (j - i < 2) return;
    const Index k = candidates_[Id(i, j)].front().k;
    out.push_back({i, k, j});
    AnyOfFewestThin(i, k, out);
    AnyOfFewestThin(k, j, out);
  }

  // The rows of every triangle a triangulation of the fewest thin ones may hold, and the least
  // and greatest total of each piece. False once the budget is spent.
  bool FigureRows() {
    std::vector<char> used(n_ * n_);
    used[Id(0, n_ - 1)] = 1;
    for (Index len = n_ - 1; len >= 2; --len)
      for (Index i = 0; i + len < n_; ++i)
        if (used[Id(i, i + len)])
          for (const Candidate& c : candidates_[Id(i, i + len)])
            used[Id(i, c.k)] = used[Id(c.k, i + len)] = 1;
    inLow_.assign(n_ * n_, kNone);
    inHigh_.assign(n_ * n_, kNone);
    for (Index i = 0; i + 1 < n_; ++i) inLow_[Id(i, i + 1)] = inHigh_[Id(i, i + 1)] = 0;
    for (Index len = 2; len < n_; ++len) {
      for (Index i = 0; i + len < n_; ++i) {
        const Index j = i + len;
        if (!used[Id(i, j)]) continue;
        std::vector<Candidate>& kept = candidates_[Id(i, j)];
        if (!work_.Spend(kRowWork * static_cast<long long>(kept.size()))) return false;
        Sum low = kNone, high = kNone;
        for (Candidate& c : kept) {
          c.row = Row(i, c.k, j);
          if (work_.Spent()) return false;
          low = std::min(low, c.row + inLow_[Id(i, c.k)] + inLow_[Id(c.k, j)]);
          const Sum hi = c.row + inHigh_[Id(i, c.k)] + inHigh_[Id(c.k, j)];
          high = high == kNone ? hi : std::max(high, hi);
        }
        inLow_[Id(i, j)] = low, inHigh_[Id(i, j)] = high;
      }
    }
    return true;
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

  // The widest window of sums per piece whose combining, as many words
  // for each sum of the smaller side as the window has, fits twice over into what is left of
  // the budget for every candidate triangle (the search may try a few widths of target).
  void ChooseWindow() {
    if (n_ <= kExactCorners) return;
    long long triangles = 0;
    for (Index id = 0; id < n_ * n_; ++id)
      if (outLow_[id] != kNone) triangles += static_cast<long long>(candidates_[id].size());
    window_ = kWindowBits;
    while (window_ > 64 &&
           triangles * window_ * (window_ / 64 + 1) / kWordsPerStep > work_.Left() / 4)
      window_ /= 2;
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
  // the whole polygon's, or nullptr once the budget is spent.
  const Sums* Fill(long double reach) {
    sums_.assign(n_ * n_, Sums());
    static const Sums kNothing;
    Sum from = 0, to = 0;
    if (!Target(reach, from, to)) return &kNothing;
    const bool exact = exact_;
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
        if (!exact && hi - lo + 1 > window_) {
          // The same share of the way from the piece's least to its greatest total as the
          // window's middle lies between the whole polygon's: a table that leans one way leans
          // so in its pieces.
          const long double at = static_cast<long double>(inLow_[id]) +
                                 lean * static_cast<long double>(inHigh_[id] - inLow_[id]);
          const Sum centre = std::clamp(static_cast<Sum>(std::llround(at)), lo, hi);
          const Sum start = std::max(lo, centre - window_ / 2);
          hi = std::min(hi, start + window_ - 1);
          lo = std::max(lo, std::min(start, hi - window_ + 1));
        }
        Sums out(lo, hi);
        for (const Candidate& c : candidates_[id]) {
          const Sums* left = piece(i, c.k);
          const Sums* right = piece(c.k, j);
          if (!left || !right) continue;
          if (left->Count() > right->Count()) std::swap(left, right);
          const long long words = static_cast<long long>(right->words.size());
          const long long combined = 2 * static_cast<long long>(left->words.size()) +
                                     static_cast<long long>(right->words.size()) +
                                     left->Count() * words;
          if (!work_.Spend(combined / kWordsPerStep + 1) || work_.Left() < stopAt_) return nullptr;
          left->ForEach([&](Sum a) { out.OrShifted(*right, a + c.row); });
        }
        out.ClearTail();
        if (!out.Empty()) sums_[id] = std::move(out);
      }
    }
    return &sums_[Id(0, n_ - 1)];
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
  double tanThreshold_ = 0, tanThin_ = 0;
  bool exact_ = true;     // every sum of a piece, or a window of them
  long long stopAt_ = 0;  // the work left at which a search gives up
  long long window_ = kWindowBits;
  std::vector<std::string> sides_;
  WorkBudget work_;
  std::vector<char> open_;
  std::vector<double> x_, y_, squared_;  // the corners, the squared distance of every two
  std::vector<std::vector<Candidate>> candidates_;
  std::vector<int> thinLeast_;
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
