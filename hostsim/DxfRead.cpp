#include "hostsim/DxfRead.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "hostsim/Numbers.h"

namespace hostsim {

namespace {

struct Pair {
  int code;
  std::string value;  // raw bytes, line end removed
  std::size_t line;   // line number of the code line, from 1
};

struct Failure {
  std::string text;
};

[[noreturn]] void Fail(std::size_t line, const std::string& why) {
  throw Failure{"無効または不完全な DXF 入力です (" + std::to_string(line) + " 行目: " + why + ")"};
}

bool IsReal(int c) {
  return (c >= 10 && c <= 59) || (c >= 110 && c <= 149) || (c >= 210 && c <= 239) ||
         (c >= 460 && c <= 469) || (c >= 1010 && c <= 1059);
}
bool IsInt(int c) {
  return (c >= 60 && c <= 79) || (c >= 90 && c <= 99) || (c >= 170 && c <= 179) ||
         (c >= 270 && c <= 289) || (c >= 370 && c <= 389) || (c >= 400 && c <= 409) ||
         (c >= 1060 && c <= 1071);
}

std::vector<Pair> Tokenize(std::string_view bytes) {
  std::vector<Pair> pairs;
  std::size_t pos = 0, line = 0;
  auto next = [&](std::string& out) {
    if (pos >= bytes.size()) return false;
    std::size_t e = bytes.find('\n', pos);
    if (e == std::string_view::npos) e = bytes.size();
    out.assign(bytes.substr(pos, e - pos));
    if (!out.empty() && out.back() == '\r') out.pop_back();
    pos = e + 1;
    ++line;
    return true;
  };
  std::string code, value;
  while (next(code)) {
    std::size_t codeLine = line;
    auto c = ParseInteger(code);
    if (!c) {
      if (code.find_first_not_of(" \t") == std::string::npos && pos >= bytes.size()) break;
      Fail(codeLine, "グループ コードがありません");
    }
    if (!next(value)) Fail(codeLine, "値がありません");
    int ci = static_cast<int>(*c);
    if (IsReal(ci) && !ParseReal(value)) Fail(line, "実数ではありません");
    if (IsInt(ci)) {
      auto v = ParseInteger(value);
      if (!v) Fail(line, "整数ではありません");
      // 16-bit codes and 32-bit ones, signed or not as other programs write them.
      bool wide = (ci >= 90 && ci <= 99) || ci == 1071;
      if (*v < (wide ? -2147483648LL : -32768) || *v > (wide ? 4294967295LL : 65535))
        Fail(line, "整数が範囲外です");
    }
    pairs.push_back({ci, value, codeLine});
    if (ci == 0 && value == "EOF") return pairs;
  }
  // A file that stops before its end marker was cut short: the host discards it.
  if (!pairs.empty()) Fail(line, "ファイルの終わり (EOF) がありません");
  return pairs;
}

// Characters of Windows-1252 from 0x80 to 0x9F; the rest of the upper half is Latin-1.
const char16_t k1252[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                            0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned long u) {
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else if (u < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (u >> 18)));
    out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

struct Decoder {
  enum class Kind { Utf8, Ansi, W1252 } kind = Kind::Ansi;
  platform::CodePage* ansi = nullptr;

  std::string operator()(const std::string& raw) const {
    std::string s;
    bool ascii = std::all_of(raw.begin(), raw.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || kind == Kind::Utf8) {
      s = raw;
    } else if (kind == Kind::W1252) {
      for (char ch : raw) {
        unsigned char c = static_cast<unsigned char>(ch);
        AppendUtf8(s, c < 0x80 ? c : c < 0xA0 ? k1252[c - 0x80] : c);
      }
    } else {
      s = ansi->AnsiToUtf8(raw);
    }
    return Unescape(s);
  }

