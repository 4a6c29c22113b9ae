// The whole conversation with the host on one page: how typed text reaches it, every command
// the system types and every prompt or report it reads back. The texts are the host's own,
// byte for byte (UTF-8 here). In commands "\x03" cancels whatever runs, a leading "_" picks the
// English command name, a leading "'" runs a command transparently, and a blank or "\r" is
// Enter; which one ends an answer matters, so each text below is exactly what is typed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/AcadTypes.h"

namespace vocab {

// ---- The channel ----

// dwData of the WM_COPYDATA message that the host takes as typed input.
inline constexpr std::uintptr_t kCopyDataCommand = 1;

// Window titles begin with a product name and its blank, so that "AutoCADX" is no host. DWG
// TrueView ("DWG TrueView 2016 - …", "Autodesk DWG TrueView 2018 - …") is a viewer that cannot
// draw or insert: recognised only to tell the user so.
inline constexpr std::u16string_view kTitleTrueView = u"DWG TrueView ";
inline constexpr std::u16string_view kTitleAutodeskTrueView = u"Autodesk DWG TrueView ";
inline constexpr std::u16string_view kTitleAutoCad = u"AutoCAD ";
inline constexpr std::u16string_view kTitleAutodesk = u"Autodesk ";
// Main window class: "Afx:" with ":8:", or an MDI frame; text window class: "Afx:" with ":b:".
inline constexpr std::u16string_view kClassAfx = u"Afx:";
inline constexpr std::u16string_view kClassMainMark = u":8:";
inline constexpr std::u16string_view kClassMdiFrame = u"AfxMDIFrame";
inline constexpr std::u16string_view kClassTextMark = u":b:";
inline constexpr std::u16string_view kTextWindowTitle = u"テキスト ウィンドウ";

// ---- What the host shows ----

inline constexpr const char* kIdlePrompt = "コマンド: ";    // the whole current line when idle
inline constexpr const char* kCancelReport = "キャンセル";  // after a cancelled command's name
// A value prompt shows the current value between these two.
inline constexpr char kValueOpen = '<';
inline constexpr char kValueClose = '>';
// A read-only variable is echoed as "NAME = value (読み込み専用)".
inline constexpr char kEchoValueStart = '=';
inline constexpr char kEchoRemarkStart = '(';
inline constexpr const char* kReadOnlyRemark = "(読み込み専用)";
// Selection reports: "認識された数: n", after several picks "総数 n", each followed by the
// selection prompt.
inline constexpr const char* kFoundReport = "認識された数: ";
inline constexpr const char* kTotalWord = "総数";
inline constexpr const char* kTotalReport = "総数 ";
inline constexpr const char* kSelectPrompt = "オブジェクトを選択";
// The boundary command's report: "境界が" n "個のポリラインを".
inline constexpr const char* kBoundaryReport = "境界が";
inline constexpr const char* kBoundaryReportEnd = "個のポリラインを";
// The same report where the boundary became a region: "境界が" n "個のリージョンを".
inline constexpr const char* kBoundaryRegionReportEnd = "個のリージョンを";

// Command names as the history spells them, for finding a command's own reports.
inline constexpr const char* kIdMarker = "_iD";
inline constexpr const char* kSelectMarker = "SELECT";
inline constexpr const char* kBoundaryMarker = "-BOUNDARY";
inline constexpr const char* kMoveMarker = "_mOvE";

// ---- System variables ----

inline constexpr const char* kOsmode = "OSMODE";
inline constexpr const char* kLastPoint = "LASTPOINT";
inline constexpr const char* kTextStyle = "TEXTSTYLE";
inline constexpr const char* kClayer = "CLAYER";
inline constexpr const char* kViewSize = "VIEWSIZE";
inline constexpr const char* kAunits = "AUNITS";
inline constexpr const char* kAngBase = "ANGBASE";
inline constexpr const char* kAngDir = "ANGDIR";
inline constexpr const char* kDimAsz = "DIMASZ";
inline constexpr const char* kDimLdrBlk = "DIMLDRBLK";
inline constexpr const char* kDimScale = "DIMSCALE";
// The user's coordinate system (read-only, world coordinates, shown at LUPREC places), read with
// LUPREC at its most (FullPrecision, below).
inline constexpr const char* kUcsOrg = "UCSORG";
inline constexpr const char* kUcsXDir = "UCSXDIR";
inline constexpr const char* kUcsYDir = "UCSYDIR";

// A variable's value prompt: "'SETVAR NAME\r"; ACADVER and LAYERPMODE are typed on their own,
// "NAME\r" (case-insensitive), as the host takes them. The prompt is left with kCancel.
std::string QueryVariable(std::string_view name);
bool TypedAlone(std::string_view name);

// ---- Commands ----

inline constexpr const char* kCancel = "\x03";
inline constexpr const char* kCancelTwice = "\x03\x03";

// Points as typed: "*x,y" and "*x1,y1 *x2,y2" in fixed notation with the given decimals, no z.
// The "*" makes each a world point whatever the user's UCS, and keeps a second point absolute
// where dynamic input would read it as relative (DYNMODE on, DYNPICOORDS 0).
std::string WorldPoint(const TAcadPoint& p, int decimals);
std::string WorldPoints(const TAcadPoint& a, const TAcadPoint& b, int decimals);

// Picks: LASTPOINT set to the sentinel 123,456,789 before the user acts, then ID.
inline constexpr const char* kSetSentinel = "\x03\x03LASTPOINT 123,456,789 ";
inline constexpr const char* kId = "_iD\r";
// ID at a world point typed by the system, which leaves it in LASTPOINT in the UCS:
// "_iD *x,y\r" (8 decimals).
std::string IdAt(const TAcadPoint& p);

// Object snaps off while the system types points, then back to the saved value. The editing
// tools type the English name.
inline constexpr const char* kOsmodeOff = "\x03OSMODE 0 ";
std::string OsmodeRestore(std::string_view saved);  // "\x03OSMODE " saved "\r"
inline constexpr const char* kEnglishOsmodeOff = "\x03_OSMODE 0 ";
std::string EnglishOsmodeRestore(std::string_view saved);  // "\x03_OSMODE " saved "\r"
// (Around a number mark's plain link line, one more kCancel goes before each of these two.)

// Angles in decimal degrees while ANGBASE is read, then back.
inline constexpr const char* kAunitsDegrees = "_AUNITS 0 ";
std::string AunitsRestore(std::string_view saved);  // "_AUNITS " saved "\r"

// Selections, each making the previous selection set: along a fence and inside a window
// ("\x03SELECT FENCE " points "\r\r\r", "\x03SELECT WINDOW " points "\r\r", 16 decimals);
// one object the user picks; what the user selects and ends with Enter.
std::string SelectFence(const TAcadPoint& p1, const TAcadPoint& p2);
std::string SelectWindow(const TAcadPoint& c1, const TAcadPoint& c2);
inline constexpr const char* kSelectSingle = "SELECT SINGLE ";
inline constexpr const char* kSelectObjects = "SELECT ";

// Exports without the file dialog: FILEDIA 0, DXFOUT path "\r" options, FILEDIA 1. Selections
// type the plain names; region division and the number scan type the English ones.
// Paths here and in InsertExploded are typed as TypedPath (TypedPaths.h) types them: a folder
// with a blank in its short (8.3) form; EUntypeablePath for one the host cannot take, and
// EConvertError for a blank the volume gives no short form without.
inline constexpr const char* kFileDialogOff = "FILEDIA 0 ";
inline constexpr const char* kFileDialogOn = "FILEDIA 1 ";
inline constexpr const char* kEnglishFileDialogOff = "_FILEDIA 0 ";
inline constexpr const char* kEnglishFileDialogOn = "_FILEDIA 1 ";
std::string DxfOut(std::string_view path, std::string_view options);         // "DXFOUT …"
std::string EnglishDxfOut(std::string_view path, std::string_view options);  // "_DXFOUT …"
// Options: objects of the previous set (P ended by Enter), or of it as a single selection; the
// last created object; the whole drawing, which selects nothing (SELECT's ALL would leave out
// objects on frozen and locked layers). Version and 16 decimals.
inline constexpr const char* kExportPrevious = "O P \rV 2000 16\r";
inline constexpr const char* kExportPreviousSingle = "O SINGLE P V 2000 16\r";
inline constexpr const char* kExportLast = "O SINGLE LAST\rV 2004 16\r";
inline constexpr const char* kExportAll = "V 2000 16\r";

// The host shows lengths and points with LUPREC places and angles with AUPREC ("LUPREC (System
// Variable)", "AUPREC (System Variable)"): both are held at the most it shows while a value the
// program computes with or types back is read.
inline constexpr const char* kLuprec = "LUPREC";
inline constexpr const char* kAuprec = "AUPREC";
inline constexpr const char* kLuprecFull = "_LUPREC 8 ";
inline constexpr const char* kAuprecFull = "_AUPREC 8 ";
std::string LuprecRestore(std::string_view saved);  // "_LUPREC " saved "\r"
std::string AuprecRestore(std::string_view saved);  // "_AUPREC " saved "\r"

// The documents have no units (R12): while one is inserted the host takes a file without units
// as having none, rather than as INSUNITSDEFSOURCE's unit scaled to the drawing's.
inline constexpr const char* kInsUnitsDefSource = "INSUNITSDEFSOURCE";
inline constexpr const char* kInsUnitsDefSourceNone = "_INSUNITSDEFSOURCE 0 ";
std::string InsUnitsDefSourceRestore(std::string_view saved);  // "_INSUNITSDEFSOURCE " saved "\r"

// A DXF file inserted exploded at the world's 0,0, scale 1, rotation 0 (from ANGBASE in the UCS):
// "_-INSERT *" path "\r" "*0.0,0.0 1.0 0.0" "\r" (a folder with a blank by its short name,
// TypedPaths.h).
std::string InsertExploded(std::string_view path);

// "HPBOUND (System Variable)": with 0 the boundary command makes a region, which no export
// gives back as corners; held at 1 (a polyline) while a boundary is traced.
inline constexpr const char* kHpBound = "HPBOUND";
inline constexpr const char* kHpBoundPolyline = "_HPBOUND 1 ";
std::string HpBoundRestore(std::string_view saved);  // "_HPBOUND " saved "\r"

// The closed region around a world point, with 4 decimals: "_-BOUNDARY *x,y\r\r".
std::string Boundary(const TAcadPoint& p);
inline constexpr const char* kEraseLast = "_ERASE SINGLE LAST ";

// Undo: the last command, a mark, back to the mark.
inline constexpr const char* kUndoOne = "_UNDO 1 ";
inline constexpr const char* kUndoMark = "_UNDO M ";
inline constexpr const char* kUndoBack = "_UNDO B ";

// Layers: made current (created when missing), switched on and off; the user's layer restored.
// The two-sides workflow types its first layer change without the "_". A blank is Enter at the
// host's name prompts, so a name that holds one is typed in double quotes at -LAYER's prompts
// ("_-LAYER M \"境界 旧\"" …), as its reference page types a colour book's name.
std::string LayerMake(std::string_view layer);       // "_-LAYER M " layer "\r\r"
std::string LocalLayerMake(std::string_view layer);  // "-LAYER M " layer "\r\r"
std::string LayerOff(std::string_view layer);        // "_-LAYER OF " layer "\r\r"
std::string LayerOn(std::string_view layer);         // "_-LAYER ON " layer "\r\r"

// ---- Settings given back ----
// A string variable is shown in double quotes (CLAYER <"0">); its value prompt takes the bare
// value, where a blank is Enter and quotes would be part of the name. Each restore below takes
// the value as GetSysVar gives it, and a setting whose shown value the restore cannot type back
// counts as not read (TemporaryHostSetting's `readable`).
std::string ShownString(std::string_view shown);  // the text inside the host's quotes; "" if none
bool IsShownString(std::string_view shown);       // in quotes, no quote inside
// The user's layer: "\x03_CLAYER " name "\r"; a name with a blank by -LAYER's Set option,
// "\x03_-LAYER S \"" name "\"\r\r" (which would also turn the layer on, were it off).
std::string ClayerRestore(std::string_view shown);
bool ClayerRestorable(std::string_view shown);

// A line between two points (16 decimals where triangles are drawn, 4 for a mark's link):
// "_LINE x1,y1 x2,y2\r\r".
std::string Line(const TAcadPoint& a, const TAcadPoint& b, int decimals);

// The editing tools: the previous selection rotated about a centre by an angle as typed;
// moved from a base point to where the user picks; a leader from arrow to end without text.
std::string RotatePrevious(const TAcadPoint& centre, std::string_view angle);
std::string MoveFrom(const TAcadPoint& base);  // "\x03\x03_mOvE P \r" x,y "\r"
std::string Leader(const TAcadPoint& arrow, const TAcadPoint& end);  // "…\r\r\rN "
std::string DimAsz(std::string_view size);                           // "_DIMASZ " size "\r"
inline constexpr const char* kDimLdrBlkDefault = "_DIMLDRBLK .\r";   // closed filled arrow
std::string DimLdrBlk(std::string_view block);                       // "_DIMLDRBLK " block "\r"
// The arrow as shown given back: the default ("") as kDimLdrBlkDefault, a name bare. A name with
// a blank cannot be typed at the value prompt and is not restorable.
std::string DimLdrBlkRestore(std::string_view shown);
bool DimLdrBlkRestorable(std::string_view shown);

}  // namespace vocab
