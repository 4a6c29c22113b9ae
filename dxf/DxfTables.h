// Records and tables filled by the DXF reader. Field names follow the DXF group
// codes they come from (code70, pt10) or short Japanese words (hankei radius, atsumi
// thickness, Koudo elevation). Strings are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/AcadTypes.h"

struct TLayer {
  std::string Name;
  std::int16_t color = 7;
  std::int16_t code70 = 0;
  std::string ltype = "CONTINUOUS";
  bool visible = true;
  std::string Comment;

  bool operator==(const TLayer&) const = default;
};

struct TBlockBlk {
  std::string name;
  std::string layer;
  std::string ltype;
  TAcadPoint base;
  std::int16_t layindex = 0;

  bool operator==(const TBlockBlk&) const = default;
};

struct TAcadLineBlk {
  std::string bname;
  std::string layer = "0";
  std::string ltype = "BYLAYER";
  std::int16_t color = 256;
  TAcadPoint st;
  TAcadPoint ed;
  std::uint32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::int16_t code67 = 0;
  TAcadPoint code210{0, 0, 1};
  std::int16_t layindex = 0;
  double atsumi = 0;
  std::int16_t convtype = 0;
  bool lwpflag = false;

  bool operator==(const TAcadLineBlk&) const = default;
};

struct TCircleBlk {
  std::string bname;
  std::string layer = "0";
  std::string ltype = "BYLAYER";
  std::int16_t color = 256;
  TAcadPoint center;
  double hankei = 0;
  std::uint32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::int16_t code67 = 0;
  TAcadPoint code210{0, 0, 1};
  std::int16_t layindex = 0;
  double atsumi = 0;

  bool operator==(const TCircleBlk&) const = default;
};

struct TArcBlk {
  std::string bname;
  std::string layer = "0";
  std::string ltype = "BYLAYER";
  std::int16_t color = 256;
  TAcadPoint center;
  double hankei = 0;
  double st = 0;  // start angle, degrees as in the file
  double ed = 0;  // end angle, degrees
  std::uint32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::int16_t code67 = 0;
  TAcadPoint code210{0, 0, 1};
  std::int16_t layindex = 0;
  double atsumi = 0;
  bool lwpflag = false;

  bool operator==(const TArcBlk&) const = default;
};

// Header of an LWPOLYLINE or POLYLINE; its vertices carry the same ihand.
struct TLwpBlk {
  std::string bname;
  std::string layer = "0";
  std::string ltype = "BYLAYER";
  std::int32_t ihand = 0;
  std::int16_t color = 256;
  std::int16_t code67 = 0;
  std::int16_t code70 = 0;
  std::int16_t code71 = 0;
  std::int16_t code72 = 0;
  std::int16_t code73 = 0;
  std::int16_t code74 = 0;
  TAcadPoint code210{0, 0, 1};
  std::uint32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::int16_t layindex = 0;
  double atsumi = 0;
  double Koudo = 0;

  bool operator==(const TLwpBlk&) const = default;
};

struct TLwpEle {
  std::int32_t ihand = 0;
  TAcadPoint code10;
  double code42 = 0;  // bulge of the segment starting here

  bool operator==(const TLwpEle&) const = default;
};

// TEXT, ATTRIB and MTEXT.
struct TTextBlk {
  std::string bname;
  std::string layer;
  std::int16_t color = 256;
  TAcadPoint pt10;
  TAcadPoint pt11;
  double code40 = 0;
  double code41 = 1.0;
  double code50 = 0;
  std::int16_t code72 = 0;
  std::int16_t code73 = 0;
  std::int16_t code70 = 0;
  std::int16_t code71 = 0;
  std::string str;
  bool mtflag = false;
  std::uint32_t PenColor = 0;
  std::int16_t code67 = 0;
  TAcadPoint code210{0, 0, 1};
  std::int16_t layindex = 0;

  bool operator==(const TTextBlk&) const = default;
};

struct TInsertBlk {
  std::string name;
  std::string layer = "0";
  std::string ltype = "BYLAYER";
  TAcadPoint base;
  TAcadPoint scale{1, 1, 1};
  std::int16_t color = 256;
  double rotate = 0;
  std::int16_t code66 = 0;
  std::uint32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::int16_t code67 = 0;
  TAcadPoint code210{0, 0, 0};
  std::int16_t layindex = 0;

  bool operator==(const TInsertBlk&) const = default;
};

struct TEllipseBlk {
  std::string bname;
  std::string layer = "0";
  std::string ltype = "BYLAYER";
  std::int16_t color = 256;
  TAcadPoint center;
  TAcadPoint endpoint;  // end of the major axis relative to the centre
  double henpei = 0;    // minor / major ratio
  double kaisi = 0;     // start parameter, radians
  double owari = 0;     // end parameter, radians
  TAcadPoint code210{0, 0, 1};
  std::int16_t layindex = 0;

  bool operator==(const TEllipseBlk&) const = default;
};

// One set of entity tables: the drawing's entities or the bodies of block definitions.
struct TEntityTables {
  std::vector<TAcadLineBlk> lines;
  std::vector<TCircleBlk> circles;
  std::vector<TArcBlk> arcs;
  std::vector<TLwpBlk> polylines;
  std::vector<TLwpEle> vertices;  // contiguous per polyline, in polyline order
  std::vector<TTextBlk> texts;
  std::vector<TEllipseBlk> ellipses;

  bool operator==(const TEntityTables&) const = default;
};

struct TDxfTables {
  std::vector<TLayer> layers;
  std::vector<TBlockBlk> blocks;
  TEntityTables entities;
  std::vector<TInsertBlk> inserts;  // INSERT is kept for the drawing's entities only
  TEntityTables blockBodies;

  bool operator==(const TDxfTables&) const = default;
};
