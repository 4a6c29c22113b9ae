// Drawings as files: DXFOUT, -INSERT of a DXF file (exploded or as a block), opening and
// saving a whole drawing.
#include <algorithm>
#include <cmath>
#include <memory>

#include "hostsim/DxfRead.h"
#include "hostsim/DxfWrite.h"
#include "hostsim/EntityEdit.h"
#include "hostsim/HostCore.h"
#include "hostsim/InsertUnits.h"
#include "hostsim/Keywords.h"
#include "hostsim/Numbers.h"
#include "hostsim/Outline.h"
#include "hostsim/Units.h"

namespace hostsim {

namespace {

std::string Extension(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return UpperOption(path.substr(dot));
}

std::string Stem(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// Application data of names registered neither in the file nor in the drawing is dropped, as
// the host drops it on reading.
void KeepRegistered(std::vector<Entity>& list, const Drawing& file, const Drawing& target) {
  for (Entity& e : list) {
    e.xdata.erase(std::remove_if(e.xdata.begin(), e.xdata.end(),
                                 [&](const XData& x) {
                                   return !file.IsRegistered(x.app) && !target.IsRegistered(x.app);
                                 }),
                  e.xdata.end());
  }
}

// A justified text stands where its alignment point and its extent put it.
void Rejustify(std::vector<Entity>& list) {
  for (Entity& e : list) {
    if (auto* t = std::get_if<Text>(&e.shape)) t->insert = JustifiedInsert(*t);
    if (auto* ins = std::get_if<Insert>(&e.shape)) {
      for (Attrib& a : ins->attribs) a.insert = JustifiedInsert(a);
    }
  }
}

// The view after opening: the file's own when it shows part of the drawing, else the extents.
void FitView(Drawing& d) {
  Box ext;
  for (const Entity& e : d.entities) ext.Add(EntityExtent(e, d));
  Header& h = d.header;
  if (ext.Empty()) {
    if (h.viewHeight <= 0) {
      h.viewHeight = 297;
      h.viewCenter = {210, 148.5, 0};
    }
    return;
  }
  if (h.viewHeight > 0) {
    double half = h.viewHeight / 2;
    bool shows = h.viewCenter.x + half * 1.5 >= ext.x0 && h.viewCenter.x - half * 1.5 <= ext.x1 &&
                 h.viewCenter.y + half >= ext.y0 && h.viewCenter.y - half <= ext.y1;
    if (shows) return;
  }
  h.viewCenter = {(ext.x0 + ext.x1) / 2, (ext.y0 + ext.y1) / 2, 0};
  h.viewHeight = std::max({ext.y1 - ext.y0, (ext.x1 - ext.x0) / 1.5, 1e-6}) * 1.05;
}

struct DxfOutRun {
  std::string path;
  bool objects = false;
  std::vector<Handle> set;
  int version = 2018;
  int precision = 16;
};

struct InsertRun {
  std::string name;
  bool explode = false;
  std::shared_ptr<DxfReadResult> file;  // when the name is a file
  Point at;
  double sx = 1, sy = 1;
};

}  // namespace

void HostCore::ExportDxf(const std::string& path, const std::vector<Handle>& only, int version,
                         int precision) {
  DxfWriteOptions o;
  // Versions other than 2000 and 2004 are written in the 2004 form.
  o.version = version == 2000 ? 2000 : 2004;
  o.precision = precision;
  o.selection = true;
  o.only = only;
  if (exportsLost_ < options_.lostExports) {
    ++exportsLost_;
    return;
  }
  std::string bytes = WriteDxf(drawing_, o, ansi_);
  // A new export of the same file replaces one still being written or held.
  std::erase_if(writing_, [&](const Writing& w) { return w.path == path; });
  std::erase_if(openFiles_, [&](const OpenFile& f) { return f.path == path; });
  const bool inPieces = options_.exportWriteMs > 0;
  if (!files_.Create(path, inPieces ? std::string_view() : std::string_view(bytes))) {
    Say("ファイル \"" + path + "\" に書き込めません。");
    return;
  }
  if (inPieces) {
    // The file is there at once, empty; it grows piece by piece (Step).
    writing_.push_back({path, std::move(bytes), now_, 0});
    writtenBy_ = now_ + options_.exportWriteMs;
  } else if (options_.exportHoldMs == 0) {
    files_.Close(path);
  } else {
    openFiles_.push_back({path, now_ + options_.exportHoldMs});
  }
}

void HostCore::CmdDxfOut() {
  BeginCommand("DXFOUT");
  if (filedia_ == 1) {
    // The file dialog: the main window is disabled until the person closes it.
    dialogOpen_ = true;
    Prompt p;
    p.text = "";
    Ask(std::move(p));
    return;
  }
  std::string def = options_.drawingFolder + Stem(options_.drawingName) + ".dxf";
  auto run = std::make_shared<DxfOutRun>();
  auto precisionPrompt = std::make_shared<std::function<void()>>();
  auto write = [this, run]() {
    std::vector<Handle> only = run->set;
    if (!run->objects) {
      only.clear();
      for (const Entity& e : drawing_.entities) only.push_back(e.handle);
    }
    ExportDxf(run->path, only, run->version, run->precision);
    EndCommand();
  };
  std::weak_ptr<std::function<void()>> again = precisionPrompt;
  *precisionPrompt = [this, run, write, again]() {
    std::string text =
        run->objects ? "精度の小数点以下の桁数を入力 (0 ～ 16) または [バージョン(V)/バイナリ(B)] <"
                     : "精度の小数点以下の桁数を入力 (0 ～ 16) または "
                       "[オブジェクト(O)/バージョン(V)/バイナリ(B)] <";
    text += std::to_string(run->precision) + ">: ";
    auto self = again.lock();
    AskText(text, [this, run, write, self](const std::string& t) {
      if (t.empty()) {
        write();
        return true;
      }
      if (auto n = ParseInteger(t)) {
        if (*n < 0 || *n > 16) return false;
        run->precision = static_cast<int>(*n);
        write();
        return true;
      }
      if (!run->objects && Is(t, "OBJECTS", 1)) {
        SelectObjects([run, self](std::vector<Handle> set) {
          run->objects = true;
          run->set = std::move(set);
          (*self)();
        });
        return true;
      }
      if (Is(t, "VERSION", 1)) {
        AskText("バージョンを入力 [R12/2000/2004/2007/2010/2013/2018] <2018>: ",
                [run, self](const std::string& v) {
                  std::string u = UpperOption(v);
                  if (u.empty()) u = "2018";
                  static const char* const kVersions[] = {"R12",  "2000", "2004", "2007",
                                                          "2010", "2013", "2018"};
                  if (std::find_if(std::begin(kVersions), std::end(kVersions),
                                   [&](const char* k) { return u == k; }) == std::end(kVersions))
                    return false;
                  run->version = u == "R12" ? 12 : std::stoi(u);
                  (*self)();
                  return true;
                });
        return true;
      }
      return false;
    });
  };
  AskName("ファイル名を入力 <" + def + ">: ",
          [this, run, def, precisionPrompt](const std::string& name) {
            std::string path = name.empty() ? def : name;
            if (Extension(path).empty()) path += ".dxf";
            run->path = path;
            (*precisionPrompt)();
            return true;
          });
}

void HostCore::CmdInsert() {
  BeginCommand("-INSERT");
  auto run = std::make_shared<InsertRun>();
  auto place = [this, run](double scale, double degrees) {
    Modify();
    if (run->file) {
      Drawing& src = run->file->drawing;
      // A file is scaled from its units to the drawing's ("About Block Units and Insertion
      // Scale"); one without units (an R12 file) counts as INSUNITSDEFSOURCE's.
      scale *= InsertionScale(
          {src.header.insunits, drawing_.header.insunits, insunitsDefSource_, insunitsDefTarget_});
      // Symbol tables: what the drawing lacks comes from the file; the drawing's own win.
      for (const Layer& l : src.layers) {
        if (!drawing_.FindLayer(l.name)) drawing_.layers.push_back(l);
      }
      for (const TextStyle& s : src.styles) {
        if (!drawing_.FindStyle(s.name)) drawing_.styles.push_back(s);
      }
      for (const Linetype& lt : src.linetypes) {
        if (!drawing_.FindLinetype(lt.name)) drawing_.linetypes.push_back(lt);
      }
      KeepRegistered(src.entities, src, drawing_);
      for (Block& b : src.blocks) KeepRegistered(b.entities, src, drawing_);
      for (const std::string& a : src.appIds) {
        if (!drawing_.IsRegistered(a)) drawing_.appIds.push_back(a);
      }
      for (Block& b : src.blocks) {
        if (drawing_.FindBlock(b.name)) continue;
        for (Entity& e : b.entities) e.handle = drawing_.NewHandle();
        Rejustify(b.entities);
        drawing_.blocks.push_back(b);
      }
    }
    double rad = degrees * kPi / 180;
    if (run->explode) {
      Point base =
          run->file ? run->file->drawing.header.insbase : drawing_.FindBlock(run->name)->base;
      std::vector<Entity> body =
          run->file ? run->file->drawing.entities : drawing_.FindBlock(run->name)->entities;
      Rejustify(body);
      for (Entity& e : body) {
        MoveEntity(e, {-base.x, -base.y, -base.z});
        ScaleEntity(e, {0, 0}, scale);
        RotateEntity(e, {0, 0}, rad);
        MoveEntity(e, run->at);
        e.handle = drawing_.NewHandle();
        drawing_.entities.push_back(std::move(e));
      }
    } else {
      if (run->file) {
        // A file inserted as a block becomes a block definition named after the file.
        Block b;
        b.name = Stem(run->name);
        b.base = run->file->drawing.header.insbase;
        b.entities = run->file->drawing.entities;
        Rejustify(b.entities);
        for (Entity& e : b.entities) e.handle = drawing_.NewHandle();
        if (!drawing_.FindBlock(b.name)) drawing_.blocks.push_back(std::move(b));
        run->name = Stem(run->name);
      }
      Insert ins;
      ins.block = drawing_.FindBlock(run->name)->name;
      ins.insert = run->at;
      ins.scale = {run->sx * scale, run->sy * scale, run->sx * scale};
      ins.rotation = std::fmod(degrees + 360, 360);
      AddEntity(ins);
    }
    EndCommand();
  };
  auto rotation = [this, run, place](double scale) {
    AskText("回転角度を指定 <0>: ", [this, place, scale](const std::string& t) {
      // A typed angle counts from the base angle in the drawing's direction, as every angle
      // the host reads; the default 0 is one too. "-INSERT (Command)": the block is inserted in
      // the current UCS, so the angle is measured from the UCS's X axis.
      auto a = t.empty() ? std::optional<double>(0.0) : ParseAngle(t, drawing_.header);
      if (!a) return false;
      const double direction = DirectionFromTyped(*a, drawing_.header);
      const double ucs = UcsXDirection(drawing_.header);
      place(scale, (direction + ucs) * 180 / kPi);
      return true;
    });
  };
  auto scalePrompt = [this, run, rotation]() {
    if (run->explode) {
      AskText("尺度を指定 <1>: ", [rotation](const std::string& t) {
        auto s = t.empty() ? std::optional<double>(1.0) : ParseReal(t);
        if (!s || *s == 0) return false;
        rotation(*s);
        return true;
      });
      return;
    }
    AskText("X 方向の尺度を指定 または [コーナー(C)/XYZ(XYZ)] <1>: ", [this, run, rotation](
                                                                          const std::string& t) {
      auto sx = t.empty() ? std::optional<double>(1.0) : ParseReal(t);
      if (!sx || *sx == 0) return false;
      run->sx = *sx;
      AskText("Y 方向の尺度を指定 <X 方向の尺度を使用>: ", [run, rotation](const std::string& u) {
        auto sy = u.empty() ? std::optional<double>(run->sx) : ParseReal(u);
        if (!sy || *sy == 0) return false;
        run->sy = *sy;
        rotation(1);
        return true;
      });
      return true;
    });
  };
  AskName("ブロック名を入力 または [?]: ", [this, run, scalePrompt](const std::string& typed) {
    std::string name = typed;
    if (name.empty()) {
      EndCommand();
      return true;
    }
    if (name[0] == '*') {
      run->explode = true;
      name.erase(0, 1);
    }
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
      name = name.substr(1, name.size() - 2);
    run->name = name;
    bool isPath = name.find_first_of("\\/:") != std::string::npos || Extension(name) == ".DXF" ||
                  Extension(name) == ".DWG";
    if (!isPath && !drawing_.FindBlock(name)) {
      // A name the drawing does not know is looked for as a drawing file.
      isPath = true;
    }
    if (isPath) {
      std::optional<std::string> bytes = files_.Read(name);
      if (!bytes && Extension(name).empty()) {
        for (const char* ext : {".dwg", ".dxf"}) {
          if ((bytes = files_.Read(name + ext))) {
            run->name = name + ext;
            break;
          }
        }
      }
      if (!bytes) {
        Say("\"" + name + "\" が見つかりません。");
        Say("*無効*");
        EndCommand();
        return true;
      }
      if (bytes->rfind("AC10", 0) == 0) {
        Say("このホストは DWG ファイルを読み込めません。");
        Say("*無効*");
        EndCommand();
        return true;
      }
      auto result = std::make_shared<DxfReadResult>(ReadDxf(*bytes, ansi_));
      if (!result->ok) {
        Say(result->error);
        Say("*無効*");
        EndCommand();
        return true;
      }
      run->file = result;
    }
    AskPoint("挿入位置を指定 または [基点(B)/尺度(S)/回転(R)]: ", [run, scalePrompt](Point p) {
      run->at = p;
      scalePrompt();
    });
    return true;
  });
}

std::string HostCore::LoadDrawing(std::string_view dxfBytes, const std::string& name) {
  DxfReadResult r = ReadDxf(dxfBytes, ansi_);
  if (!r.ok) return r.error;
  Drawing fresh;
  KeepRegistered(r.drawing.entities, r.drawing, fresh);
  for (Block& b : r.drawing.blocks) KeepRegistered(b.entities, r.drawing, fresh);
  Rejustify(r.drawing.entities);
  for (Block& b : r.drawing.blocks) Rejustify(b.entities);
  FitView(r.drawing);
  drawing_ = std::move(r.drawing);
  loadNotes_ = std::move(r.notes);
  options_.drawingName = Stem(name) + ".dwg";
  undo_.clear();
  previous_.clear();
  stack_.clear();
  input_.clear();
  busy_ = false;
  typeAhead_.clear();
  Idle_();
  return {};
}

std::string HostCore::SaveDrawing() const {
  DxfWriteOptions o;
  o.version = 2000;
  o.precision = 16;
  return WriteDxf(drawing_, o, ansi_);
}

}  // namespace hostsim
