// The simulated CAD host: a command line that takes typed characters as the host does, its
// prompts and history, system variables, commands with undo, a scripted user who answers the
// host's requests for picks, and the drawing. Portable: the real windows (hostsim.exe) and the
// in-memory windows of the native tests only carry characters in and texts out.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/Curves.h"
#include "hostsim/Drawing.h"
#include "hostsim/ScriptedUser.h"
#include "platform/CodePage.h"

namespace hostsim {

struct HostOptions {
  unsigned userDelayMs = 300;  // how long the scripted user takes before each action
  unsigned exportHoldMs = 50;  // how long a DXF file stays open after it is complete
  // A slow host: every command (setting a variable is none) ends this long before the command
  // prompt comes back; what is typed meanwhile waits, as the host's type-ahead does.
  unsigned commandDelayMs = 0;
  // DXFOUT writes its file in pieces over this long: the file appears empty, grows, and the
  // command's prompt comes back only when it is complete. 0: written in one go.
  unsigned exportWriteMs = 0;
  // A host that loses exports: the first this many DXFOUT commands run to their end as usual
  // but leave no file behind.
  unsigned lostExports = 0;
  int viewPixels = 1000;           // height of the drawing area in pixels (pick box, aperture)
  std::size_t historyLines = 400;  // lines the text window keeps
  std::string drawingName = "Drawing1.dwg";
  std::string drawingFolder = "C:\\Users\\user\\Documents\\";
};

// How the host touches files. A file written by DXFOUT stays open for writing (so that another
// program's exclusive open fails) from Create, through any Append, until Close.
class HostFiles {
 public:
  virtual ~HostFiles() = default;
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  virtual bool Create(const std::string& path, std::string_view bytes) = 0;
  virtual bool Append(const std::string& path, std::string_view bytes) = 0;
  virtual void Close(const std::string& path) = 0;
};

class HostCore {
 public:
  HostCore(HostFiles& files, platform::CodePage& ansi, HostOptions options = {});
  HostCore(const HostCore&) = delete;
  HostCore& operator=(const HostCore&) = delete;

  // Characters as keyed in at the command line (UTF-8): CR, LF or (mostly) a blank is Enter,
  // ETX cancels, BS deletes.
  void Type(std::string_view text);
  // Time passes (milliseconds, any monotonic origin): the user acts, open files are closed.
  void Tick(std::uint64_t now);

  // What the text window shows: the current line and the lines before it.
  const std::string& currentLine() const { return currentLine_; }
  std::string historyText() const;  // lines joined by CR LF
  const std::deque<std::string>& historyLines() const { return history_; }
  bool Idle() const { return stack_.empty() && input_.empty() && !busy_ && typeAhead_.empty(); }
  // Still busy with something: a command's delay, typed keys waiting for it, a file being
  // written or held open.
  bool Working() const {
    return busy_ || !typeAhead_.empty() || !writing_.empty() || !openFiles_.empty();
  }
  // False while a dialog box of the host is open (the main window is then disabled).
  bool enabled() const { return !dialogOpen_; }

  ScriptedUser& user() { return user_; }
  Drawing& drawing() { return drawing_; }
  const Drawing& drawing() const { return drawing_; }
  const std::vector<Handle>& previousSelection() const { return previous_; }
  Handle lastCreated() const;
  // A system variable as the host shows it ("4133", "\"Standard\"", "123.0000,456.0000,0.0000");
  // nullopt for an unknown name.
  std::optional<std::string> Variable(std::string_view name) const;
  // Every system variable, one "NAME=value" line each (LF), as Variable shows it.
  std::string Variables() const;
  // A value the user's host holds before anything is typed (kept in its registry, or set for
  // the session; hostsim.exe --set NAME=VALUE), read as SETVAR reads it: no undo group, nothing
  // in the history. Returns the host's complaint, empty when set. A drawing opened afterwards
  // brings its own values of the variables saved with it.
  std::string Preset(std::string_view name, const std::string& value);
  std::size_t undoDepth() const { return undo_.size(); }

  // Replaces the drawing by a DXF file's contents; returns an error text, empty when loaded.
  std::string LoadDrawing(std::string_view dxfBytes, const std::string& name = "Drawing1.dwg");
  std::string SaveDrawing() const;  // the whole drawing as DXF R2000
  const std::vector<std::string>& loadNotes() const { return loadNotes_; }

  // Called after anything the windows show has changed.
  void SetChangeListener(std::function<void()> listener) { onChange_ = std::move(listener); }

  // -- Used by the commands (CommandLine.cpp and the Cmd*.cpp files). --
  struct Prompt {
    std::string text;
    bool command = false;      // the idle command prompt
    bool spaces = false;       // a blank is part of the answer, only CR ends it
    bool quotedName = false;   // a file name: a blank ends it unless it is in double quotes
    bool interactive = false;  // a person answers it with the mouse
    std::function<void(const std::string&)> onText;
    std::function<void(Vec)> onClick;
    std::function<void(Vec, Vec, bool crossing)> onBox;
  };
  using PointFn = std::function<void(Point)>;
  using TextFn = std::function<bool(const std::string&)>;  // false: not understood
  using SelectionFn = std::function<void(std::vector<Handle>)>;