  // \U+XXXX stands for a character the file's code page lacks; \M+1XXXX for a double-byte
  // character of code page 932.
  std::string Unescape(const std::string& s) const {
    if (s.find('\\') == std::string::npos) return s;
    std::string out;
    auto hex = [](const std::string& t, std::size_t at, std::size_t n, unsigned long& v) {
      if (at + n > t.size()) return false;
      v = 0;
      for (std::size_t k = 0; k < n; ++k) {
        char c = t[at + k];
        int d = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                         : -1;
        if (d < 0) return false;
        v = v * 16 + d;
      }
      return true;
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
      unsigned long v = 0;
      if (s[i] == '\\' && i + 2 < s.size() && (s[i + 1] == 'U' || s[i + 1] == 'u') &&
          s[i + 2] == '+' && hex(s, i + 3, 4, v) && v != 0 && (v < 0xD800 || v > 0xDFFF)) {
        AppendUtf8(out, v);
        i += 6;
      } else if (s[i] == '\\' && i + 13 < s.size() && s[i + 1] == s[i + 8] &&
                 (s[i + 1] == 'U' || s[i + 1] == 'u') && s[i + 2] == '+' && s[i + 7] == '\\' &&
                 s[i + 9] == '+' && hex(s, i + 3, 4, v) && v >= 0xD800 && v <= 0xDBFF) {
        // A character beyond the basic plane comes as its two UTF-16 halves; a lone half or
        // a zero stands for no character and stays as written.
        unsigned long low = 0;
        if (!hex(s, i + 10, 4, low) || low < 0xDC00 || low > 0xDFFF) {
          out.push_back(s[i]);
          continue;
        }
        AppendUtf8(out, 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00));
        i += 13;
      } else if (s[i] == '\\' && i + 3 < s.size() && (s[i + 1] == 'M' || s[i + 1] == 'm') &&
                 s[i + 2] == '+' && s[i + 3] == '1' && hex(s, i + 4, 4, v) && v >= 0x8100 &&
                 (v & 0xFF) >= 0x40 && ansi) {
        std::string dbcs{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
        out += ansi->AnsiToUtf8(dbcs);
        i += 7;
      } else {
        out.push_back(s[i]);
      }
    }
    return out;
  }
};

double R(const Pair& p) { return *ParseReal(p.value); }
int I(const Pair& p) { return static_cast<int>(*ParseInteger(p.value)); }

struct RawEntity {
  std::string type;
  std::vector<Pair> pairs;
  std::size_t line = 0;
};

class Reader {
 public:
  Reader(std::vector<Pair> pairs, platform::CodePage& ansi) : p_(std::move(pairs)) {
    dec_.ansi = &ansi;
  }

  DxfReadResult Run() {
    DxfReadResult r;
    PreScan();
    r.version = version_;
    while (i_ < p_.size()) {
      const Pair& q = p_[i_];
      if (q.code == 0 && q.value == "SECTION" && i_ + 1 < p_.size() && p_[i_ + 1].code == 2) {
        std::string name = p_[i_ + 1].value;
        i_ += 2;
        if (name == "HEADER") {
          Header();
        } else if (name == "TABLES") {
          Tables();
        } else if (name == "BLOCKS") {
          Blocks();
        } else if (name == "ENTITIES") {
          auto raws = Section();
          Build(raws, d_.entities, true);
        } else {
          Section();
        }
      } else if (q.code == 0 && q.value == "EOF") {
        break;
      } else {
        ++i_;
      }
    }
    Finish();
    r.drawing = std::move(d_);
    for (const auto& [what, n] : skipped_)
      r.notes.push_back(std::to_string(n) + " 個の " + what + " は読み込まれませんでした");
    r.ok = true;
    return r;
  }

 private:
  void PreScan() {
    for (std::size_t k = 0; k + 1 < p_.size(); ++k) {
      if (p_[k].code == 0 && p_[k].value == "ENDSEC") break;
      if (p_[k].code == 9 && p_[k].value == "$ACADVER") version_ = p_[k + 1].value;
      if (p_[k].code == 9 && p_[k].value == "$DWGCODEPAGE") codepage_ = p_[k + 1].value;
    }
    std::string cp = codepage_;
    for (char& c : cp) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (version_ >= "AC1021") {
      dec_.kind = Decoder::Kind::Utf8;
    } else if (cp == "ANSI_1252") {
      dec_.kind = Decoder::Kind::W1252;
    }
  }

  std::string S(const Pair& q) const { return dec_(q.value); }

