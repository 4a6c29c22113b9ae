// System variables: SETVAR, a variable's name typed as a command, and their values as the host
// shows them.
#include <cmath>

#include "hostsim/HostCore.h"
#include "hostsim/Numbers.h"
#include "hostsim/Units.h"

namespace hostsim {

namespace {

enum class Kind { Int, Real, Angle, Text, Point };

struct VarSpec {
  const char* name;
  Kind kind;
  bool readOnly;
  int min;
  int max;
};

const VarSpec kVars[] = {
    {"ACADVER", Kind::Text, true, 0, 0},
    {"ANGBASE", Kind::Angle, false, 0, 0},
    {"ANGDIR", Kind::Int, false, 0, 1},
    {"APERTURE", Kind::Int, false, 1, 50},
    {"AUNITS", Kind::Int, false, 0, 4},
    {"AUPREC", Kind::Int, false, 0, 8},
    {"CLAYER", Kind::Text, false, 0, 0},
    {"DIMASZ", Kind::Real, false, 0, 0},
    {"DIMLDRBLK", Kind::Text, false, 0, 0},
    {"DIMSCALE", Kind::Real, false, 0, 0},
    {"DWGNAME", Kind::Text, true, 0, 0},
    {"DYNMODE", Kind::Int, false, -3, 3},
    {"DYNPICOORDS", Kind::Int, false, 0, 1},
    {"DWGPREFIX", Kind::Text, true, 0, 0},
    {"FILEDIA", Kind::Int, false, 0, 1},
    {"HPBOUND", Kind::Int, false, 0, 1},
    {"INSUNITS", Kind::Int, false, 0, 24},
    {"INSUNITSDEFSOURCE", Kind::Int, false, 0, 20},
    {"INSUNITSDEFTARGET", Kind::Int, false, 0, 20},
    {"LASTPOINT", Kind::Point, false, 0, 0},
    {"LUNITS", Kind::Int, false, 1, 5},
    {"LUPREC", Kind::Int, false, 0, 8},
    {"OSMODE", Kind::Int, false, 0, 32767},
    {"PICKBOX", Kind::Int, false, 0, 50},
    {"TEXTSIZE", Kind::Real, false, 0, 0},
    {"TEXTSTYLE", Kind::Text, false, 0, 0},
    {"UCSORG", Kind::Point, true, 0, 0},
    {"UCSXDIR", Kind::Point, true, 0, 0},
    {"UCSYDIR", Kind::Point, true, 0, 0},
    {"VIEWCTR", Kind::Point, true, 0, 0},
    {"VIEWSIZE", Kind::Real, true, 0, 0},
};

const VarSpec* FindVar(std::string_view name) {
  for (const VarSpec& v : kVars) {
    if (SameName(v.name, name)) return &v;
  }
  return nullptr;
}

// Arrow heads the host knows by name, besides the blocks of the drawing.
const char* const kArrows[] = {
    "_CLOSEDBLANK", "_CLOSED",     "_DOT",         "_ARCHTICK", "_OBLIQUE",  "_OPEN",  "_ORIGIN",
    "_ORIGIN2",     "_OPEN90",     "_OPEN30",      "_DOTSMALL", "_DOTBLANK", "_SMALL", "_BOXBLANK",
    "_BOXFILLED",   "_DATUMBLANK", "_DATUMFILLED", "_INTEGRAL", "_NONE"};

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

std::optional<std::string> HostCore::Variable(std::string_view name) const {
  const VarSpec* v = FindVar(name);
  if (!v) return std::nullopt;
  const Header& h = drawing_.header;
  std::string n = v->name;
  if (n == "ACADVER") return Quote("22.0s (LMS Tech)");
  if (n == "ANGBASE") return ShowAngle(h.angbase, h);
  if (n == "ANGDIR") return std::to_string(h.angdir);
  if (n == "APERTURE") return std::to_string(aperture_);
  if (n == "AUNITS") return std::to_string(h.aunits);
  if (n == "AUPREC") return std::to_string(h.auprec);
  if (n == "CLAYER") return Quote(h.clayer);
  if (n == "DIMASZ") return ShowDistance(h.dimasz, h);
  if (n == "DIMLDRBLK") return Quote(h.dimldrblk);
  if (n == "DIMSCALE") return ShowDistance(h.dimscale, h);
  if (n == "DWGNAME") return Quote(options_.drawingName);
  if (n == "DWGPREFIX") return Quote(options_.drawingFolder);
  if (n == "DYNMODE") return std::to_string(dynmode_);
  if (n == "DYNPICOORDS") return std::to_string(dynpicoords_);
  if (n == "FILEDIA") return std::to_string(filedia_);
  if (n == "HPBOUND") return std::to_string(hpbound_);
  if (n == "INSUNITS") return std::to_string(h.insunits);
  if (n == "INSUNITSDEFSOURCE") return std::to_string(insunitsDefSource_);
  if (n == "INSUNITSDEFTARGET") return std::to_string(insunitsDefTarget_);
  // "LASTPOINT (System Variable)": the last point, expressed in UCS coordinates.
  if (n == "LASTPOINT") return ShowPoint(WorldToUcs(lastPoint_, h), h);
  if (n == "LUNITS") return std::to_string(h.lunits);
  if (n == "LUPREC") return std::to_string(h.luprec);
  if (n == "OSMODE") return std::to_string(osmode_);
  if (n == "PICKBOX") return std::to_string(pickbox_);
  if (n == "TEXTSIZE") return ShowDistance(h.textsize, h);
  if (n == "TEXTSTYLE") return Quote(h.textstyle);
  // "UCSORG (System Variable)", "UCSXDIR (System Variable)", "UCSYDIR (System Variable)":
  // read-only, in world coordinates, shown as every point is.
  if (n == "UCSORG") return ShowPoint(h.ucsorg, h);
  if (n == "UCSXDIR") return ShowPoint(h.ucsxdir, h);
  if (n == "UCSYDIR") return ShowPoint(h.ucsydir, h);
  if (n == "VIEWCTR") return ShowPoint(ViewCenter(), h);
  if (n == "VIEWSIZE") return ShowDistance(ViewSize(), h);
  return std::nullopt;
}

std::string HostCore::Variables() const {
  std::string out;
  for (const VarSpec& v : kVars) out += std::string(v.name) + "=" + *Variable(v.name) + "\n";
  return out;
}

// Sets a variable from typed text; returns the host's complaint, empty when set.
std::string HostCore::SetVariable(const std::string& name, const std::string& typed) {
  const VarSpec* v = FindVar(name);
  std::string n = v->name;
  Header h = drawing_.header;
  switch (v->kind) {
    case Kind::Int: {
      auto i = ParseInteger(typed);
      if (!i) return "整数値が必要です。";
      if (*i < v->min || *i > v->max)
        return std::to_string(v->min) + " から " + std::to_string(v->max) + " の整数が必要です。";
      int value = static_cast<int>(*i);
      if (n == "OSMODE") osmode_ = value;
      if (n == "FILEDIA") filedia_ = value;
      if (n == "HPBOUND") hpbound_ = value;
      if (n == "PICKBOX") pickbox_ = value;
      if (n == "APERTURE") aperture_ = value;
      if (n == "INSUNITS") h.insunits = value;
      if (n == "INSUNITSDEFSOURCE") insunitsDefSource_ = value;
      if (n == "INSUNITSDEFTARGET") insunitsDefTarget_ = value;
      if (n == "DYNMODE") dynmode_ = value;
      if (n == "DYNPICOORDS") dynpicoords_ = value;
      if (n == "ANGDIR") h.angdir = value;
      if (n == "AUNITS") h.aunits = value;
      if (n == "AUPREC") h.auprec = value;
      if (n == "LUNITS") h.lunits = value;
      if (n == "LUPREC") h.luprec = value;
      break;
    }
    case Kind::Real: {
      auto r = ParseReal(typed);
      if (!r) return "数値が必要です。";
      if (*r < 0) return "正の値またはゼロが必要です。";
      if (n == "DIMASZ") h.dimasz = *r;
      if (n == "DIMSCALE") h.dimscale = *r;
      if (n == "TEXTSIZE") {
        if (*r <= 0) return "ゼロ以外の正の値が必要です。";
        h.textsize = *r;
      }
      break;
    }
    case Kind::Angle: {
      auto a = ParseAngle(typed, h);
      if (!a) return "角度が必要です。";
      // The base is kept as an angle from east; a typed value is read as the user sees it.
      h.angbase = NormalizeAngle(*a);
      break;
    }
    case Kind::Point: {
      auto p = ParsePoint(typed, lastPoint_, h);
      if (!p) return "点が必要です。";
      lastPoint_ = *p;
      break;
    }
    case Kind::Text: {
      // The value as typed: "SETVAR (Command)" and the variables' pages ("CLAYER (System
      // Variable)", "TEXTSTYLE (System Variable)") describe entering the value, not quotes
      // around it, so a quote is part of the name (and no layer or style is named so).
      const std::string& s = typed;
      if (n == "CLAYER") {
        const Layer* l = drawing_.FindLayer(s);
        if (!l || l->frozen) return "CLAYER をその値に設定できません。";
        h.clayer = l->name;
      } else if (n == "TEXTSTYLE") {
        const TextStyle* st = drawing_.FindStyle(s);
        if (!st) return "TEXTSTYLE をその値に設定できません。";
        h.textstyle = st->name;
      } else if (n == "DIMLDRBLK") {
        // "DIMLDRBLK (System Variable)": a single period gives back the default closed filled
        // arrow; an empty pair of quotes is no name the page describes.
        if (s == ".") {
          h.dimldrblk.clear();
        } else {
          std::string name = s;
          bool known = drawing_.FindBlock(name) != nullptr;
          for (const char* a : kArrows) {
            if (SameName(a, name) || SameName(std::string(a).substr(1), name)) {
              known = true;
              name = a;
            }
          }
          if (!known) return "ブロック " + Quote(s) + " が見つかりません。";
          h.dimldrblk = name;
        }
      }
      break;
    }
  }
  auto differs = [](const Header& a, const Header& b) {
    return a.aunits != b.aunits || a.auprec != b.auprec || a.angbase != b.angbase ||
           a.angdir != b.angdir || a.lunits != b.lunits || a.luprec != b.luprec ||
           a.clayer != b.clayer || a.textstyle != b.textstyle || a.dimasz != b.dimasz ||
           a.dimscale != b.dimscale || a.dimldrblk != b.dimldrblk || a.textsize != b.textsize ||
           a.insunits != b.insunits;
  };
  if (differs(h, drawing_.header)) {
    // Settings saved with the drawing are undone with it.
    Modify();
    drawing_.header = h;
  }
  return {};
}

std::string HostCore::Preset(std::string_view name, const std::string& value) {
  const VarSpec* v = FindVar(name);
  if (!v) return "不明な変数名です。";
  if (v->readOnly) return std::string(v->name) + " は読み込み専用です。";
  return SetVariable(v->name, value);
}

void HostCore::AskVariable(const std::string& name) {
  std::string shown = *Variable(name);
  std::string text = SameName(name, "DIMLDRBLK")
                         ? name + " の新しい値を入力、なしの場合は . を入力 <" + shown + ">: "
                         : name + " の新しい値を入力 <" + shown + ">: ";
  Prompt p;
  p.text = text;
  // A blank ends the value, a name's too: the reference describes no quoting at a variable's
  // value prompt (unlike file names, and -LAYER's name prompts).
  p.onText = [this, name](const std::string& typed) {
    if (typed.empty()) {
      EndCommand();
      return;
    }
    std::string complaint = SetVariable(name, typed);
    if (!complaint.empty()) {
      Say(complaint);
      AskVariable(name);
      return;
    }
    EndCommand();
  };
  Ask(std::move(p));
}

bool HostCore::RunVariable(const std::string& typedName, bool transparent) {
  const VarSpec* v = FindVar(typedName);
  if (!v) return false;
  std::string name = v->name;
  BeginCommand(name, transparent);
  stack_.back().quick = true;
  if (v->readOnly) {
    Say(name + " = " + *Variable(name) + " (読み込み専用)");
    EndCommand();
  } else {
    AskVariable(name);
  }
  return true;
}

void HostCore::CmdSetvar(bool transparent) {
  BeginCommand("SETVAR", transparent);
  stack_.back().quick = true;
  std::string text = "変数名を入力 または [?]";
  if (!lastSetvar_.empty()) text += " <" + lastSetvar_ + ">";
  text += ": ";
  AskText(text, [this](const std::string& typed) {
    std::string name = typed.empty() ? lastSetvar_ : typed;
    if (name.empty()) {
      EndCommand();
      return true;
    }
    const VarSpec* v = FindVar(name);
    if (!v) {
      Say("不明な変数名です。変数リストについては SETVAR ? と入力してください。");
      EndCommand();
      return true;
    }
    lastSetvar_ = v->name;
    if (v->readOnly) {
      Say(std::string(v->name) + " = " + *Variable(v->name) + " (読み込み専用)");
      EndCommand();
    } else {
      AskVariable(v->name);
    }
    return true;
  });
}

}  // namespace hostsim
