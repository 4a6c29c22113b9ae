// -LAYER and UNDO.
#include <algorithm>
#include <memory>

#include "hostsim/HostCore.h"
#include "hostsim/Keywords.h"
#include "hostsim/Numbers.h"

namespace hostsim {

namespace {

struct Kw {
  const char* full;
  std::size_t min;
};

// The keyword the typed word stands for, or -1 when it is none or more than one.
int MatchKeyword(const std::string& typed, std::initializer_list<Kw> kws) {
  std::string t = UpperOption(typed);
  int found = -1, i = 0;
  for (const Kw& k : kws) {
    std::string f = k.full;
    if (t.size() >= k.min && t.size() <= f.size() && f.compare(0, t.size(), t) == 0) {
      if (found >= 0 && t != f) return -1;
      if (t == f || found < 0) found = i;
    }
    ++i;
  }
  return found;
}

// Wildcards of layer name lists: "*" any run, "?" one character, compared without case.
bool Wildcard(std::string_view pat, std::string_view name) {
  if (pat.empty()) return name.empty();
  if (pat[0] == '*')
    return Wildcard(pat.substr(1), name) || (!name.empty() && Wildcard(pat, name.substr(1)));
  if (name.empty()) return false;
  if (pat[0] != '?' && !SameName(pat.substr(0, 1), name.substr(0, 1))) return false;
  return Wildcard(pat.substr(1), name.substr(1));
}

std::vector<std::string> SplitList(const std::string& s) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == ',') {
      std::string part = s.substr(start, i - start);
      std::size_t b = part.find_first_not_of(' '), e = part.find_last_not_of(' ');
      if (b != std::string::npos) out.push_back(part.substr(b, e - b + 1));
      start = i + 1;
    }
  }
  return out;
}

void LayerOptions(HostCore& host);

std::vector<Layer*> Matching(HostCore& host, const std::string& list) {
  std::vector<Layer*> out;
  for (const std::string& pat : SplitList(list)) {
    for (Layer& l : host.drawing().layers) {
      if (Wildcard(pat, l.name) && std::find(out.begin(), out.end(), &l) == out.end())
        out.push_back(&l);
    }
  }
  return out;
}

// Applies a change to every layer of a typed name list, then back to the options.
void ForLayers(HostCore& host, const std::string& prompt, std::function<void(Layer&)> change) {
  host.AskName(prompt, [&host, change](const std::string& list) {
    if (!list.empty()) {
      auto layers = Matching(host, list);
      if (layers.empty()) host.Say("一致する画層が見つかりません。");
      if (!layers.empty()) host.Modify();
      for (Layer* l : layers) change(*l);
    }
    LayerOptions(host);
    return true;
  });
}

Layer& MakeLayer(HostCore& host, const std::string& name) {
  if (Layer* l = host.drawing().FindLayer(name)) return *l;
  host.Modify();
  Layer l;
  l.name = name;
  host.drawing().layers.push_back(l);
  return host.drawing().layers.back();
}

bool ValidLayerName(const std::string& n) {
  return !n.empty() && n.find_first_of("<>/\\\":;?*|,=`") == std::string::npos;
}

