// Prints a table of the program's arithmetic: parsing, 80-bit formatting, RoundToText, the
// plane geometry and the DXF number texts, one line per case with the exact bits of every
// extended result. Built natively and for Windows from this one source; the wine-tier check
// compares the two outputs byte for byte, which shows that both runtimes give the same digits.
//   arith_table [--control-word 0xNNNN]  the x87 control word to set before the cases (a DLL may
//                                        leave 0x027f, a 53-bit mantissa); the table must not
//                                        change
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "annotation/NumberMarks.h"
#include "dxf/DxfWriter.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Polylines.h"
#include "geometry/Triangles.h"
#include "numbers/Extended.h"
#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"
#include "numbers/X87Precision.h"

namespace {

std::string Bits(long double v) {
  const ExtendedFields f = SplitExtended(v);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04x:%016llx",
                static_cast<unsigned>(f.biasedExponent | (f.negative ? 0x8000u : 0u)),
                static_cast<unsigned long long>(f.mantissa));
  return buf;
}

// The parts joined by blanks, built in order.
std::string Words(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += ' ';
    out += part;
  }
  return out;
}

std::string Bits(double v) { return Bits(static_cast<long double>(v)); }

// The value's bits and its 15-digit text.
std::string Show(long double v) { return Bits(v) + " " + FormatReal(v); }

std::string Show(const TAcadPoint& p) {
  std::string out = "(";
  for (const long double* v : {&p.x, &p.y, &p.z}) {
    if (v != &p.x) out += ", ";
    out += Show(*v);
  }
  return out + ")";
}

void Line(const std::string& name, const std::string& result) {
  std::fputs((name + ": " + result + "\n").c_str(), stdout);
}

void Parsing() {
  const char* texts[] = {"0",
                         "0.1",
                         "-2.5",
                         " 1000 ",
                         "1.005",
                         "12.345",
                         "1e-5",
                         "1.5E20",
                         "3.14159265358979323846264338327950288",
                         "6000.000000000001",
                         "1.18973149535723176502e4932",
                         "3.64519953188247460253e-4951",
                         "123456789012345678901234567890",
                         ".5",
                         "5.",
                         "1,5",
                         "abc",
                         ""};
  for (const char* t : texts) {
    long double v = 0;
    const bool ok = TryParseFloat(t, v);
    Line(std::string("parse '") + t + "'", ok ? Show(v) : "rejected");
  }
  long long i = 0;
  for (const char* t : {"42", " -17 ", "9223372036854775807", "9223372036854775808", "1.0"})
    Line(std::string("parse int '") + t + "'",
         TryParseInt(t, i) ? std::to_string(i) : std::string("rejected"));
  try {
    StrToFloat("x1");
  } catch (const EConvertError& e) {
    Line("StrToFloat 'x1'", e.what());
  }
}

void Formatting() {
  const long double values[] = {0.0L,
                                2.5L,
                                1.0L / 3,
                                2.0L / 3,
                                0.00001L,
                                1.5e20L,
                                29.999999999999996L,
                                kPi,
                                std::numbers::pi / 6 * (180 / kPi),
                                123456.789L,
                                999999999999999.5L,
                                -0.000099999999999999L,
                                1e-4950L};
  for (long double v : values) {
    Line("format " + Bits(v), FormatReal(v) + " | " + FormatFixed(v, 16) + " | " +
                                  FormatFixed(v, 4) + " | " + FormatExact(v).substr(0, 80));
  }
}

void Rounding() {
  struct Case {
    double value;
    int digits, mode;
  } cases[] = {{1.005, 2, 0},  {1.005, 2, 1},     {1.005, 2, 2},           {12.345, 2, 1},
               {1.2349, 2, 1}, {12.344, 2, 2},    {1.2301, 2, 2},          {2.5, 0, 0},
               {2.5, 0, 1},    {0.12345, 4, 1},   {99.999, 2, 0},          {99.999, 2, 1},
               {7, 3, 1},      {0, 2, 1},         {5830.9518948453, 2, 1}, {0.3, 6, 2},
               {1e-9, 3, 2},   {12345678.9, 6, 1}};
  for (const auto& c : cases) {
    char name[80];
    std::snprintf(name, sizeof name, "RoundToText %d %d %s", c.digits, c.mode,
                  FormatReal(c.value).c_str());
    Line(name, RoundToText(c.digits, c.mode, c.value));
  }
}

