// The host's own DXF reading and writing: round trip, what other programs write, and files
// that cannot be read.
#include <gmock/gmock.h>

#include <fstream>

#include "hostsim/DxfRead.h"
#include "hostsim/DxfWrite.h"
#include "hostsim/inprocess/Host.h"
#include "platform/standin/Cp932CodePage.h"

namespace hostsim {
namespace {

using ::testing::HasSubstr;

std::string Dxf(std::initializer_list<std::pair<int, std::string>> pairs) {
  std::string s;
  for (const auto& [c, v] : pairs) s += std::to_string(c) + "\n" + v + "\n";
  return s;
}

class Dxf_ : public ::testing::Test {
 protected:
  platform::Cp932CodePage cp;
};

TEST_F(Dxf_, RoundTripKeepsEntitiesTextsAndApplicationData) {
  Drawing d;
  d.appIds.push_back("VELSAROM");
  Layer jp;
  jp.name = "筆界";
  jp.on = false;
  d.layers.push_back(jp);
  Entity t;
  t.handle = d.NewHandle();
  t.layer = "筆界";
  Text text;
  text.insert = {1.0 / 3.0, 2e-7, 0};
  text.align = text.insert;
  text.value = "面積 ①";
  text.rotation = 36.869897645844;
  t.shape = text;
  XData x{"VELSAROM", {}};
  XDataItem p;
  p.code = 1010;
  p.point = {3000, 5000, 4000.000000001};
  x.items.push_back(p);
  t.xdata.push_back(x);
  d.entities.push_back(t);
  Entity pl;
  pl.handle = d.NewHandle();
  pl.shape = LwPolyline{{{0, 0, 0.5, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}}, true, 0, 0};
  d.entities.push_back(pl);

  for (int version : {2000, 2004}) {
    DxfWriteOptions o;
    o.version = version;
    DxfReadResult r = ReadDxf(WriteDxf(d, o, cp), cp);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.version, version == 2000 ? "AC1015" : "AC1018");
    ASSERT_EQ(r.drawing.entities.size(), 2u);
    const Text& back = std::get<Text>(r.drawing.entities[0].shape);
    EXPECT_EQ(back.value, "面積 ①");
    EXPECT_EQ(back.insert.x, 1.0 / 3.0);
    EXPECT_EQ(back.insert.y, 2e-7);
    EXPECT_EQ(back.rotation, 36.869897645844);
    EXPECT_EQ(r.drawing.entities[0].layer, "筆界");
    EXPECT_FALSE(r.drawing.FindLayer("筆界")->on);
    ASSERT_EQ(r.drawing.entities[0].xdata.size(), 1u);
    EXPECT_EQ(r.drawing.entities[0].xdata[0].items[0].point.z, 4000.000000001);
    const auto& v = std::get<LwPolyline>(r.drawing.entities[1].shape);
    EXPECT_TRUE(v.closed);
    EXPECT_EQ(v.vertices[0].bulge, 0.5);
  }
}

TEST_F(Dxf_, IntegersAreRightAlignedAsTheHostWritesThem) {
  // Six columns for 16-bit codes, nine for 32-bit ones: a reader that takes "     1" for
  // no number must fail here, as it would on the host's files.
  Drawing d;
  d.appIds.push_back("VELSAROM");
  Entity pl;
  pl.handle = d.NewHandle();
  pl.color = 1;
  pl.shape = LwPolyline{{{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}}, true, 0, 0};
  XData x{"VELSAROM", {}};
  XDataItem n;
  n.code = 1070;
  n.integer = -3;
  x.items.push_back(n);
  n.code = 1071;
  n.integer = 70000;
  x.items.push_back(n);
  pl.xdata.push_back(x);
  d.entities.push_back(pl);
  std::string bytes = WriteDxf(d, DxfWriteOptions{}, cp);
  EXPECT_THAT(bytes, HasSubstr("\r\n 62\r\n     1\r\n100\r\nAcDbPolyline\r\n"
                               " 90\r\n        3\r\n 70\r\n     1\r\n"));
  EXPECT_THAT(bytes, HasSubstr("\r\n1070\r\n    -3\r\n1071\r\n    70000\r\n"));
  EXPECT_THAT(bytes, HasSubstr("\r\n  9\r\n$LUPREC\r\n 70\r\n     4\r\n"));
  DxfReadResult r = ReadDxf(bytes, cp);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.drawing.entities[0].xdata[0].items[1].integer, 70000);
}