void LayerOptions(HostCore& host) {
  host.AskText(
      "オプションを入力 [?/作成(M)/設定(S)/新規作成(N)/名前変更(R)/オン(ON)/オフ(OFF)/色(C)/"
      "線種(L)/線の太さ(LW)/透過性(TR)/マテリアル(MAT)/印刷(P)/フリーズ(F)/フリーズ解除(T)/"
      "ロック(LO)/ロック解除(U)/状態(A)/説明(D)/照合(E)]: ",
      [&host](const std::string& t) {
        if (t.empty()) {
          host.EndCommand();
          return true;
        }
        Drawing& d = host.drawing();
        switch (MatchKeyword(t, {{"MAKE", 1},
                                 {"SET", 1},
                                 {"NEW", 1},
                                 {"ON", 2},
                                 {"OFF", 2},
                                 {"COLOR", 1},
                                 {"FREEZE", 1},
                                 {"THAW", 1},
                                 {"LOCK", 2},
                                 {"UNLOCK", 1}})) {
          case 0:
            host.AskName(
                "作成する画層の名前を入力 <" + d.header.clayer + ">: ",
                [&host](const std::string& name) {
                  Drawing& dr = host.drawing();
                  std::string n = name.empty() ? dr.header.clayer : name;
                  if (!ValidLayerName(n)) {
                    host.Say("無効な画層名です。");
                  } else {
                    Layer& l = MakeLayer(host, n);
                    if (l.frozen) {
                      host.Say("フリーズされている画層を現在の画層にすることはできません。");
                    } else if (!SameName(dr.header.clayer, l.name)) {
                      host.Modify();
                      dr.header.clayer = l.name;
                    }
                  }
                  LayerOptions(host);
                  return true;
                });
            return true;
          case 1:
            host.AskName(
                "現在にする画層名を入力 または <オブジェクトを選択>: ",
                [&host](const std::string& name) {
                  Drawing& dr = host.drawing();
                  Layer* l = dr.FindLayer(name);
                  if (!name.empty() && !l) host.Say("画層 \"" + name + "\" が見つかりません。");
                  // "-LAYER[画層管理] (コマンド)", Set: a layer that is off is
                  // turned on and made current; a frozen one cannot be.
                  if (l && !l->frozen && (!l->on || !SameName(dr.header.clayer, l->name))) {
                    host.Modify();
                    l->on = true;
                    dr.header.clayer = l->name;
                  }
                  LayerOptions(host);
                  return true;
                });
            return true;
          case 2:
            host.AskName("新規画層の名前リストを入力: ", [&host](const std::string& list) {
              for (const std::string& n : SplitList(list)) {
                if (ValidLayerName(n)) MakeLayer(host, n);
              }
              LayerOptions(host);
              return true;
            });
            return true;
          case 3:
            ForLayers(host, "オンにする画層の名前リストを入力: ", [](Layer& l) { l.on = true; });
            return true;
          case 4:
            host.AskName("オフにする画層の名前リストを入力 または [選択(S)]: ",
                         [&host](const std::string& list) {
                           auto layers = Matching(host, list);
                           if (!list.empty() && layers.empty())
                             host.Say("一致する画層が見つかりません。");
                           bool current = false;
                           for (Layer* l : layers) {
                             if (SameName(l->name, host.drawing().header.clayer)) {
                               current = true;
                             } else if (l->on) {
                               host.Modify();
                               l->on = false;
                             }
                           }
                           if (!current) {
                             LayerOptions(host);
                             return true;
                           }
                           host.AskText(
                               "現在の画層をオフにしますか? [はい(Y)/いいえ(N)] <いいえ(N)>: ",
                               [&host](const std::string& yn) {
                                 int k = MatchKeyword(yn, {{"YES", 1}, {"NO", 1}});
                                 if (!yn.empty() && k < 0) return false;
                                 if (k == 0) {
                                   host.Modify();
                                   host.drawing().FindLayer(host.drawing().header.clayer)->on =
                                       false;
                                 }
                                 LayerOptions(host);
                                 return true;
                               });
                           return true;
                         });
            return true;
          case 5:
            host.AskText("色を入力 または [トゥルーカラー(T)/カラーブック(CO)]: ",
                         [&host](const std::string& c) {
                           auto n = ParseInteger(c);
                           if (!n || *n < 1 || *n > 255) return false;
                           int color = static_cast<int>(*n);
                           ForLayers(host,
                                     "色 " + std::to_string(color) +
                                         " を適用する画層の名前リスト"
                                         "を入力 <" +
                                         host.drawing().header.clayer + ">: ",
                                     [color](Layer& l) { l.color = color; });
                           return true;
                         });
            return true;
          case 6:
            ForLayers(host, "フリーズする画層の名前リストを入力 または [オブジェクト(O)]: ",
                      [&host](Layer& l) {
                        if (SameName(l.name, host.drawing().header.clayer)) {
                          host.Say("現在の画層はフリーズできません。");
                        } else {
                          l.frozen = true;
                        }
                      });
            return true;
          case 7:
            ForLayers(host, "フリーズ解除する画層の名前リストを入力: ", [](Layer& l) {
              l.frozen = false;
            });
            return true;
          case 8:
            ForLayers(host, "ロックする画層の名前リストを入力 または [オブジェクト(O)]: ",
                      [](Layer& l) { l.locked = true; });
            return true;
          case 9:
            ForLayers(host, "ロック解除する画層の名前リストを入力 または [オブジェクト(O)]: ",
                      [](Layer& l) { l.locked = false; });
            return true;
          default:
            host.Say("無効なオプション キーワードです。");
            LayerOptions(host);
            return true;
        }
      });
}

}  // namespace

