// The drawing the simulated host holds: symbol tables, block definitions and the model-space
// entities with their handles. Coordinates are doubles, as a CAD host keeps them; angles in the
// records are degrees (as in DXF) except where a field says otherwise. Names of layers, styles,
// blocks and applications compare without regard to ASCII case, as in the host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace hostsim {

struct Point {
  double x = 0;
  double y = 0;
  double z = 0;
};

using Handle = std::uint64_t;  // 0 = none

// One group of application data after its 1001 application name. Which field holds the value
// depends on the group code.
struct XDataItem {
  int code = 1000;
  std::string text;  // 1000 string, 1002 "{" or "}", 1003 layer, 1004 hex bytes, 1005 handle
  Point point;       // 1010 to 1013 (x; y and z come from code + 10 and code + 20)
  double real = 0;   // 1040, 1041, 1042
  std::int32_t integer = 0;  // 1070 (16 bits), 1071 (32 bits)
};

struct XData {
  std::string app;  // the registered application name
  std::vector<XDataItem> items;
};

struct Line {
  Point start;
  Point end;
};

struct PolyVertex {
  double x = 0;
  double y = 0;
  double bulge =
      0;  // of the segment that starts here: tan(included angle / 4), + counter-clockwise
  double startWidth = 0;
  double endWidth = 0;
};

struct LwPolyline {
  std::vector<PolyVertex> vertices;
  bool closed = false;
  double elevation = 0;
  double constantWidth = 0;
};

struct Arc {
  Point center;
  double radius = 0;
  double startAngle = 0;  // degrees, the arc runs counter-clockwise from start to end
  double endAngle = 0;
};

struct Circle {
  Point center;
  double radius = 0;
};

// TEXT. Group 72: 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit. Group 73: 0 baseline,
// 1 bottom, 2 middle, 3 top. With both 0 the text stands on `insert`; otherwise `align` is the
// point the text is justified to and `insert` is the left end of its baseline, which the host
// works out from the text's extent (aligned and fit texts run from `insert` to `align`).
struct Text {
  Point insert;  // group 10
  Point align;   // group 11
  double height = 2.5;
  double rotation = 0;  // degrees
  double widthFactor = 1;
  double oblique = 0;  // degrees
  std::string style = "Standard";
  int halign = 0;
  int valign = 0;
  std::string value;  // UTF-8, formatting codes (%%d, %%u ...) kept
};

struct Attrib : Text {
  std::string tag;
  int flags = 0;  // group 70
};

struct MText {
  Point insert;
  double height = 2.5;
  double width = 0;     // group 41: reference rectangle width, 0 = no wrapping
  int attachment = 1;   // group 71: 1 top left, 2 top centre ... 9 bottom right
  double rotation = 0;  // degrees (group 50, or taken from the direction vector of group 11)
  std::string style = "Standard";
  std::string value;  // UTF-8, group 3 chunks and group 1 joined, formatting codes kept
};

struct Insert {
  std::string block;
  Point insert;
  Point scale{1, 1, 1};
  double rotation = 0;  // degrees
  std::vector<Attrib> attribs;
};

struct Leader {
  std::vector<Point> vertices;  // the first one is the arrow end
  bool arrow = true;
  double arrowSize = 2.5;  // drawing units: DIMASZ × DIMSCALE when it was made
  std::string arrowBlock;  // DIMLDRBLK when it was made; empty = closed filled
  std::string dimStyle = "Standard";
};

struct PointEntity {
  Point location;
};

struct Ellipse {
  Point center;
  Point majorAxis{1, 0, 0};  // end of the major axis, relative to the centre
  double ratio = 1;          // minor / major
  double startParam = 0;     // radians
  double endParam = 6.283185307179586;
};

// REGION: the area -BOUNDARY makes with HPBOUND 0. One closed loop, run as a closed polyline's
// vertices are; the host keeps a region as a solid model, which no polyline reading sees.
struct Region {
  std::vector<PolyVertex> loop;
};

using Shape = std::variant<Line, LwPolyline, Arc, Circle, Text, MText, Insert, Leader, PointEntity,
                           Ellipse, Region>;