  // The pairs of a section as entities (from one group 0 to the next).
  std::vector<RawEntity> Section() {
    std::vector<RawEntity> out;
    while (i_ < p_.size()) {
      const Pair& q = p_[i_];
      if (q.code == 0) {
        if (q.value == "ENDSEC") {
          ++i_;
          return out;
        }
        if (q.value == "EOF") return out;
        out.push_back({q.value, {}, q.line});
      } else if (!out.empty()) {
        out.back().pairs.push_back(q);
      }
      ++i_;
    }
    return out;
  }

  void Header() {
    // The header is one run of pairs with no group 0 before its end; split it at group 9.
    std::vector<Pair> all;
    for (; i_ < p_.size() && p_[i_].code != 0; ++i_) all.push_back(p_[i_]);
    if (i_ < p_.size() && p_[i_].value == "ENDSEC") ++i_;
    hostsim::Header& h = d_.header;
    for (std::size_t k = 0; k < all.size(); ++k) {
      if (all[k].code != 9) continue;
      const std::string& var = all[k].value;
      auto val = [&](int code) -> const Pair* {
        for (std::size_t j = k + 1; j < all.size() && all[j].code != 9; ++j) {
          if (all[j].code == code) return &all[j];
        }
        return nullptr;
      };
      if (var == "$CLAYER" && val(8)) h.clayer = S(*val(8));
      if (var == "$TEXTSTYLE" && val(7)) h.textstyle = S(*val(7));
      if (var == "$AUNITS" && val(70)) h.aunits = std::clamp(I(*val(70)), 0, 4);
      if (var == "$AUPREC" && val(70)) h.auprec = std::clamp(I(*val(70)), 0, 8);
      if (var == "$ANGBASE" && val(50)) h.angbase = R(*val(50));
      if (var == "$ANGDIR" && val(70)) h.angdir = I(*val(70)) == 1 ? 1 : 0;
      if (var == "$LUNITS" && val(70)) h.lunits = std::clamp(I(*val(70)), 1, 5);
      if (var == "$LUPREC" && val(70)) h.luprec = std::clamp(I(*val(70)), 0, 8);
      if (var == "$DIMASZ" && val(40)) h.dimasz = R(*val(40));
      if (var == "$DIMSCALE" && val(40)) h.dimscale = R(*val(40));
      if (var == "$DIMLDRBLK" && val(1)) h.dimldrblk = S(*val(1));
      if (var == "$TEXTSIZE" && val(40)) h.textsize = R(*val(40));
      if (var == "$INSUNITS" && val(70)) {
        const int units = I(*val(70));
        h.insunits = units >= 0 && units <= 24 ? units : 0;
      }
      if (var == "$INSBASE" && val(10) && val(20))
        h.insbase = {R(*val(10)), R(*val(20)), val(30) ? R(*val(30)) : 0};
      for (auto [name, field] : {std::pair{"$UCSORG", &h.ucsorg}, std::pair{"$UCSXDIR", &h.ucsxdir},
                                 std::pair{"$UCSYDIR", &h.ucsydir}}) {
        if (var == name && val(10) && val(20))
          *field = {R(*val(10)), R(*val(20)), val(30) ? R(*val(30)) : 0};
      }
      if (var == "$VIEWCTR" && val(10) && val(20) && !viewFromVport_)
        h.viewCenter = {R(*val(10)), R(*val(20)), 0};
      if (var == "$VIEWSIZE" && val(40) && !viewFromVport_) h.viewHeight = R(*val(40));
      // Whatever the host does not model stays in the drawing, as the host keeps it.
      const bool seen = std::any_of(h.kept.begin(), h.kept.end(),
                                    [&](const KeptVariable& v) { return SameName(v.name, var); });
      if (!WrittenFromModel(var) && !seen) {
        KeptVariable v{var, {}};
        for (std::size_t j = k + 1; j < all.size() && all[j].code != 9; ++j)
          v.values.push_back({all[j].code, S(all[j])});
        h.kept.push_back(std::move(v));
      }
    }
  }