TEST_F(Dxf_, CharactersOutsideTheCodePageAreEscapedAndComeBack) {
  EXPECT_EQ(EncodeAnsi("a\xE2\x80\x8B"
                       "b",
                       cp),
            "a\\U+200Bb");
  EXPECT_EQ(EncodeAnsi("ﾍﾛﾝ", cp), "\xCD\xDB\xDD");
  std::string file = Dxf({{0, "SECTION"},
                          {2, "HEADER"},
                          {9, "$ACADVER"},
                          {1, "AC1015"},
                          {9, "$DWGCODEPAGE"},
                          {3, "ANSI_1252"},
                          {0, "ENDSEC"},
                          {0, "SECTION"},
                          {2, "ENTITIES"},
                          {0, "TEXT"},
                          {8, "trac\xE9"},
                          {10, "0"},
                          {20, "0"},
                          {40, "1"},
                          {1, "\\U+7B46\\U+754C caf\xE9"},
                          {0, "ENDSEC"},
                          {0, "EOF"}});
  DxfReadResult r = ReadDxf(file, cp);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.drawing.entities[0].layer, "tracé");
  EXPECT_EQ(std::get<Text>(r.drawing.entities[0].shape).value, "筆界 café");
}

TEST_F(Dxf_, R12PolylineAndDownwardExtrusion) {
  std::string file = Dxf(
      {{0, "SECTION"}, {2, "ENTITIES"}, {0, "POLYLINE"}, {8, "0"},      {66, "1"},     {10, "0"},
       {20, "0"},      {30, "5"},       {70, "1"},       {0, "VERTEX"}, {8, "0"},      {10, "0"},
       {20, "0"},      {42, "1"},       {0, "VERTEX"},   {8, "0"},      {10, "10"},    {20, "0"},
       {0, "VERTEX"},  {8, "0"},        {10, "10"},      {20, "10"},    {0, "SEQEND"}, {0, "ARC"},
       {8, "0"},       {10, "5"},       {20, "0"},       {40, "2"},     {50, "0"},     {51, "90"},
       {230, "-1"},    {0, "HATCH"},    {8, "0"},        {0, "ENDSEC"}, {0, "EOF"}});
  DxfReadResult r = ReadDxf(file, cp);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.drawing.entities.size(), 2u);
  const auto& pl = std::get<LwPolyline>(r.drawing.entities[0].shape);
  EXPECT_EQ(pl.vertices.size(), 3u);
  EXPECT_TRUE(pl.closed);
  EXPECT_EQ(pl.elevation, 5);
  EXPECT_EQ(pl.vertices[0].bulge, 1);
  // Seen from above, the arc lies at x = -5 and runs from 90° to 180°.
  const Arc& a = std::get<Arc>(r.drawing.entities[1].shape);
  EXPECT_EQ(a.center.x, -5);
  EXPECT_EQ(a.startAngle, 90);
  EXPECT_EQ(a.endAngle, 180);
  ASSERT_EQ(r.notes.size(), 1u);
  EXPECT_THAT(r.notes[0], HasSubstr("HATCH"));
}

