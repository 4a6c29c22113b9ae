// The command line: typed characters, prompts, history, commands and their undo groups, and the
// scripted user's turn.
#include <algorithm>
#include <cmath>

#include "hostsim/HostCore.h"
#include "hostsim/Keywords.h"
#include "hostsim/Outline.h"
#include "hostsim/Units.h"

namespace hostsim {

namespace {

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

void PopCodePoint(std::string& s) {
  while (!s.empty()) {
    unsigned char c = static_cast<unsigned char>(s.back());
    s.pop_back();
    if ((c & 0xC0) != 0x80) break;
  }
}

// Command names as typed (upper case, without "_" or ".") and what they run.
struct CommandEntry {
  const char* name;
  void (HostCore::*run)();
};

}  // namespace

HostCore::HostCore(HostFiles& files, platform::CodePage& ansi, HostOptions options)
    : files_(files), ansi_(ansi), options_(std::move(options)) {
  drawing_.header.viewHeight = 297;
  drawing_.header.viewCenter = {210, 148.5, 0};
  Idle_();
}

std::string HostCore::historyText() const {
  std::string out;
  for (const std::string& l : history_) {
    out += l;
    out += "\r\n";
  }
  return out;
}

Handle HostCore::lastCreated() const {
  for (auto it = drawing_.entities.rbegin(); it != drawing_.entities.rend(); ++it) {
    if (Selectable(*it)) return it->handle;
  }
  return 0;
}

bool HostCore::Selectable(const Entity& e) const {
  const Layer* l = drawing_.FindLayer(e.layer);
  return !l || (l->on && !l->frozen);
}

bool HostCore::Editable(const Entity& e) const {
  const Layer* l = drawing_.FindLayer(e.layer);
  return Selectable(e) && !(l && l->locked);
}

double HostCore::ViewSize() const {
  return drawing_.header.viewHeight > 0 ? drawing_.header.viewHeight : 297;
}

Point HostCore::ViewCenter() const { return drawing_.header.viewCenter; }

double HostCore::PickTolerance() const { return pickbox_ * ViewSize() / options_.viewPixels; }

// --- Prompts and history ---

void HostCore::Notify() {
  bool nested = !stack_.empty() && stack_.back().transparent;
  currentLine_ = (nested ? ">>" : "") + prompt_.text + input_;
  if (onChange_) onChange_();
}

void HostCore::Ask(Prompt p) {
  prompt_ = std::move(p);
  promptSince_ = now_;
  Notify();
}

void HostCore::Say(const std::string& line) {
  history_.push_back(line);
  while (history_.size() > options_.historyLines) history_.pop_front();
  pickLineOpen_ = false;
}

void HostCore::SayOnPromptLine(const std::string& text) {
  if (pickLineOpen_ && !history_.empty()) {
    history_.back() += text;
  } else {
    Say(text);
  }
  pickLineOpen_ = false;
}

void HostCore::Commit(const std::string& echo) {
  bool nested = !stack_.empty() && stack_.back().transparent;
  Say((nested ? ">>" : "") + prompt_.text + echo);
}

void HostCore::Idle_() {
  Prompt p;
  p.text = "コマンド: ";
  p.command = true;
  p.onText = [this](const std::string& t) { RunCommandLine(t); };
  Ask(std::move(p));
}

void HostCore::ReturnToPrompt(bool quick) {
  std::uint64_t until = now_;
  if (!quick) until = std::max(now_ + options_.commandDelayMs, writtenBy_);
  if (until <= now_) {
    Idle_();
    return;
  }
  // Still working: the line shows what was last entered, the keyboard waits.
  busy_ = true;
  busyUntil_ = until;
  Prompt p;
  p.text = history_.empty() || history_.back().empty() ? prompt_.text : history_.back();
  Ask(std::move(p));
}

// --- Keyboard ---

bool HostCore::BlankEndsInput() const {
  if (prompt_.spaces) return false;
  if (!prompt_.quotedName) return true;
  // Inside a name that began with a double quote, until its closing quote.
  return input_.empty() || input_[0] != '"' || input_.find('"', 1) != std::string::npos;
}

void HostCore::Type(std::string_view text) {
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (busy_) {
      // The host is still working on a command: the rest waits for its prompt.
      typeAhead_.append(text.substr(k));
      break;
    }
    const char ch = text[k];
    unsigned char c = static_cast<unsigned char>(ch);
    if (dialogOpen_) continue;  // a dialog box has the keyboard
    if (c == 0x03) {
      Cancel();
    } else if (c == '\r' || c == '\n' || (c == ' ' && BlankEndsInput())) {
      Enter();
    } else if (c == '\b') {
      PopCodePoint(input_);
    } else if (c >= 0x20 && c != 0x7F) {
      input_.push_back(ch);
    }
  }
  Notify();
}

