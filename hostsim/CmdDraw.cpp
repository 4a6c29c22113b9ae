// ID, LINE, LEADER, ERASE, MOVE and ROTATE.
#include <algorithm>
#include <cmath>
#include <memory>

#include "hostsim/EntityEdit.h"
#include "hostsim/HostCore.h"
#include "hostsim/Keywords.h"
#include "hostsim/Units.h"

namespace hostsim {

namespace {

// Objects the command may change; those on locked layers are reported and left.
std::vector<Handle> EditableOnly(HostCore& host, const std::vector<Handle>& set) {
  std::vector<Handle> out;
  std::size_t locked = 0;
  for (Handle h : set) {
    const Entity* e = host.drawing().FindEntity(h);
    if (!e) continue;
    if (host.Editable(*e)) {
      out.push_back(h);
    } else {
      ++locked;
    }
  }
  if (locked > 0) host.Say(std::to_string(locked) + " 個がロックされた画層上にあります。");
  return out;
}

struct LineRun {
  std::vector<Point> points;
  std::vector<Handle> segments;
};

void LineNext(HostCore& host, std::shared_ptr<LineRun> run) {
  std::string text = run->segments.size() >= 2 ? "次の点を指定 または [閉じる(C)/元に戻す(U)]: "
                                               : "次の点を指定 または [元に戻す(U)]: ";
  host.AskPoint(
      text,
      [&host, run](Point p) {
        run->segments.push_back(host.AddEntity(Line{run->points.back(), p}));
        run->points.push_back(p);
        LineNext(host, run);
      },
      [&host, run](const std::string& t) {
        if (t.empty()) {
          host.EndCommand();
          return true;
        }
        if (Is(t, "CLOSE", 1) && run->segments.size() >= 2) {
          host.AddEntity(Line{run->points.back(), run->points.front()});
          host.SetLastPoint(run->points.front());
          host.EndCommand();
          return true;
        }
        if (Is(t, "UNDO", 1)) {
          if (run->segments.empty()) {
            host.Say("すべての線分が元に戻されました。");
          } else {
            auto& ents = host.drawing().entities;
            Handle h = run->segments.back();
            ents.erase(std::remove_if(ents.begin(), ents.end(),
                                      [h](const Entity& e) { return e.handle == h; }),
                       ents.end());
            run->segments.pop_back();
            run->points.pop_back();
            host.SetLastPoint(run->points.back());
          }
          LineNext(host, run);
          return true;
        }
        return false;
      },
      true);
}

struct LeaderRun {
  std::vector<Point> points;
  bool arrow = true;
};

void LeaderCreate(HostCore& host, std::shared_ptr<LeaderRun> run) {
  const Header& h = host.drawing().header;
  Leader l;
  l.vertices = run->points;
  l.arrow = run->arrow;
  // DIMSCALE 0 scales by the viewport; in model space that is 1.
  l.arrowSize = h.dimasz * (h.dimscale > 0 ? h.dimscale : 1);
  l.arrowBlock = h.dimldrblk;
  host.AddEntity(l);
  host.EndCommand();
}

void LeaderOptions(HostCore& host, std::shared_ptr<LeaderRun> run) {
  host.AskText(
      "注釈オプションを入力 [公差(T)/コピー(C)/ブロック(B)/なし(N)/マルチテキスト(M)] "
      "<マルチテキスト>: ",
      [&host, run](const std::string& t) {
        // Without an editor here, a multiline text ends the leader as "none" would.
        if (t.empty() || Is(t, "NONE", 1) || Is(t, "MTEXT", 1)) {
          LeaderCreate(host, run);
          return true;
        }
        return false;
      });
}

void LeaderAnnotation(HostCore& host, std::shared_ptr<LeaderRun> run,
                      std::shared_ptr<std::vector<std::string>> lines) {
  host.AskText(
      lines->empty() ? "注釈文字の最初の行を入力 または <オプション>: "
                     : "注釈文字の次の行を入力: ",
      [&host, run, lines](const std::string& t) {
        if (t.empty()) {
          if (lines->empty()) {
            LeaderOptions(host, run);
            return true;
          }
          // The typed lines become a multiline text at the leader's end.
          MText m;
          m.insert = run->points.back();
          m.height = host.drawing().header.dimasz *
                     (host.drawing().header.dimscale > 0 ? host.drawing().header.dimscale : 1);
          m.attachment = run->points.back().x >= run->points[run->points.size() - 2].x ? 4 : 6;
          m.style = host.drawing().header.textstyle;
          for (std::size_t i = 0; i < lines->size(); ++i) m.value += (i ? "\\P" : "") + (*lines)[i];
          host.AddEntity(m);
          LeaderCreate(host, run);
          return true;
        }
        lines->push_back(t);
        LeaderAnnotation(host, run, lines);
        return true;
      },
      true);
}

void LeaderNext(HostCore& host, std::shared_ptr<LeaderRun> run) {
  std::string text = run->points.size() < 2
                         ? "次の点を指定: "
                         : "次の点を指定 または [注釈(A)/書式(F)/元に戻す(U)] <注釈>: ";
  host.AskPoint(
      text,
      [&host, run](Point p) {
        run->points.push_back(p);
        LeaderNext(host, run);
      },
      [&host, run](const std::string& t) {
        if (run->points.size() < 2) return false;
        if (t.empty() || Is(t, "ANNOTATION", 1)) {
          LeaderAnnotation(host, run, std::make_shared<std::vector<std::string>>());
          return true;
        }
        if (Is(t, "UNDO", 1)) {
          run->points.pop_back();
          LeaderNext(host, run);
          return true;
        }
        if (Is(t, "FORMAT", 1)) {
          host.AskText(
              "引出線の書式オプションを入力 [スプライン(S)/直線(ST)/矢印(A)/なし(N)] <終了>: ",
              [&host, run](const std::string& f) {
                if (Is(f, "ARROW", 1)) run->arrow = true;
                if (Is(f, "NONE", 1)) run->arrow = false;
                LeaderNext(host, run);
                return true;
              });
          return true;
        }
        return false;
      },
      true);
}

}  // namespace

void HostCore::CmdId() {
  BeginCommand("ID");
  AskPoint("点を指定: ", [this](Point world) {
    const Header& h = drawing_.header;
    const Point p = WorldToUcs(world, h);
    SayOnPromptLine(" X = " + ShowDistance(p.x, h) + "     Y = " + ShowDistance(p.y, h) +
                    "     Z = " + ShowDistance(p.z, h));
    EndCommand();
  });
}

void HostCore::CmdLine() {
  BeginCommand("LINE");
  auto run = std::make_shared<LineRun>();
  AskPoint(
      "1 点目を指定: ",
      [this, run](Point p) {
        run->points.push_back(p);
        LineNext(*this, run);
      },
      [this](const std::string& t) {
        if (!t.empty()) return false;
        EndCommand();
        return true;
      });
}

void HostCore::CmdLeader() {
  BeginCommand("LEADER");
  auto run = std::make_shared<LeaderRun>();
  AskPoint("引出線の始点を指定: ", [this, run](Point p) {
    run->points.push_back(p);
    LeaderNext(*this, run);
  });
}

void HostCore::CmdErase() {
  BeginCommand("ERASE");
  SelectObjects([this](std::vector<Handle> set) {
    auto gone = EditableOnly(*this, set);
    if (!gone.empty()) {
      Modify();
      auto& ents = drawing_.entities;
      ents.erase(std::remove_if(ents.begin(), ents.end(),
                                [&](const Entity& e) {
                                  return std::find(gone.begin(), gone.end(), e.handle) !=
                                         gone.end();
                                }),
                 ents.end());
    }
    EndCommand();
  });
}

void HostCore::CmdMove() {
  BeginCommand("MOVE");
  SelectObjects([this](std::vector<Handle> set) {
    auto moved = std::make_shared<std::vector<Handle>>(EditableOnly(*this, set));
    if (moved->empty()) {
      EndCommand();
      return;
    }
    auto apply = [this, moved](Point d) {
      Modify();
      for (Handle h : *moved) MoveEntity(*drawing_.FindEntity(h), d);
      EndCommand();
    };
    AskPoint(
        "基点を指定 または [移動距離(D)] <移動距離>: ",
        [this, apply](Point base) {
          AskPoint(
              "目的点を指定 または <1 点目を移動距離として使用>: ",
              [apply, base](Point to) {
                apply({to.x - base.x, to.y - base.y, to.z - base.z});
              },
              [apply, base](const std::string& t) {
                if (!t.empty()) return false;
                apply(base);  // the first point is the displacement
                return true;
              });
        },
        [this, apply](const std::string& t) {
          if (!t.empty() && !Is(t, "DISPLACEMENT", 1)) return false;
          AskPoint(
              "移動距離を指定 <0.0000, 0.0000, 0.0000>: ", [apply](Point d) { apply(d); },
              [this](const std::string& e) {
                if (!e.empty()) return false;
                EndCommand();
                return true;
              });
          return true;
        });
  });
}

void HostCore::CmdRotate() {
  BeginCommand("ROTATE");
  const Header& h = drawing_.header;
  Say(std::string("現在の UCS 内の正の角度:  ANGDIR=") +
      (h.angdir == 1 ? "時計回り" : "反時計回り") + "  ANGBASE=" + ShowAngle(h.angbase, h));
  SelectObjects([this](std::vector<Handle> set) {
    auto turned = std::make_shared<std::vector<Handle>>(EditableOnly(*this, set));
    if (turned->empty()) {
      EndCommand();
      return;
    }
    AskPoint("基点を指定: ", [this, turned](Point base) {
      auto apply = [this, turned, base](double ccw) {
        Modify();
        for (Handle hd : *turned) RotateEntity(*drawing_.FindEntity(hd), ToVec(base), ccw);
        EndCommand();
      };
      AskPoint(
          "回転角度を指定 または [コピー(C)/参照(R)] <0>: ",
          [apply, base](Point p) { apply(Angle(ToVec(base), ToVec(p))); },
          [this, apply](const std::string& t) {
            if (t.empty()) {
              apply(0);
              return true;
            }
            auto a = ParseAngle(t, drawing_.header);
            if (!a) return false;
            // A typed rotation turns the way ANGDIR says is positive.
            apply(drawing_.header.angdir == 1 ? -*a : *a);
            return true;
          });
    });
  });
}

}  // namespace hostsim