  void Tables() {
    auto raws = Section();
    std::string table;
    for (const RawEntity& r : raws) {
      if (r.type == "TABLE") {
        for (const Pair& q : r.pairs) {
          if (q.code == 2) table = q.value;
        }
        continue;
      }
      if (r.type == "ENDTAB") continue;
      auto get = [&](int code) -> const Pair* {
        for (const Pair& q : r.pairs) {
          if (q.code == code) return &q;
        }
        return nullptr;
      };
      const Pair* name = get(2);
      if (!name) continue;
      std::string n = S(*name);
      if (r.type == "LAYER") {
        Layer l;
        l.name = n;
        if (const Pair* c = get(62)) {
          int col = I(*c);
          l.on = col >= 0;
          l.color = std::abs(col) == 0 ? 7 : std::abs(col);
        }
        if (const Pair* f = get(70)) {
          l.frozen = (I(*f) & 1) != 0;
          l.locked = (I(*f) & 4) != 0;
        }
        if (const Pair* lt = get(6)) l.linetype = S(*lt);
        if (Layer* existing = d_.FindLayer(n)) {
          *existing = l;
        } else {
          d_.layers.push_back(l);
        }
      } else if (r.type == "STYLE") {
        if (const Pair* f = get(70); f && (I(*f) & 1)) continue;  // shape files
        if (n.empty()) continue;
        TextStyle s;
        s.name = n;
        if (const Pair* q = get(40)) s.height = R(*q);
        if (const Pair* q = get(41)) s.widthFactor = R(*q);
        if (const Pair* q = get(50)) s.oblique = R(*q);
        if (const Pair* q = get(3)) s.font = S(*q);
        if (const Pair* q = get(4)) s.bigFont = S(*q);
        if (TextStyle* existing = d_.FindStyle(n)) {
          *existing = s;
        } else {
          d_.styles.push_back(s);
        }
      } else if (r.type == "LTYPE") {
        if (d_.FindLinetype(n)) continue;
        Linetype lt;
        lt.name = n;
        if (const Pair* q = get(3)) lt.description = S(*q);
        for (const Pair& q : r.pairs) {
          if (q.code == 49) lt.pattern.push_back(R(q));
        }
        d_.linetypes.push_back(lt);
      } else if (r.type == "APPID") {
        if (!d_.IsRegistered(n)) d_.appIds.push_back(n);
      } else if (r.type == "BLOCK_RECORD") {
        if (const Pair* h = get(5)) blockRecords_[h->value] = n;
      } else if (r.type == "VPORT" && SameName(n, "*ACTIVE") && !viewFromVport_) {
        const Pair *cx = get(12), *cy = get(22), *ht = get(40);
        if (cx && cy && ht && R(*ht) > 0) {
          d_.header.viewCenter = {R(*cx), R(*cy), 0};
          d_.header.viewHeight = R(*ht);
          viewFromVport_ = true;
        }
      }
    }
  }

  void Blocks() {
    auto raws = Section();
    for (std::size_t k = 0; k < raws.size(); ++k) {
      if (raws[k].type != "BLOCK") continue;
      Block b;
      int flags = 0;
      for (const Pair& q : raws[k].pairs) {
        if (q.code == 2) b.name = S(q);
        if (q.code == 3 && b.name.empty()) b.name = S(q);
        if (q.code == 10) b.base.x = R(q);
        if (q.code == 20) b.base.y = R(q);
        if (q.code == 30) b.base.z = R(q);
        if (q.code == 70) flags = I(q);
      }
      std::vector<RawEntity> body;
      ++k;
      while (k < raws.size() && raws[k].type != "ENDBLK") body.push_back(raws[k++]);
      std::string upper = b.name;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (upper.rfind("*MODEL_SPACE", 0) == 0 || upper.rfind("*PAPER_SPACE", 0) == 0 ||
          upper.rfind("$MODEL_SPACE", 0) == 0 || upper.rfind("$PAPER_SPACE", 0) == 0)
        continue;
      if (flags & 4) {
        ++skipped_["外部参照"];
        continue;
      }
      Build(body, b.entities, false);
      if (!d_.FindBlock(b.name)) d_.blocks.push_back(std::move(b));
    }
  }