void HostCore::Enter() {
  std::string typed = input_;
  input_.clear();
  Commit(typed);
  if (!prompt_.command && !stack_.empty() && !typed.empty() && typed[0] == '\'') {
    // A transparent command inside a running one.
    Prompt interrupted = prompt_;
    std::string name = UpperAscii(typed.substr(1));
    while (!name.empty() && (name[0] == '_' || name[0] == '.')) name.erase(0, 1);
    if (stack_.back().transparent) {
      Say("** ネストした透過コマンドは使用できません **");
      Ask(interrupted);
      return;
    }
    if (!RunCommand(name, true)) {
      Say("** このコマンドは透過的に使用できません **");
      Ask(interrupted);
      return;
    }
    return;
  }
  auto handler = prompt_.onText;
  if (handler) handler(typed);
}

void HostCore::Cancel() {
  Commit(input_ + "*キャンセル*");
  input_.clear();
  bool quick = true;
  if (!stack_.empty()) {
    // What the command changed so far stays, as one undo group.
    CommandFrame& outer = stack_.front();
    quick = outer.quick;
    if (outer.before) undo_.push_back({outer.name, false, std::move(*outer.before)});
    stack_.clear();
  }
  dialogOpen_ = false;
  ReturnToPrompt(quick);
}

void HostCore::Click(Vec p) {
  auto handler = prompt_.onClick;
  if (!handler) return;
  Commit(input_);
  input_.clear();
  pickLineOpen_ = true;
  handler(p);
}

void HostCore::Box(Vec a, Vec b, bool crossing) {
  auto handler = prompt_.onBox;
  if (!handler) {
    Click(a);
    return;
  }
  Commit(input_);
  input_.clear();
  pickLineOpen_ = true;
  handler(a, b, crossing);
}

// --- Commands ---

void HostCore::RunCommandLine(const std::string& typed) {
  std::string t = Trim(typed);
  if (t.empty()) {
    // Enter at the command prompt repeats the last command.
    if (lastCommand_.empty() || !RunCommand(lastCommand_, false)) Idle_();
    return;
  }
  std::string name = UpperAscii(t);
  if (name[0] == '\'') name.erase(0, 1);
  while (!name.empty() && (name[0] == '_' || name[0] == '.')) name.erase(0, 1);
  if (name.size() > 1 && name[0] == '-') {
    // "-_LAYER" as well as "_-LAYER".
    std::size_t k = 1;
    while (k < name.size() && (name[k] == '_' || name[k] == '.')) ++k;
    name = "-" + name.substr(k);
  }
  if (!RunCommand(name, false)) {
    Say("不明なコマンド \"" + UpperAscii(t) + "\"。F1 キーを押してヘルプを表示してください。");
    Idle_();
  }
}

bool HostCore::RunCommand(const std::string& name, bool transparent) {
  static const CommandEntry kCommands[] = {
      {"ID", &HostCore::CmdId},         {"SELECT", &HostCore::CmdSelect},
      {"DXFOUT", &HostCore::CmdDxfOut}, {"-INSERT", &HostCore::CmdInsert},
      {"-I", &HostCore::CmdInsert},     {"-BOUNDARY", &HostCore::CmdBoundary},
      {"-BO", &HostCore::CmdBoundary},  {"ERASE", &HostCore::CmdErase},
      {"E", &HostCore::CmdErase},       {"UNDO", &HostCore::CmdUndo},
      {"LINE", &HostCore::CmdLine},     {"L", &HostCore::CmdLine},
      {"LEADER", &HostCore::CmdLeader}, {"LEAD", &HostCore::CmdLeader},
      {"ROTATE", &HostCore::CmdRotate}, {"RO", &HostCore::CmdRotate},
      {"MOVE", &HostCore::CmdMove},     {"M", &HostCore::CmdMove},
      {"-LAYER", &HostCore::CmdLayer},  {"-LA", &HostCore::CmdLayer},
  };
  if (name == "SETVAR" || name == "SET") {
    lastCommand_ = name;
    CmdSetvar(transparent);
    return true;
  }
  if (RunVariable(name, transparent)) {
    if (!transparent) lastCommand_ = name;
    return true;
  }
  if (transparent) return false;
  if (name == "U") {
    lastCommand_ = name;
    UndoBack(1, false);
    ReturnToPrompt(false);
    return true;
  }
  for (const CommandEntry& c : kCommands) {
    if (name == c.name) {
      lastCommand_ = name;
      (this->*c.run)();
      return true;
    }
  }
  return false;
}

