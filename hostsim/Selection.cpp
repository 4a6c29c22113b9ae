// The host's object selection ("オブジェクトを選択: "): picks, windows, crossings, fences, ALL,
// LAST, PREVIOUS, SINGLE, ADD and REMOVE, with the counts the host reports.
#include <algorithm>
#include <array>
#include <memory>

#include "hostsim/HostCore.h"
#include "hostsim/Keywords.h"
#include "hostsim/Outline.h"
#include "hostsim/Units.h"

namespace hostsim {

struct SelectionRun {
  std::vector<Handle> set;
  bool single = false;
  bool remove = false;
  int reports = 0;
  HostCore::SelectionFn done;
};

namespace {

// Whether the typed word is the keyword or an abbreviation of it at least `min` letters long.
bool Keyword(const std::string& typed, const char* full, std::size_t min) {
  std::string t = UpperAscii(typed);
  if (!t.empty() && t[0] == '_') t.erase(0, 1);
  std::string f = full;
  return t.size() >= min && t.size() <= f.size() && f.compare(0, t.size(), t) == 0;
}

Box Normalized(Vec a, Vec b) {
  Box box;
  box.Add(a);
  box.Add(b);
  return box;
}

}  // namespace

std::vector<Handle> FindOnFence(const Drawing& d, const HostCore& host,
                                const std::vector<Point>& fence);

namespace {

// The next fence point, until Enter ends the fence.
void AskFence(HostCore& host, std::shared_ptr<std::vector<Point>> fence,
              std::function<void(std::vector<Handle>)> found) {
  host.AskPoint(
      "次のフェンス点を指定 または [元に戻す(U)]: ",
      [&host, fence, found](Point p) {
        fence->push_back(p);
        AskFence(host, fence, found);
      },
      [&host, fence, found](const std::string& t) {
        if (t.empty()) {
          found(FindOnFence(host.drawing(), host, *fence));
          return true;
        }
        if (Keyword(t, "UNDO", 1)) {
          if (fence->size() > 1) fence->pop_back();
          AskFence(host, fence, found);
          return true;
        }
        return false;
      },
      true);
}

}  // namespace

std::vector<Handle> FindInWindow(const Drawing& d, const HostCore& host, Vec a, Vec b,
                                 bool crossing) {
  Box box = Normalized(a, b);
  std::vector<Handle> out;
  // A window without area has no inside: it encloses nothing, not even what lies on it.
  if (!crossing && (box.x0 == box.x1 || box.y0 == box.y1)) return out;
  for (const Entity& e : d.entities) {
    if (!host.Selectable(e)) continue;
    auto pieces = Outline(e, d);
    if (pieces.empty()) continue;
    Box ext;
    for (const Piece& p : pieces) ext.Add(Extent(p));
    bool hit = ext.Inside(box);
    if (!hit && crossing) {
      hit = std::any_of(pieces.begin(), pieces.end(),
                        [&](const Piece& p) { return PieceCrossesBox(p, box); });
    }
    if (hit) out.push_back(e.handle);
  }
  return out;
}

std::vector<Handle> FindOnFence(const Drawing& d, const HostCore& host,
                                const std::vector<Point>& fence) {
  std::vector<Handle> out;
  for (const Entity& e : d.entities) {
    if (!host.Selectable(e)) continue;
    auto pieces = Outline(e, d);
    bool hit = false;
    // A text is selected by a fence that runs through its box, also one that lies wholly
    // inside it.
    std::array<Vec, 4> frame;
    if (FrameOf(e, frame)) {
      hit = std::any_of(fence.begin(), fence.end(),
                        [&](const Point& p) { return InsideFrame(frame, ToVec(p)); });
    }
    for (std::size_t i = 0; i + 1 < fence.size() && !hit; ++i) {
      Piece f = MakeSegment(ToVec(fence[i]), ToVec(fence[i + 1]));
      for (const Piece& p : pieces) {
        if (!Intersections(p, f, 0).empty()) {
          hit = true;
          break;
        }
      }
    }
    if (hit) out.push_back(e.handle);
  }
  return out;
}

// The object under the pick box: the topmost (latest drawn) one.
Handle FindAt(const Drawing& d, const HostCore& host, Vec p) {
  double tol = host.PickTolerance();
  for (auto it = d.entities.rbegin(); it != d.entities.rend(); ++it) {
    if (!host.Selectable(*it)) continue;
    std::array<Vec, 4> frame;
    if (FrameOf(*it, frame) && InsideFrame(frame, p)) return it->handle;
    for (const Piece& piece : Outline(*it, d)) {
      if (Distance(piece, p) <= tol) return it->handle;
    }
  }
  return 0;
}

void HostCore::SelectObjects(SelectionFn done, bool single) {
  auto run = std::make_shared<SelectionRun>();
  run->single = single;
  run->done = std::move(done);
  SelectPrompt(run);
}

void HostCore::SelectPrompt(std::shared_ptr<SelectionRun> run) {
  auto finish = [this, run]() {
    if (!run->set.empty()) previous_ = run->set;
    auto done = run->done;
    done(run->set);
  };
  // Adds (or removes) what an operation found, reports it and goes on.
  auto found = [this, run, finish](std::vector<Handle> hits) {
    std::size_t dup = 0, changed = 0;
    for (Handle h : hits) {
      auto it = std::find(run->set.begin(), run->set.end(), h);
      if (run->remove) {
        if (it != run->set.end()) {
          run->set.erase(it);
          ++changed;
        }
      } else if (it != run->set.end()) {
        ++dup;
      } else {
        run->set.push_back(h);
      }
    }
    std::string report = "認識された数: " + std::to_string(hits.size());
    if (dup > 0) report += " (" + std::to_string(dup) + " 個が重複)";
    if (run->remove) report += "、" + std::to_string(changed) + " 個を除外";
    if (run->reports > 0 || dup > 0 || run->remove)
      report += "、総数 " + std::to_string(run->set.size());
    SayOnPromptLine(report);
    ++run->reports;
    if (run->single && !hits.empty()) {
      finish();
      return;
    }
    SelectPrompt(run);
  };
  auto corner = [this, run, found](Point first, bool crossingByDirection, bool crossing) {
    Prompt p;
    AskPoint(
        "もう一方のコーナーを指定: ",
        [this, first, crossingByDirection, crossing, found](Point second) {
          bool cross = crossingByDirection ? second.x < first.x : crossing;
          found(FindInWindow(drawing_, *this, ToVec(first), ToVec(second), cross));
        },
        nullptr, true);
  };
  auto pickAt = [this, run, found, corner](Point p) {
    Handle h = FindAt(drawing_, *this, ToVec(p));
    if (h != 0) {
      found({h});
    } else {
      // Nothing under the pick box: the pick starts a selection box.
      corner(p, true, false);
    }
  };

  Prompt p;
  p.text = run->remove ? "オブジェクトを除外: " : "オブジェクトを選択: ";
  p.interactive = true;
  p.onClick = [this, pickAt](Vec v) {
    lastPoint_ = {v.x, v.y, 0};
    pickAt(lastPoint_);
  };
  p.onBox = [this, found](Vec a, Vec b, bool crossing) {
    lastPoint_ = {b.x, b.y, 0};
    found(FindInWindow(drawing_, *this, a, b, crossing));
  };
  p.onText = [this, run, finish, found, corner, pickAt](const std::string& typed) {
    if (typed.empty()) {
      finish();
      return;
    }
    if (Keyword(typed, "WINDOW", 1) || Keyword(typed, "CROSSING", 1) || Keyword(typed, "BOX", 3)) {
      bool crossing = Keyword(typed, "CROSSING", 1);
      bool box = Keyword(typed, "BOX", 3);
      AskPoint("最初のコーナーを指定: ",
               [corner, crossing, box](Point first) { corner(first, box, crossing); });
      return;
    }
    if (Keyword(typed, "ALL", 3)) {
      // "SELECT[オブジェクト選択] (コマンド)", ALL: every object of the space but those on frozen
      // or locked layers; layers that are only off are taken.
      std::vector<Handle> all;
      for (const Entity& e : drawing_.entities) {
        const Layer* l = drawing_.FindLayer(e.layer);
        if (!l || (!l->frozen && !l->locked)) all.push_back(e.handle);
      }
      found(all);
      return;
    }
    if (Keyword(typed, "FENCE", 1)) {
      auto fence = std::make_shared<std::vector<Point>>();
      AskPoint("最初のフェンス点を指定: ", [this, fence, found](Point p) {
        fence->push_back(p);
        AskFence(*this, fence, found);
      });
      return;
    }
    if (Keyword(typed, "LAST", 1)) {
      Handle h = lastCreated();
      found(h ? std::vector<Handle>{h} : std::vector<Handle>{});
      return;
    }
    if (Keyword(typed, "PREVIOUS", 1)) {
      std::vector<Handle> prev;
      for (Handle h : previous_) {
        const Entity* e = drawing_.FindEntity(h);
        if (e && Selectable(*e)) prev.push_back(h);
      }
      found(prev);
      return;
    }
    if (Keyword(typed, "SINGLE", 2)) {
      run->single = true;
      SelectPrompt(run);
      return;
    }
    if (Keyword(typed, "ADD", 1) || Keyword(typed, "REMOVE", 1)) {
      run->remove = Keyword(typed, "REMOVE", 1);
      SelectPrompt(run);
      return;
    }
    if (Keyword(typed, "AUTO", 2) || Keyword(typed, "MULTIPLE", 1)) {
      SelectPrompt(run);
      return;
    }
    if (auto pt = ParsePoint(typed, lastPoint_, drawing_.header)) {
      lastPoint_ = *pt;
      pickAt(*pt);
      return;
    }
    Say("*無効な選択です*");
    Say("点 または 窓(W)/最後(L)/交差(C)/ボックス(BOX)/すべて(ALL)/フェンス(F)/ポリゴン窓(WP)/"
        "ポリゴン交差(CP)/グループ(G)/追加(A)/除外(R)/複数(M)/前回(P)/元に戻す(U)/自動(AU)/"
        "1 つ(SI)/サブオブジェクト(SU)/オブジェクト(O) のいずれかが必要です");
    SelectPrompt(run);
  };
  Ask(std::move(p));
}

void HostCore::CmdSelect() {
  BeginCommand("SELECT");
  SelectObjects([this](std::vector<Handle>) { EndCommand(); });
}

}  // namespace hostsim