  void Ask(Prompt p);
  void Say(const std::string& line);
  void SayOnPromptLine(const std::string& text);  // after a pick, on the prompt's own line
  // A point: typed (coordinates) or picked. Other typed answers go to `other`; when it returns
  // false (or is missing) the host complains and asks again. `following` marks the second or next
  // point of LINE, LEADER, a fence or a window, which dynamic input reads as relative.
  void AskPoint(const std::string& text, PointFn got, TextFn other = nullptr,
                bool following = false);
  void AskText(const std::string& text, TextFn got, bool spaces = false);
  // A file, block or layer name (or list of layer names) as the host reads typed input: a blank
  // ends it unless the name began with a double quote that is still open; the quotes are not
  // part of the name.
  void AskName(const std::string& text, TextFn got);
  // The host's object selection; `single` ends at the first selection that finds something.
  void SelectObjects(SelectionFn done, bool single = false);
  void BeginCommand(const std::string& name, bool transparent = false);
  void EndCommand();  // the innermost command ends normally
  void Modify();      // about to change the drawing: keeps what undo needs
  Handle AddEntity(Shape shape);
  void SetLastPoint(const Point& p) { lastPoint_ = p; }
  const Point& lastPoint() const { return lastPoint_; }
  bool Selectable(const Entity& e) const;  // visible and not frozen
  bool Editable(const Entity& e) const;    // and not on a locked layer
  double PickTolerance() const;
  double ViewSize() const;
  Point ViewCenter() const;

 private:
  struct UndoEntry {
    std::string name;
    bool mark = false;
    Drawing before;
  };
  struct CommandFrame {
    std::string name;
    bool transparent = false;
    bool quick = false;  // setting a variable: no delay before the prompt comes back
    bool changed = false;
    std::optional<Drawing> before;
    Prompt interrupted;  // the prompt a transparent command interrupted
  };

  void Enter();
  void Cancel();
  void Click(Vec p);
  void Box(Vec a, Vec b, bool crossing);
  void RunCommandLine(const std::string& typed);
  bool RunCommand(const std::string& name, bool transparent);
  void Idle_();
  // A command has ended: the command prompt, at once or after the host's delay.
  void ReturnToPrompt(bool quick);
  bool BlankEndsInput() const;
  bool Step(std::uint64_t limit);
  void Notify();
  void PerformUserAction();
  void Commit(const std::string& echo);
  Point Snap(Vec pick) const;

  // Commands (one file each).
  bool RunVariable(const std::string& name, bool transparent);
  void CmdSetvar(bool transparent);
  void AskVariable(const std::string& name);
  std::string SetVariable(const std::string& name, const std::string& value);
  void CmdId();
  void CmdSelect();
  void CmdDxfOut();
  void CmdInsert();
  void CmdBoundary();
  void CmdErase();
  void CmdUndo();
  void CmdLine();
  void CmdLeader();
  void CmdRotate();
  void CmdMove();
  void CmdLayer();
  void UndoBack(std::size_t groups, bool toMark);
  void SelectPrompt(std::shared_ptr<struct SelectionRun> run);
  void ExportDxf(const std::string& path, const std::vector<Handle>& only, int version,
                 int precision);

  HostFiles& files_;
  platform::CodePage& ansi_;
  HostOptions options_;
  Drawing drawing_;
  ScriptedUser user_;

  std::string currentLine_;
  std::deque<std::string> history_;
  std::string input_;
  Prompt prompt_;
  std::vector<CommandFrame> stack_;
  std::vector<UndoEntry> undo_;
  std::vector<Handle> previous_;
  std::string lastCommand_;
  std::string lastSetvar_;
  bool pickLineOpen_ = false;
  bool dialogOpen_ = false;
  bool islandDetection_ = true;
  std::vector<std::string> loadNotes_;

  // Host-level variables (not saved with the drawing).
  int osmode_ = 4133;
  int filedia_ = 1;
  int pickbox_ = 3;
  int aperture_ = 10;
  // "HPBOUND (System Variable)": the object -BOUNDARY makes, 0 a region, 1 a polyline; not
  // saved with the drawing, initial value 1.
  int hpbound_ = 1;
  // Registry values of "INSUNITSDEFSOURCE (System Variable)" and "INSUNITSDEFTARGET (System
  // Variable)". The host is installed with 1 (inches) for both; the source is 0 here so that a
  // scenario's host scales nothing unless it is set as a user's may be (--set).
  int insunitsDefSource_ = 0;
  int insunitsDefTarget_ = 1;
  // Registry values of "DYNMODE (System Variable)" (pointer input on at 1 and 3; the host is
  // installed with 3) and "DYNPICOORDS (System Variable)" (0, as installed: pointer input is
  // relative). DYNMODE is 0 here so that a scenario's host reads typed points as it always has
  // unless it is set as a user's is (--set DYNMODE=3).
  int dynmode_ = 0;
  int dynpicoords_ = 0;
  Point lastPoint_;  // world coordinates; LASTPOINT shows it in the UCS

  std::uint64_t now_ = 0;
  std::uint64_t promptSince_ = 0;
  struct OpenFile {
    std::string path;
    std::uint64_t closeAt;
  };
  std::vector<OpenFile> openFiles_;
  struct Writing {  // an export written in pieces
    std::string path;
    std::string bytes;
    std::uint64_t start = 0;
    unsigned piecesDone = 0;
  };
  std::vector<Writing> writing_;
  std::uint64_t writtenBy_ = 0;  // when the last export's file is complete
  unsigned exportsLost_ = 0;     // of options_.lostExports
  bool busy_ = false;            // a command's delay runs until busyUntil_
  std::uint64_t busyUntil_ = 0;
  std::string typeAhead_;  // typed while busy, read when the prompt comes back
  std::function<void()> onChange_;
};

}  // namespace hostsim