void HostCore::BeginCommand(const std::string& name, bool transparent) {
  CommandFrame f;
  f.name = name;
  f.transparent = transparent && !stack_.empty();
  if (f.transparent) f.interrupted = prompt_;
  stack_.push_back(std::move(f));
}

void HostCore::EndCommand() {
  if (stack_.empty()) {
    Idle_();
    return;
  }
  CommandFrame f = std::move(stack_.back());
  stack_.pop_back();
  if (f.transparent && !stack_.empty()) {
    Say(stack_.back().name + " コマンドを再開します。");
    Ask(f.interrupted);
    return;
  }
  if (f.before) undo_.push_back({f.name, false, std::move(*f.before)});
  stack_.clear();
  ReturnToPrompt(f.quick);
}

void HostCore::Modify() {
  if (stack_.empty()) return;
  // Changes of a transparent command belong to the group of the command it interrupted.
  CommandFrame& owner = stack_.front();
  if (!owner.before) owner.before = drawing_;
  owner.changed = true;
}

Handle HostCore::AddEntity(Shape shape) {
  Modify();
  Entity e;
  e.handle = drawing_.NewHandle();
  e.layer = drawing_.header.clayer;
  e.shape = std::move(shape);
  drawing_.entities.push_back(std::move(e));
  return drawing_.entities.back().handle;
}

// --- Asking for points and texts ---

void HostCore::AskPoint(const std::string& text, PointFn got, TextFn other, bool following) {
  Prompt p;
  p.text = text;
  p.interactive = true;
  p.onText = [this, text, got, other, following](const std::string& typed) {
    if (other && other(typed)) return;
    // "DYNPICOORDS (System Variable)": with pointer input on ("DYNMODE (System Variable)", 1 or
    // 3) a second or next point is relative unless DYNPICOORDS is 1.
    const bool pointerInput = dynmode_ == 1 || dynmode_ == 3;
    const bool relative = following && pointerInput && dynpicoords_ == 0;
    if (auto pt = ParsePoint(typed, lastPoint_, drawing_.header, relative)) {
      lastPoint_ = *pt;
      got(*pt);
      return;
    }
    Say("点、またはオプション キーワードが必要です。");
    AskPoint(text, got, other, following);
  };
  p.onClick = [this, got](Vec v) {
    Point pt = Snap(v);
    lastPoint_ = pt;
    got(pt);
  };
  Ask(std::move(p));
}

void HostCore::AskName(const std::string& text, TextFn got) {
  Prompt p;
  p.text = text;
  p.quotedName = true;
  p.onText = [this, text, got](const std::string& typed) {
    std::string name = typed;
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
      name = name.substr(1, name.size() - 2);
    if (!got(name)) {
      Say("無効な入力です。");
      AskName(text, got);
    }
  };
  Ask(std::move(p));
}

void HostCore::AskText(const std::string& text, TextFn got, bool spaces) {
  Prompt p;
  p.text = text;
  p.spaces = spaces;
  p.onText = [this, text, got, spaces](const std::string& typed) {
    if (!got(typed)) {
      Say("無効な入力です。");
      AskText(text, got, spaces);
    }
  };
  Ask(std::move(p));
}

// Running object snaps for picked points: end points, midpoints, centres, nodes and
// intersections within the aperture.
Point HostCore::Snap(Vec pick) const {
  if (osmode_ == 0 || (osmode_ & 16384)) return {pick.x, pick.y, 0};
  double ap = aperture_ * ViewSize() / options_.viewPixels;
  std::vector<Piece> near;
  std::vector<Vec> cands;
  for (const Entity& e : drawing_.entities) {
    if (!Selectable(e)) continue;
    if ((osmode_ & 8) != 0) {
      if (auto* pe = std::get_if<PointEntity>(&e.shape)) cands.push_back(ToVec(pe->location));
    }
    if (std::holds_alternative<Text>(e.shape) || std::holds_alternative<MText>(e.shape)) continue;
    for (const Piece& p : Outline(e, drawing_)) {
      if (Distance(p, pick) > ap) continue;
      near.push_back(p);
      bool full = p.arc && p.sweep >= 2 * kPi - 1e-12;
      if ((osmode_ & 1) && !full) {
        cands.push_back(p.a);
        cands.push_back(p.b);
      }
      if (osmode_ & 2) cands.push_back(PointAt(p, 0.5));
      if ((osmode_ & 4) && p.arc) cands.push_back(p.c);
    }
  }
  if (osmode_ & 32) {
    for (std::size_t i = 0; i < near.size(); ++i) {
      for (std::size_t j = i + 1; j < near.size(); ++j) {
        for (Vec v : Intersections(near[i], near[j], 1e-9)) cands.push_back(v);
      }
    }
  }
  Vec best = pick;
  double bestD = ap;
  for (Vec c : cands) {
    double d = std::hypot(c.x - pick.x, c.y - pick.y);
    if (d <= bestD) {
      bestD = d;
      best = c;
    }
  }
  return {best.x, best.y, 0};
}

