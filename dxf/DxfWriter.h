// The DXF items of annotation documents (Release 12 form): headers, entities and the number
// marks' application data. Reals are written with 15 significant digits, rotations are given
// in radians and written in degrees.
#pragma once

#include <string>
#include <string_view>

#include "dxf/DxfDocument.h"
#include "geometry/AcadTypes.h"

// The application name under which number marks carry their triangle's side lengths.
inline constexpr const char* kAppName = "VELSAROM";

// The application name under which segment marks carry their arc's chord, radius, sign and
// angle: one of its own, so that a scan for number marks passes them by.
inline constexpr const char* kSegmentAppName = "VELSAROM_SEGMENT";

// The application name under which number and segment marks carry where they stand: their
// triangle's three corners, or their arc's ends, the side of the chord its centre lies on and
// its bulge, in world coordinates. Written after the marks' own data, so that whatever reads
// only the first application data of a mark reads it as before.
inline constexpr const char* kCornerAppName = "VELSAROM_CORNERS";

// A real as written into a document ("0", "2.5", "1E-5").
std::string DxfReal(long double value);
// A rotation in radians as written into group 50: degrees, rounded to double first.
std::string DxfRotation(double radians);

// Header with the application-id table registering kAppName, which a coordinate table's area
// needs; the text-style block only when style is not empty. Ends with the ENTITIES section opened.
void WriteDxfHeader(DxfDocument& document, const std::string& style);
// The same registering kCornerAppName too, for documents with number marks.
void WriteDxfMarkHeader(DxfDocument& document, const std::string& style);
// The same registering kSegmentAppName too, for documents with segment marks.
void WriteDxfHeaderWithSegments(DxfDocument& document, const std::string& style);
// The same without the application-id table, for documents that carry no application data.
void WriteDxfHeaderWithoutAppId(DxfDocument& document, const std::string& style);
void WriteDxfEnd(DxfDocument& document);

// TEXT codes 72 (horizontal) and 73 (vertical).
struct TextJustification {
  int horizontal = 0;
  int vertical = 0;
};
// From the Justify option of the host's TEXT command: "J BC " gives bottom centre; an option not
// starting with a capital J, or without letters, gives 0 and 0.
TextJustification ParseJustification(std::string_view option);

// One TEXT entity whose insertion and alignment points are both `point` (x and y).
void WriteDxfText(DxfDocument& document, const std::string& justification, const TAcadPoint& point,
                  double height, double rotation, const std::string& text, const std::string& layer,
                  const std::string& style);
void WriteDxfTextAligned(DxfDocument& document, TextJustification justification,
                         const TAcadPoint& point, double height, double rotation,
                         const std::string& text, const std::string& layer,
                         const std::string& style);

// LINE with z values.
void WriteDxfLine(DxfDocument& document, const TAcadPoint& start, const TAcadPoint& end,
                  const std::string& layer);
// LINE without z values, for the area table's grid.
void WriteDxfPlaneLine(DxfDocument& document, const TAcadPoint& start, const TAcadPoint& end,
                       const std::string& layer);
void WriteDxfCircle(DxfDocument& document, const TAcadPoint& centre, double radius,
                    const std::string& layer);
// Application data of the preceding TEXT: one point (1010/1020/1030) under kAppName.
void WriteDxfAppData(DxfDocument& document, long double x, long double y, long double z);

// Application data of the preceding TEXT under kCornerAppName: the triangle's corners, p1, p2,
// p3, each as a 1010 point. After WriteDxfAppData.
void WriteDxfTriangleCorners(DxfDocument& document, const TAcadTriangle& triangle);
// The same for a segment mark: the arc's ends (two 1010 points), the side of the chord st→ed
// its centre lies on (1070: 1 left, −1 right) and its bulge from st to ed (1040, positive
// counter-clockwise). After WriteDxfSegmentData.
void WriteDxfArcCorners(DxfDocument& document, const TAcadPoint& st, const TAcadPoint& ed,
                        int centreSide, long double bulge);

// The first string (1000) of a coordinate table's area data, which tells it from a number
// mark's sides.
inline constexpr const char* kCoordinateAreaTag = "COORDINATE-AREA";
// Application data of the preceding TEXT: kCoordinateAreaTag and the area (1040) under kAppName.
void WriteDxfAreaData(DxfDocument& document, long double area);

// Application data of the preceding TEXT under kSegmentAppName: the point (chord, radius, sign)
// and the central angle in radians (1040).
void WriteDxfSegmentData(DxfDocument& document, long double chord, long double radius, int sign,
                         long double angle);