  // Turns raw entities into the host's entities; POLYLINE and INSERT take the VERTEX and
  // ATTRIB entities that follow them up to SEQEND.
  void Build(const std::vector<RawEntity>& raws, std::vector<Entity>& out, bool modelSpace) {
    for (std::size_t k = 0; k < raws.size(); ++k) {
      const RawEntity& r = raws[k];
      std::vector<const RawEntity*> tail;
      if (r.type == "POLYLINE" || (r.type == "INSERT" && Flag66(r))) {
        std::size_t j = k + 1;
        while (j < raws.size() && (raws[j].type == "VERTEX" || raws[j].type == "ATTRIB"))
          tail.push_back(&raws[j++]);
        if (j < raws.size() && raws[j].type == "SEQEND") ++j;
        k = j - 1;
      }
      if (modelSpace && PaperSpace(r)) {
        ++skipped_["ペーパー空間の図形"];
        continue;
      }
      if (auto e = Convert(r, tail)) out.push_back(std::move(*e));
    }
  }

  static bool Flag66(const RawEntity& r) {
    for (const Pair& q : r.pairs) {
      if (q.code == 66) return I(q) != 0;
    }
    return false;
  }
  static bool PaperSpace(const RawEntity& r) {
    for (const Pair& q : r.pairs) {
      if (q.code == 67) return I(q) == 1;
    }
    return false;
  }

  std::vector<XData> ReadXData(const std::vector<Pair>& pairs, std::size_t from) {
    std::vector<XData> out;
    for (std::size_t k = from; k < pairs.size(); ++k) {
      const Pair& q = pairs[k];
      if (q.code == 1001) {
        out.push_back({S(q), {}});
        continue;
      }
      if (out.empty() || q.code < 1000) continue;
      XDataItem it;
      it.code = q.code;
      if (q.code >= 1010 && q.code <= 1013) {
        it.point.x = R(q);
        for (std::size_t j = k + 1; j < pairs.size() && j <= k + 2; ++j) {
          if (pairs[j].code == q.code + 10) it.point.y = R(pairs[j]);
          if (pairs[j].code == q.code + 20) it.point.z = R(pairs[j]);
        }
      } else if ((q.code >= 1020 && q.code <= 1023) || (q.code >= 1030 && q.code <= 1033)) {
        continue;  // taken with their x
      } else if (q.code >= 1040 && q.code <= 1042) {
        it.real = R(q);
      } else if (q.code == 1070 || q.code == 1071) {
        it.integer = I(q);
      } else {
        it.text = S(q);
      }
      out.back().items.push_back(it);
    }
    return out;
  }