// --- Time and the scripted user ---

void HostCore::Tick(std::uint64_t now) {
  // Everything due by now happens in order, each at its own moment, however coarse the ticks:
  // a person's actions, a command's prompt coming back, the pieces of a file being written.
  for (int guard = 0; guard < 100000 && Step(now); ++guard) {
  }
  now_ = std::max(now_, now);
  Notify();
}

// Pieces in which an export is written when it takes time.
constexpr unsigned kExportPieces = 4;

bool HostCore::Step(std::uint64_t limit) {
  enum class What { None, Piece, Close, Prompt, User } what = What::None;
  std::uint64_t at = 0;
  std::size_t index = 0;
  auto consider = [&](std::uint64_t t, What w, std::size_t i) {
    if (t <= limit && (what == What::None || t < at)) {
      at = t;
      what = w;
      index = i;
    }
  };
  for (std::size_t i = 0; i < writing_.size(); ++i) {
    const Writing& w = writing_[i];
    consider(w.start + std::uint64_t{options_.exportWriteMs} * (w.piecesDone + 1) / kExportPieces,
             What::Piece, i);
  }
  for (std::size_t i = 0; i < openFiles_.size(); ++i)
    consider(openFiles_[i].closeAt, What::Close, i);
  if (busy_) {
    consider(busyUntil_, What::Prompt, 0);
  } else if (const UserAction* next = user_.Next(); next && (prompt_.interactive || dialogOpen_)) {
    consider(promptSince_ + next->delayMs.value_or(options_.userDelayMs), What::User, 0);
  }
  if (what == What::None) return false;
  now_ = std::max(now_, at);
  switch (what) {
    case What::Piece: {
      Writing& w = writing_[index];
      const std::size_t from = w.bytes.size() * w.piecesDone / kExportPieces;
      ++w.piecesDone;
      const std::size_t to = w.bytes.size() * w.piecesDone / kExportPieces;
      files_.Append(w.path, std::string_view(w.bytes).substr(from, to - from));
      if (w.piecesDone == kExportPieces) {
        std::string path = std::move(w.path);
        writing_.erase(writing_.begin() + static_cast<std::ptrdiff_t>(index));
        if (options_.exportHoldMs == 0) {
          files_.Close(path);
        } else {
          openFiles_.push_back({path, now_ + options_.exportHoldMs});
        }
      }
      break;
    }
    case What::Close:
      files_.Close(openFiles_[index].path);
      openFiles_.erase(openFiles_.begin() + static_cast<std::ptrdiff_t>(index));
      break;
    case What::Prompt: {
      busy_ = false;
      Idle_();
      std::string typed = std::move(typeAhead_);
      typeAhead_.clear();
      Type(typed);
      break;
    }
    case What::User:
      PerformUserAction();
      promptSince_ = at;
      break;
    case What::None:
      break;
  }
  return true;
}

void HostCore::PerformUserAction() {
  UserAction a = user_.Take();
  promptSince_ = now_;
  if (dialogOpen_) {
    // The only answers to a dialog box here: close it.
    if (a.kind == UserAction::Kind::Escape || a.kind == UserAction::Kind::Enter) {
      dialogOpen_ = false;
      Cancel();
    }
    return;
  }
  switch (a.kind) {
    case UserAction::Kind::Click:
      Click(a.a);
      break;
    case UserAction::Kind::Window:
      Box(a.a, a.b, false);
      break;
    case UserAction::Kind::Crossing:
      Box(a.a, a.b, true);
      break;
    case UserAction::Kind::Enter:
      Type("\r");
      break;
    case UserAction::Kind::Escape:
      Type("\x03");
      break;
    case UserAction::Kind::Type:
      Type(a.text);
      break;
  }
  promptSince_ = now_;
}

}  // namespace hostsim