TEST_F(Dxf_, BrokenFilesAreRefusedWithTheLine) {
  struct Case {
    std::string bytes;
    const char* says;
  } cases[] = {
      {"", "空のファイル"},
      {"AutoCAD Binary DXF\r\n\x1a", "バイナリ"},
      {Dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {10, "1,5"}}), "8 行目"},
      {"  0\nSECTION\nabc\nENTITIES\n", "3 行目"},
      {Dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {62, "1.5"}}), "整数"},
      // A colour beyond 16 bits (the most negative int once made a layer's colour overflow).
      {Dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {62, "-2147483648"}}),
       "8 行目: 整数が範囲外"},
      // Cut short: the host discards a file without its end marker.
      {Dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {10, "1"}, {20, "2"}}), "EOF"},
      // A block that contains itself, through another one.
      {Dxf({{0, "SECTION"},
            {2, "BLOCKS"},
            {0, "BLOCK"},
            {2, "A"},
            {0, "INSERT"},
            {2, "B"},
            {0, "ENDBLK"},
            {0, "BLOCK"},
            {2, "B"},
            {0, "INSERT"},
            {2, "a"},
            {0, "ENDBLK"},
            {0, "ENDSEC"},
            {0, "EOF"}}),
       "自分自身を参照"},
  };
  for (const Case& c : cases) {
    DxfReadResult r = ReadDxf(c.bytes, cp);
    EXPECT_FALSE(r.ok);
    EXPECT_THAT(r.error, HasSubstr(c.says)) << c.bytes;
  }
}

TEST_F(Dxf_, EscapesOfCharactersBeyondTheBasicPlaneAndStrayOnes) {
  std::string file = Dxf({{0, "SECTION"},
                          {2, "ENTITIES"},
                          {0, "TEXT"},
                          {1, "\\U+D842\\U+DFB7 \\U+D842x \\U+0000 \\M+10041 \\M+1889F"},
                          {0, "ENDSEC"},
                          {0, "EOF"}});
  DxfReadResult r = ReadDxf(file, cp);
  ASSERT_TRUE(r.ok) << r.error;
  // U+20BB7 from its two halves; a lone half, a zero and a byte pair that is no character of
  // code page 932 stay as written; a double-byte character is decoded.
  EXPECT_EQ(std::get<Text>(r.drawing.entities[0].shape).value,
            "\xF0\xA0\xAE\xB7 \\U+D842x \\U+0000 \\M+10041 亜");
}

TEST_F(Dxf_, BlocksNestedDeepAndWideStayUsable) {
  // Nine levels of ten references each: a thousand million lines if every one were followed.
  std::string s = Dxf({{0, "SECTION"}, {2, "BLOCKS"}});
  for (int b = 0; b < 10; ++b) {
    s += Dxf({{0, "BLOCK"}, {2, "B" + std::to_string(b)}, {10, "0"}, {20, "0"}});
    for (int k = 0; k < 10; ++k) {
      if (b == 0) {
        s += Dxf({{0, "LINE"}, {10, "0"}, {20, std::to_string(k)}, {11, "1"}, {21, "0"}});
      } else {
        s += Dxf({{0, "INSERT"}, {2, "B" + std::to_string(b - 1)}, {10, "0"}, {20, "0"}});
      }
    }
    s += Dxf({{0, "ENDBLK"}});
  }
  s += Dxf({{0, "ENDSEC"},
            {0, "SECTION"},
            {2, "ENTITIES"},
            {0, "INSERT"},
            {2, "B9"},
            {10, "5"},
            {20, "5"},
            {0, "ENDSEC"},
            {0, "EOF"}});
  platform::StandinWorld world;
  platform::ScopedPorts ports(world.ports());
  Host host(world);
  ASSERT_EQ(host.LoadDrawing(s), "");
  host.Type("\x03SELECT CROSSING 4,4 7,7\r\r");
  EXPECT_EQ(host.core().previousSelection().size(), 1u);
}

