// -BOUNDARY: closed polylines (or regions, with HPBOUND 0) around picked points, islands
// included.
#include <memory>

#include "hostsim/Boundary.h"
#include "hostsim/HostCore.h"
#include "hostsim/Keywords.h"
#include "hostsim/Outline.h"

namespace hostsim {

void HostCore::CmdBoundary() {
  BeginCommand("-BOUNDARY");
  auto created = std::make_shared<int>(0);
  auto ask = std::make_shared<std::function<void()>>();
  std::weak_ptr<std::function<void()>> weak = ask;
  *ask = [this, created, weak]() {
    auto self = weak.lock();
    AskPoint(
        "内側の点を指定 または [詳細オプション(A)]: ",
        [this, created, self](Point p) {
          Say("すべてを選択中...");
          Say("表示されているものをすべて選択中...");
          Say("選択したデータを解析中...");
          Say("内部の孤立領域を解析中...");
          std::vector<Piece> pieces;
          for (const Entity& e : drawing_.entities) {
            if (!Selectable(e)) continue;
            auto c = Curves(e, drawing_);
            pieces.insert(pieces.end(), c.begin(), c.end());
          }
          BoundaryResult r = TraceBoundary(pieces, ToVec(p));
          if (!r.found) {
            Say("有効な境界が見つかりません。");
          } else {
            std::vector<Loop> loops{r.outer};
            if (islandDetection_) loops.insert(loops.end(), r.islands.begin(), r.islands.end());
            // "HPBOUND (System Variable)": 0 makes regions, 1 polylines.
            for (const Loop& l : loops) {
              if (hpbound_ == 0) {
                AddEntity(Region{l});
              } else {
                LwPolyline pl;
                pl.vertices = l;
                pl.closed = true;
                AddEntity(pl);
              }
              ++*created;
            }
          }
          (*self)();
        },
        [this, created, self](const std::string& t) {
          if (t.empty()) {
            if (*created > 0)
              Say("境界が " + std::to_string(*created) +
                  (hpbound_ == 0 ? " 個のリージョンを作成しました"
                                 : " 個のポリラインを作成しました"));
            EndCommand();
            return true;
          }
          if (Is(t, "ADVANCED", 1)) {
            AskText("オプションを入力 [孤立領域検出(I)/オブジェクトの種類(O)]: ",
                    [this, self](const std::string& o) {
                      if (o.empty()) {
                        (*self)();
                        return true;
                      }
                      if (Is(o, "OBJECT", 1)) {
                        // "-BOUNDARY (Command)": Advanced options, Object type, Region or Polyline.
                        // The type is the session's one ("HPBOUND (System Variable)": the object
                        // type BOUNDARY creates in this session), so the option sets HPBOUND.
                        AskText("境界のオブジェクトの種類を入力 [リージョン(R)/ポリライン(P)] <" +
                                    std::string(hpbound_ == 0 ? "リージョン" : "ポリライン") +
                                    ">: ",
                                [this, self](const std::string& type) {
                                  if (Is(type, "REGION", 1)) {
                                    hpbound_ = 0;
                                  } else if (Is(type, "POLYLINE", 1)) {
                                    hpbound_ = 1;
                                  } else if (!type.empty()) {
                                    return false;
                                  }
                                  (*self)();
                                  return true;
                                });
                        return true;
                      }
                      if (!Is(o, "ISLAND", 1)) return false;
                      AskText("孤立領域を検出しますか? [はい(Y)/いいえ(N)] <Y>: ",
                              [this, self](const std::string& yn) {
                                if (yn.empty() || Is(yn, "YES", 1)) {
                                  islandDetection_ = true;
                                } else if (Is(yn, "NO", 1)) {
                                  islandDetection_ = false;
                                } else {
                                  return false;
                                }
                                (*self)();
                                return true;
                              });
                      return true;
                    });
            return true;
          }
          return false;
        });
  };
  (*ask)();
}

}  // namespace hostsim