void HostCore::CmdLayer() {
  BeginCommand("-LAYER");
  Say("現在の画層: \"" + drawing_.header.clayer + "\"");
  LayerOptions(*this);
}

void HostCore::UndoBack(std::size_t groups, bool toMark) {
  std::vector<std::string> names;
  std::optional<Drawing> restore;
  while (!undo_.empty()) {
    UndoEntry e = std::move(undo_.back());
    undo_.pop_back();
    if (e.mark) {
      if (toMark) break;
      continue;
    }
    names.push_back(e.name);
    restore = std::move(e.before);
    if (!toMark && names.size() == groups) break;
  }
  if (restore) {
    Handle next = drawing_.nextHandle;
    drawing_ = std::move(*restore);
    drawing_.nextHandle = std::max(next, drawing_.nextHandle);  // handles are never reused
  }
  if (names.empty()) {
    Say("すべて元に戻しました");
    return;
  }
  std::string line;
  for (const std::string& n : names) line += (line.empty() ? "" : " ") + n;
  Say(line);
}

void HostCore::CmdUndo() {
  BeginCommand("UNDO");
  Say("現在の設定: 自動 = オン, コントロール = すべて, 結合 = はい, 画層 = はい");
  AskText(
      "元に戻す操作の数を入力 または [自動(A)/コントロール(C)/開始(BE)/終了(E)/マーク(M)/"
      "後退(B)] <1>: ",
      [this](const std::string& t) {
        if (t.empty()) {
          UndoBack(1, false);
          EndCommand();
          return true;
        }
        if (auto n = ParseInteger(t)) {
          if (*n <= 0) return false;
          UndoBack(static_cast<std::size_t>(*n), false);
          EndCommand();
          return true;
        }
        switch (MatchKeyword(
            t, {{"AUTO", 1}, {"CONTROL", 1}, {"BEGIN", 2}, {"END", 1}, {"MARK", 1}, {"BACK", 1}})) {
          case 4:
            undo_.push_back({"MARK", true, Drawing()});
            EndCommand();
            return true;
          case 5: {
            bool marked =
                std::any_of(undo_.begin(), undo_.end(), [](const UndoEntry& e) { return e.mark; });
            if (marked) {
              UndoBack(0, true);
              EndCommand();
              return true;
            }
            AskText("すべて元に戻します。よろしいですか? [はい(Y)/いいえ(N)] <はい(Y)>: ",
                    [this](const std::string& yn) {
                      int k = MatchKeyword(yn, {{"YES", 1}, {"NO", 1}});
                      if (!yn.empty() && k < 0) return false;
                      if (k != 1) UndoBack(0, true);
                      EndCommand();
                      return true;
                    });
            return true;
          }
          case 0:
          case 1:
          case 2:
          case 3:
            EndCommand();
            return true;
          default:
            return false;
        }
      });
}

}  // namespace hostsim