  std::optional<Entity> Convert(const RawEntity& r, const std::vector<const RawEntity*>& tail) {
    Entity e;
    std::size_t xstart = r.pairs.size();
    Point extrusion{0, 0, 1};
    bool inGroup = false;
    std::vector<Pair> ps;  // the entity's own pairs, without 102 groups and application data
    for (std::size_t k = 0; k < r.pairs.size(); ++k) {
      const Pair& q = r.pairs[k];
      if (q.code == 1001) {
        xstart = k;
        break;
      }
      if (q.code == 102) {
        inGroup = !q.value.empty() && q.value[0] == '{';
        continue;
      }
      if (inGroup) continue;
      if (q.code == 8) e.layer = S(q);
      if (q.code == 6) e.linetype = S(q);
      if (q.code == 62) e.color = I(q);
      if (q.code == 210) extrusion.x = R(q);
      if (q.code == 220) extrusion.y = R(q);
      if (q.code == 230) extrusion.z = R(q);
      ps.push_back(q);
    }
    if (e.layer.empty()) e.layer = "0";
    e.xdata = ReadXData(r.pairs, xstart);
    auto get = [&](int code) -> const Pair* {
      for (const Pair& q : ps) {
        if (q.code == code) return &q;
      }
      return nullptr;
    };
    auto real = [&](int code, double def) {
      const Pair* q = get(code);
      return q ? R(*q) : def;
    };
    auto integer = [&](int code, int def) {
      const Pair* q = get(code);
      return q ? I(*q) : def;
    };
    auto str = [&](int code, const std::string& def) {
      const Pair* q = get(code);
      return q ? S(*q) : def;
    };
    auto point = [&](int code) {
      return Point{real(code, 0), real(code + 10, 0), real(code + 20, 0)};
    };
    bool mirrored =
        extrusion.z < 0 && std::fabs(extrusion.x) < 1e-9 && std::fabs(extrusion.y) < 1e-9;
    bool tilted = !mirrored && (std::fabs(extrusion.x) > 1e-9 || std::fabs(extrusion.y) > 1e-9);
    if (tilted) ++skipped_["傾いた平面の図形 (平面図として読み込み)"];

    const std::string& t = r.type;
    if (t == "LINE") {
      e.shape = Line{point(10), point(11)};
    } else if (t == "CIRCLE") {
      Circle c{point(10), real(40, 0)};
      if (mirrored) c.center.x = -c.center.x;
      e.shape = c;
    } else if (t == "ARC") {
      Arc a{point(10), real(40, 0), real(50, 0), real(51, 360)};
      if (mirrored) {
        // Seen from above, an arc of a downward extrusion runs the other way round.
        a.center.x = -a.center.x;
        double s = 180 - a.endAngle, en = 180 - a.startAngle;
        a.startAngle = std::fmod(s + 360, 360);
        a.endAngle = std::fmod(en + 360, 360);
      }
      e.shape = a;
    } else if (t == "LWPOLYLINE") {
      LwPolyline pl;
      pl.closed = (integer(70, 0) & 1) != 0;
      pl.constantWidth = real(43, 0);
      pl.elevation = real(38, 0);
      for (const Pair& q : ps) {
        if (q.code == 10) pl.vertices.push_back({R(q), 0, 0, 0, 0});
        if (pl.vertices.empty()) continue;
        if (q.code == 20) pl.vertices.back().y = R(q);
        if (q.code == 42) pl.vertices.back().bulge = R(q);
        if (q.code == 40) pl.vertices.back().startWidth = R(q);
        if (q.code == 41) pl.vertices.back().endWidth = R(q);
      }
      if (mirrored) {
        for (PolyVertex& v : pl.vertices) {
          v.x = -v.x;
          v.bulge = -v.bulge;
        }
      }
      e.shape = pl;
    } else if (t == "REGION") {
      // Only a loop the simulated host wrote itself (encoded "x y bulge" lines, see DxfWrite):
      // another writer's solid model is not read.
      Region r;
      for (const Pair& q : ps) {
        if (q.code != 1) continue;
        std::string line = q.value;
        for (char& c : line)
          if (c > ' ' && c < 127) c = static_cast<char>(159 - c);
        const std::size_t a = line.find(' '), b = line.find(' ', a + 1);
        auto x = ParseReal(line.substr(0, a));
        auto y = a == std::string::npos ? std::nullopt : ParseReal(line.substr(a + 1, b - a - 1));
        auto bulge = b == std::string::npos ? std::nullopt : ParseReal(line.substr(b + 1));
        if (!x || !y || !bulge) {
          r.loop.clear();
          break;
        }
        r.loop.push_back({*x, *y, *bulge, 0, 0});
      }
      if (r.loop.size() < 3) {
        ++skipped_[t];
        return std::nullopt;
      }
      if (mirrored) {
        for (PolyVertex& v : r.loop) {
          v.x = -v.x;
          v.bulge = -v.bulge;
        }
      }
      e.shape = r;
    } else if (t == "POLYLINE") {
      int flags = integer(70, 0);
      if (flags & (16 | 64)) {
        ++skipped_[flags & 64 ? "POLYFACE メッシュ" : "3D メッシュ"];
        return std::nullopt;
      }
      if (flags & 8) ++skipped_["3D ポリラインの Z 座標"];
      LwPolyline pl;
      pl.closed = (flags & 1) != 0;
      pl.elevation = real(30, 0);
      for (const RawEntity* v : tail) {
        if (v->type != "VERTEX") continue;
        PolyVertex pv;
        int vf = 0;
        for (const Pair& q : v->pairs) {
          if (q.code == 10) pv.x = R(q);
          if (q.code == 20) pv.y = R(q);
          if (q.code == 42) pv.bulge = R(q);
          if (q.code == 40) pv.startWidth = R(q);
          if (q.code == 41) pv.endWidth = R(q);
          if (q.code == 70) vf = I(q);
        }
        if (vf & 16) continue;  // spline frame control point
        if (mirrored) {
          pv.x = -pv.x;
          pv.bulge = -pv.bulge;
        }
        pl.vertices.push_back(pv);
      }
      e.shape = pl;
    } else if (t == "TEXT" || t == "ATTRIB") {
      Text x;
      x.insert = point(10);
      x.align = point(11);
      x.height = real(40, 2.5);
      x.value = str(1, "");
      x.rotation = real(50, 0);
      x.widthFactor = real(41, 1);
      x.oblique = real(51, 0);
      x.style = str(7, "Standard");
      x.halign = integer(72, 0);
      x.valign = t == "ATTRIB" ? integer(74, 0) : integer(73, 0);
      if (x.halign == 0 && x.valign == 0) x.align = x.insert;
      if (t == "TEXT") {
        e.shape = x;
      } else {
        Attrib a;
        static_cast<Text&>(a) = x;
        a.tag = str(2, "");
        a.flags = integer(70, 0);
        e.shape = Text(a);
      }
    } else if (t == "MTEXT") {
      MText m;
      m.insert = point(10);
      m.height = real(40, 2.5);
      m.width = real(41, 0);
      m.attachment = std::clamp(integer(71, 1), 1, 9);
      m.style = str(7, "Standard");
      std::string raw;
      for (const Pair& q : ps) {
        if (q.code == 3) raw += q.value;
      }
      if (const Pair* q = get(1)) raw += q->value;
      Pair joined{1, raw, r.line};
      m.value = S(joined);
      if (get(11)) {
        m.rotation = std::atan2(real(21, 0), real(11, 1)) * 180 / 3.14159265358979323846;
      } else {
        m.rotation = real(50, 0) * 180 / 3.14159265358979323846;  // radians in MTEXT
      }
      e.shape = m;
    } else if (t == "INSERT") {
      Insert ins;
      ins.block = str(2, "");
      ins.insert = point(10);
      ins.scale = {real(41, 1), real(42, 1), real(43, 1)};
      ins.rotation = real(50, 0);
      if (integer(70, 1) > 1 || integer(71, 1) > 1) ++skipped_["配列挿入の複写"];
      for (const RawEntity* a : tail) {
        if (a->type != "ATTRIB") continue;
        auto conv = Convert(*a, {});
        if (!conv) continue;
        Attrib at;
        static_cast<Text&>(at) = std::get<Text>(conv->shape);
        for (const Pair& q : a->pairs) {
          if (q.code == 2) at.tag = S(q);
          if (q.code == 70) at.flags = I(q);
        }
        ins.attribs.push_back(at);
      }
      e.shape = ins;
    } else if (t == "LEADER") {
      Leader l;
      l.dimStyle = str(3, "Standard");
      l.arrow = integer(71, 1) != 0;
      for (const Pair& q : ps) {
        if (q.code == 10) l.vertices.push_back({R(q), 0, 0});
        if (l.vertices.empty()) continue;
        if (q.code == 20) l.vertices.back().y = R(q);
        if (q.code == 30) l.vertices.back().z = R(q);
      }
      double dimasz = d_.header.dimasz, dimscale = d_.header.dimscale;
      std::string arrowBlock;
      // Overrides of the dimension style travel as the host's own application data.
      for (auto it = e.xdata.begin(); it != e.xdata.end();) {
        if (!SameName(it->app, "ACAD")) {
          ++it;
          continue;
        }
        const auto& items = it->items;
        for (std::size_t k = 0; k + 1 < items.size(); ++k) {
          if (items[k].code != 1070) continue;
          int which = items[k].integer;
          if (which == 41 && items[k + 1].code == 1040) dimasz = items[k + 1].real;
          if (which == 40 && items[k + 1].code == 1040) dimscale = items[k + 1].real;
          if (which == 341 && items[k + 1].code == 1005) {
            auto f = blockRecords_.find(items[k + 1].text);
            if (f != blockRecords_.end()) arrowBlock = f->second;
          }
        }
        it = e.xdata.erase(it);
      }
      l.arrowSize = dimasz * (dimscale > 0 ? dimscale : 1);
      l.arrowBlock = arrowBlock;
      e.shape = l;
    } else if (t == "POINT") {
      e.shape = PointEntity{point(10)};
    } else if (t == "ELLIPSE") {
      Ellipse el;
      el.center = point(10);
      el.majorAxis = point(11);
      el.ratio = real(40, 1);
      el.startParam = real(41, 0);
      el.endParam = real(42, 2 * 3.14159265358979323846);
      e.shape = el;
    } else {
      ++skipped_[t];
      return std::nullopt;
    }
    e.handle = d_.NewHandle();
    return e;
  }