struct Entity {
  Handle handle = 0;
  std::string layer = "0";
  int color = 256;  // 256 by layer, 0 by block, 1 to 255 the colour index
  std::string linetype = "BYLAYER";
  Shape shape;
  std::vector<XData> xdata;  // in file order; each application at most once
};

struct Layer {
  std::string name;
  int color = 7;  // always positive here; `on` holds what a negative colour means in DXF
  bool on = true;
  bool frozen = false;
  bool locked = false;
  std::string linetype = "Continuous";
};

struct TextStyle {
  std::string name;
  std::string font = "txt.shx";
  std::string bigFont;
  double height = 0;  // 0 = given per text
  double widthFactor = 1;
  double oblique = 0;  // degrees
};

struct Linetype {
  std::string name;
  std::string description;
  std::vector<double> pattern;  // element lengths: > 0 dash, < 0 gap, 0 dot
};

struct Block {
  std::string name;
  Point base;
  std::vector<Entity> entities;
};

// A header variable the host does not model, kept as read so that saving gives it back.
struct KeptVariable {
  std::string name;                                 // "$INSUNITS", as the file spells it
  std::vector<std::pair<int, std::string>> values;  // group code and value, text in UTF-8
};

// Settings saved with the drawing (the host's drawing-level system variables).
struct Header {
  int aunits = 0;      // 0 degrees, 1 deg/min/sec, 2 grads, 3 radians, 4 surveyor's units
  int auprec = 0;      // decimals of displayed angles
  double angbase = 0;  // radians
  int angdir = 0;      // 1 = clockwise
  int lunits = 2;      // 2 = decimal
  int luprec = 4;      // decimals of displayed lengths
  std::string clayer = "0";
  std::string textstyle = "Standard";
  double dimasz = 2.5;
  double dimscale = 1;
  std::string dimldrblk;  // empty = closed filled
  double textsize = 2.5;
  Point insbase;
  int insunits = 0;  // INSUNITS: the unit of the drawing (0 none, 4 mm, 6 m ...)
  // The user's coordinate system saved with the drawing ($UCSORG, $UCSXDIR, $UCSYDIR, world
  // coordinates). Read from the header only: the variables stay in `kept` and are saved as read.
  Point ucsorg;
  Point ucsxdir{1, 0, 0};
  Point ucsydir{0, 1, 0};
  Point viewCenter;                // the current view: centre and height in drawing units
  double viewHeight = 0;           // 0 = not known (the host then shows the extents)
  std::vector<KeptVariable> kept;  // every other variable of the file, in file order
};

// The header variables the host writes itself on saving, from the fields above or from the
// drawing's contents ($EXTMIN, $HANDSEED ...); any other is kept as read.
bool WrittenFromModel(std::string_view variable);

struct Drawing {
  Drawing();  // a new drawing: layer "0", style "Standard", the three base linetypes, "ACAD"

  Header header;
  std::vector<Layer> layers;
  std::vector<TextStyle> styles;
  std::vector<Linetype> linetypes;
  std::vector<std::string> appIds;  // registered application names
  std::vector<Block> blocks;        // in definition order; no model or paper space blocks
  std::vector<Entity> entities;     // model space, in creation (and drawing) order
  Handle nextHandle = 0x100;        // handles of entities are taken from here

  Handle NewHandle() { return nextHandle++; }

  Layer* FindLayer(std::string_view name);
  const Layer* FindLayer(std::string_view name) const;
  TextStyle* FindStyle(std::string_view name);
  const TextStyle* FindStyle(std::string_view name) const;
  Block* FindBlock(std::string_view name);
  const Block* FindBlock(std::string_view name) const;
  const Linetype* FindLinetype(std::string_view name) const;
  bool IsRegistered(std::string_view app) const;
  Entity* FindEntity(Handle h);
  const Entity* FindEntity(Handle h) const;
};

// Equal names in the host's sense: ASCII letters without regard to case, other bytes exactly.
bool SameName(std::string_view a, std::string_view b);

}  // namespace hostsim