// The header comes before any group 0 of the file; a reader that splits sections at group 0
// alone drops it, and the host then runs every drawing with its own defaults. Every variable
// the host reads holds a value other than its default here, so that dropping any one fails;
// those it does not model come back as they were.
TEST_F(Dxf_, HeaderSurvivesOpenAndSave) {
  struct Case {
    const char* angbase;  // radians, as the file writes them
    const char* angdir;
    const char* aunits;
    const char* lunits;
    const char* shownAngbase;  // as the host shows them (AUNITS, AUPREC 2; LUNITS, LUPREC 3)
    const char* shownDimasz;
  };
  for (const Case& c : {Case{"0.5235987755982988", "0", "2", "2", "33.33g", "3.500"},
                        Case{"1.5707963267948966", "1", "3", "1", "1.57r", "3.500E+00"}}) {
    SCOPED_TRACE(c.angbase);
    // Names in the file's code page, as an R2000 file holds them.
    std::string file = cp.Utf8ToAnsi(
        Dxf({{0, "SECTION"},      {2, "HEADER"},       {9, "$ACADVER"},   {1, "AC1015"},
             {9, "$DWGCODEPAGE"}, {3, "ANSI_932"},     {9, "$INSUNITS"},  {70, "6"},
             {9, "$ANGBASE"},     {50, c.angbase},     {9, "$ANGDIR"},    {70, c.angdir},
             {9, "$AUNITS"},      {70, c.aunits},      {9, "$AUPREC"},    {70, "2"},
             {9, "$LUNITS"},      {70, c.lunits},      {9, "$LUPREC"},    {70, "3"},
             {9, "$CLAYER"},      {8, "境界 旧"},      {9, "$TEXTSTYLE"}, {7, "明朝"},
             {9, "$TEXTSIZE"},    {40, "350.0"},       {9, "$DIMASZ"},    {40, "3.5"},
             {9, "$DIMSCALE"},    {40, "100.0"},       {9, "$DIMLDRBLK"}, {1, "_DOT"},
             {9, "$INSBASE"},     {10, "10.0"},        {20, "20.0"},      {30, "5.0"},
             {9, "$VIEWCTR"},     {10, "1000.0"},      {20, "2000.0"},    {9, "$VIEWSIZE"},
             {40, "800.0"},       {9, "$UCSORG"},      {10, "100.5"},     {20, "-7.25"},
             {30, "0.0"},         {9, "$UCSXDIR"},     {10, "0.6"},       {20, "0.8"},
             {30, "0.0"},         {9, "$UCSYDIR"},     {10, "-0.8"},      {20, "0.6"},
             {30, "0.0"},         {9, "$MEASUREMENT"}, {70, "0"},         {9, "$PROJECTNAME"},
             {1, "道路 台帳"},    {0, "ENDSEC"},       {0, "SECTION"},    {2, "TABLES"},
             {0, "TABLE"},        {2, "LAYER"},        {0, "LAYER"},      {2, "境界 旧"},
             {70, "0"},           {62, "1"},           {0, "ENDTAB"},     {0, "TABLE"},
             {2, "STYLE"},        {0, "STYLE"},        {2, "明朝"},       {70, "0"},
             {3, "msmincho.ttc"}, {0, "ENDTAB"},       {0, "ENDSEC"},     {0, "EOF"}}));
    platform::StandinWorld world;
    platform::ScopedPorts ports(world.ports());
    Host host(world);
    ASSERT_EQ(host.LoadDrawing(file), "");
    const HostCore& core = host.core();
    EXPECT_EQ(core.Variable("ANGBASE"), c.shownAngbase);
    EXPECT_EQ(core.Variable("ANGDIR"), c.angdir);
    EXPECT_EQ(core.Variable("AUNITS"), c.aunits);
    EXPECT_EQ(core.Variable("AUPREC"), "2");
    EXPECT_EQ(core.Variable("LUNITS"), c.lunits);
    EXPECT_EQ(core.Variable("LUPREC"), "3");
    EXPECT_EQ(core.Variable("INSUNITS"), "6");
    EXPECT_EQ(core.Variable("CLAYER"), "\"境界 旧\"");
    EXPECT_EQ(core.Variable("TEXTSTYLE"), "\"明朝\"");
    EXPECT_EQ(core.Variable("DIMASZ"), c.shownDimasz);
    EXPECT_EQ(core.Variable("DIMLDRBLK"), "\"_DOT\"");
    EXPECT_THAT(core.Variables(), HasSubstr(std::string("\nANGBASE=") + c.shownAngbase + "\n"));

    // Saved and read again, by the host and by the file's own groups.
    std::string saved = host.SaveDrawing();
    DxfReadResult r = ReadDxf(saved, cp);
    ASSERT_TRUE(r.ok) << r.error;
    const Header& h = r.drawing.header;
    EXPECT_NEAR(h.angbase, std::stod(c.angbase), 1e-15);
    EXPECT_EQ(h.angdir, std::stoi(c.angdir));
    EXPECT_EQ(h.aunits, std::stoi(c.aunits));
    EXPECT_EQ(h.auprec, 2);
    EXPECT_EQ(h.lunits, std::stoi(c.lunits));
    EXPECT_EQ(h.luprec, 3);
    EXPECT_EQ(h.insunits, 6);
    EXPECT_EQ(h.clayer, "境界 旧");
    EXPECT_EQ(h.textstyle, "明朝");
    EXPECT_EQ(h.textsize, 350.0);
    EXPECT_EQ(h.dimasz, 3.5);
    EXPECT_EQ(h.dimscale, 100.0);
    EXPECT_EQ(h.dimldrblk, "_DOT");
    EXPECT_EQ(h.insbase.x, 10.0);
    EXPECT_EQ(h.insbase.y, 20.0);
    EXPECT_EQ(h.insbase.z, 5.0);
    EXPECT_EQ(h.viewCenter.x, 1000.0);
    EXPECT_EQ(h.viewCenter.y, 2000.0);
    EXPECT_EQ(h.viewHeight, 800.0);
    // Every variable the host does not model, once, with its values as the file gave them
    // (the text back in UTF-8, the numbers in the host's own form).
    using Kept = std::vector<std::pair<int, std::string>>;
    std::vector<std::pair<std::string, Kept>> want = {
        // The limits the host writes for a drawing that brought none.
        {"$LIMMIN", {{10, "0.0"}, {20, "0.0"}}},
        {"$LIMMAX", {{10, "420.0"}, {20, "297.0"}}},
        {"$VIEWCTR", {{10, "1000.0"}, {20, "2000.0"}}},
        {"$VIEWSIZE", {{40, "800.0"}}},
        {"$UCSORG", {{10, "100.5"}, {20, "-7.25"}, {30, "0.0"}}},
        {"$UCSXDIR", {{10, "0.6"}, {20, "0.8"}, {30, "0.0"}}},
        {"$UCSYDIR", {{10, "-0.8"}, {20, "0.6"}, {30, "0.0"}}},
        {"$MEASUREMENT", {{70, "0"}}},
        {"$PROJECTNAME", {{1, "道路 台帳"}}}};
    std::vector<std::pair<std::string, Kept>> got;
    for (const KeptVariable& v : h.kept) {
      Kept values;
      for (const auto& [code, value] : v.values) {
        std::string trimmed = value.substr(std::min(value.find_first_not_of(' '), value.size()));
        values.push_back({code, trimmed});
      }
      got.push_back({v.name, values});
    }
    EXPECT_EQ(got, want);
  }
}

TEST_F(Dxf_, EveryCorpusFileOpensExceptTheBinaryOne) {
  const char* src = std::getenv("VELSAROM_SOURCE_DIR");
  ASSERT_NE(src, nullptr);
  std::string dir = std::string(src) + "/tests/data/dxf-corpus/";
  for (const char* name :
       {"real/acadsharp__sample_AC1009_ascii.dxf", "real/acadsharp__sample_AC1018_ascii.dxf",
        "synthetic/jp_R2000_cp932.dxf", "synthetic/jp_R2007_utf8.dxf"}) {
    std::ifstream in(dir + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    DxfReadResult r = ReadDxf(bytes, cp);
    EXPECT_TRUE(r.ok) << name << ": " << r.error;
    EXPECT_FALSE(r.drawing.entities.empty()) << name;
  }
  std::ifstream bin(dir + "real/acadsharp__sample_AC1015_binary.dxf", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(bin)), {});
  EXPECT_FALSE(ReadDxf(bytes, cp).ok);
}

}  // namespace
}  // namespace hostsim