  // Names the entities use that the tables lack are added, as the host does on reading.
  void Finish() {
    auto fixLayer = [&](const std::string& n) {
      if (!d_.FindLayer(n)) {
        Layer l;
        l.name = n;
        d_.layers.push_back(l);
      }
    };
    auto fixStyle = [&](std::string& n) {
      if (!d_.FindStyle(n)) {
        TextStyle s;
        s.name = n;
        d_.styles.push_back(s);
      }
    };
    auto visit = [&](std::vector<Entity>& list) {
      for (auto it = list.begin(); it != list.end();) {
        fixLayer(it->layer);
        if (auto* t = std::get_if<Text>(&it->shape)) fixStyle(t->style);
        if (auto* m = std::get_if<MText>(&it->shape)) fixStyle(m->style);
        if (auto* ins = std::get_if<Insert>(&it->shape)) {
          for (Attrib& a : ins->attribs) fixStyle(a.style);
          if (!d_.FindBlock(ins->block)) {
            ++skipped_["定義のないブロックの参照"];
            it = list.erase(it);
            continue;
          }
        }
        ++it;
      }
    };
    for (Block& b : d_.blocks) visit(b.entities);
    visit(d_.entities);
    RefuseSelfReference();
    if (!d_.FindLayer(d_.header.clayer)) d_.header.clayer = "0";
    if (!d_.FindStyle(d_.header.textstyle)) d_.header.textstyle = "Standard";
  }