void Geometry() {
  const TAcadPoint o{0, 0, 0};
  Line("Distance2D 3-4-5", Show(Distance2D(o, {3, 4})));
  Line("Distance2D odd", Show(Distance2D({1.1L, 2.2L}, {-3.3L, 7.7L})));
  for (TAcadPoint to :
       {TAcadPoint{0.000009L, -5}, TAcadPoint{0, 0}, TAcadPoint{-3, 0.000009L}, TAcadPoint{1, -1},
        TAcadPoint{3000, 4000}, TAcadPoint{-1, 10}, TAcadPoint{-7.25L, -0.5L}})
    Line("Angle2D to " + FormatReal(to.x) + "," + FormatReal(to.y), Show(Angle2D(o, to)));
  Line("PolarPoint", Show(PolarPoint({1, 2, 3}, 0.7, 1234.5)));
  Line("PolarPoint negative", Show(PolarPoint({1, 2, 3}, 2.5, -10)));
  Line("AngleAt", Bits(AngleAt({1, 0}, o, {-0.5L, -0.8660254037844386L})));
  TAcadPoint p;
  Line("IntersectLines", IntersectLines(o, {2, 0}, {1, -1}, {1, 1}, true, p) ? Show(p) : "none");
  Line(
      "IntersectLines skew",
      IntersectLines({0.1L, 0.2L}, {7.3L, 5.9L}, {6, -1}, {-2, 8.5L}, false, p) ? Show(p) : "none");
  Line("PerpendicularFoot", PerpendicularFoot({1, 5, 8}, o, {2, 0}, false, p) ? Show(p) : "none");
  Line("AreaFromSides", Bits(AreaFromSides(6000, 5830.9518948453, 3162.27766016838)));
  Line("AreaFromSides odd", Bits(AreaFromSides(12.34, 56.78, 45.67)));
  TAcadPoint a1, a2;
  const int apexes = static_cast<int>(ApexFromSides(o, {10, 0}, 6, 8, a1, a2));
  Line("ApexFromSides", std::to_string(apexes) + " " + Show(a1) + " " + Show(a2));
  Line("Incenter", Show(Incenter(o, {3000, 0}, {0, 4000})));
  TAcadPoint st, ed, apex, foot;
  ChooseBaseAndHeight({{0, 0}, {6000, 0}, {1000, 3000}}, st, ed, apex, foot);
  Line("ChooseBaseAndHeight foot", Show(foot));
  Line("BaseHeightMarkCentre", Show(BaseHeightMarkCentre(st, ed, apex, foot)));
  const BulgeArc arc = BulgeToArc({0, 0, 1}, {2, 0}, 0.4142135623730951);
  Line("BulgeToArc", Show(arc.centre) + " " + Bits(arc.radius) + " " + Bits(arc.startAngle) + " " +
                         Bits(arc.endAngle));
  Line("DxfRotation pi/6", DxfRotation(std::numbers::pi / 6));
  Line("DxfRotation atan2(3,4)", DxfRotation(0.6435011087932844));
  Line("DxfRotation atan2(11,19)", DxfRotation(0.5247957716501074));
}

// Many deterministic random cases: any disagreement in the last bit shows up here.
void Sweep() {
  std::mt19937_64 rng(20160401);
  // The cases themselves are made at full precision, whatever the control word.
  auto coordinate = [&] {
    X87ExtendedPrecision precision;
    return static_cast<long double>(static_cast<std::int64_t>(rng() % 2000000001) - 1000000000) /
           1000;
  };
  for (int i = 0; i < 300; ++i) {
    const TAcadTriangle t{
        {coordinate(), coordinate()}, {coordinate(), coordinate()}, {coordinate(), coordinate()}};
    TAcadPoint st, ed, apex, foot;
    const bool found = ChooseBaseAndHeight(t, st, ed, apex, foot);
    const double area = AreaFromSides(static_cast<double>(Distance2D(t.p1, t.p2)),
                                      static_cast<double>(Distance2D(t.p2, t.p3)),
                                      static_cast<double>(Distance2D(t.p3, t.p1)));
    const int digits = static_cast<int>(rng() % 7);
    const int mode = static_cast<int>(rng() % 3);
    const double length = static_cast<double>(Distance2D(t.p1, t.p2)) / 1000;
    Line(Words({"sweep", std::to_string(i)}),
         Words({Show(Incenter(t.p1, t.p2, t.p3)), Show(Angle2D(t.p1, t.p2)),
                Show(Distance2D(t.p2, t.p3)), Bits(area),
                found ? Show(foot) : std::string("no-base"),
                found ? Show(BaseHeightMarkCentre(st, ed, apex, foot)) : std::string("-"),
                RoundToText(digits, mode, length),
                DxfRotation(static_cast<double>(Angle2D(t.p1, t.p3)))}));
  }
  for (int i = 0; i < 300; ++i) {
    std::string text = std::to_string(rng() % 100000000000ULL);
    const std::size_t point = text.size() - rng() % text.size();
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(point), '.');
    text += 'e';
    text += std::to_string(static_cast<int>(rng() % 80) - 40);
    long double v = 0;
    TryParseFloat(text, v);
    Line(Words({"sweep parse", text}), Show(v));
  }
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // "\n" as written, as on the native side
#endif
  char cw[16];
  std::snprintf(cw, sizeof cw, "%#06x", X87ExtendedPrecision::ControlWord());
  Line("x87 control word", cw);
  if (argc == 3 && std::string(argv[1]) == "--control-word") {
    X87ExtendedPrecision::SetControlWord(
        static_cast<std::uint16_t>(std::strtoul(argv[2], nullptr, 16)));
    std::fprintf(stderr, "arith_table: x87 control word set to %#06x before the cases\n",
                 X87ExtendedPrecision::ControlWord());
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: arith_table [--control-word 0xNNNN]\n");
    return 2;
  }
  Parsing();
  Formatting();
  Rounding();
  Geometry();
  Sweep();
  return 0;
}