  // A block that contains itself, directly or through other blocks, has no end: the host
  // refuses such a file.
  void RefuseSelfReference() const {
    auto key = [](std::string n) {
      for (char& c : n) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return n;
    };
    std::map<std::string, int> state;  // 1 while its contents are walked, 2 when done
    std::function<void(const Block&)> walk = [&](const Block& b) {
      state[key(b.name)] = 1;
      for (const Entity& e : b.entities) {
        auto* ins = std::get_if<Insert>(&e.shape);
        const Block* inner = ins ? d_.FindBlock(ins->block) : nullptr;
        if (!inner) continue;
        int s = state[key(inner->name)];
        if (s == 1)
          throw Failure{"無効または不完全な DXF 入力です (ブロック \"" + inner->name +
                        "\" が自分自身を参照しています)"};
        if (s == 0) walk(*inner);
      }
      state[key(b.name)] = 2;
    };
    for (const Block& b : d_.blocks) {
      if (state[key(b.name)] == 0) walk(b);
    }
  }

  std::vector<Pair> p_;
  std::size_t i_ = 0;
  Decoder dec_;
  Drawing d_;
  std::string version_, codepage_;
  bool viewFromVport_ = false;
  std::map<std::string, std::string> blockRecords_;  // handle -> block name
  std::map<std::string, int> skipped_;
};

}  // namespace

DxfReadResult ReadDxf(std::string_view bytes, platform::CodePage& ansi) {
  DxfReadResult r;
  if (bytes.rfind("AutoCAD Binary DXF", 0) == 0) {
    r.error = "バイナリ DXF は読み込めません";
    return r;
  }
  try {
    std::vector<Pair> pairs = Tokenize(bytes);
    if (pairs.empty()) {
      r.error = "無効または不完全な DXF 入力です (空のファイル)";
      return r;
    }
    Reader reader(std::move(pairs), ansi);
    return reader.Run();
  } catch (const Failure& f) {
    r.error = f.text;
    return r;
  }
}

}  // namespace hostsim
