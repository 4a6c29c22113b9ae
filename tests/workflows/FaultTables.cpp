// Three faults every button meets the same way, each as one table over the buttons that can meet
// it: a setting that is no number, a host angle that cannot be read, and an error in mid-run
// while the run has the host on a layer of its own.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "hostlink/UserMessages.h"
#include "numbers/NumberText.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::RefusingFiles;
using hosttest::WorkflowFixture;
using Strings = std::vector<std::string>;
using Button = void (TForm1::*)();

// A button, what the window holds before its click (including any run that must come first),
// and what the user does in the host once the click asks.
struct ButtonRun {
  const char* name;
  Button button;
  std::function<void(WorkflowFixture&)> setup;
  std::function<void(hostsim::ScriptedUser&)> user;
};

void Nothing(WorkflowFixture&) {}
void PickBottomAndLeft(hostsim::ScriptedUser& u) { u.PickObject(5000, 0).PickObject(0, 5000); }
void PickInside(hostsim::ScriptedUser& u) { u.PickPoint(7000, 2000); }
void SelectAll(hostsim::ScriptedUser& u) { u.SelectWindow(-100, -100, 10100, 10100).PressEnter(); }
// The base (0,0)-(10000,0) and the side towards (5000,3000): the apex (3600,4800).
void PickBaseAndSide(hostsim::ScriptedUser& u) { u.PickObject(1000, 0).PickPoint(5000, 3000); }
// Sides 6 and 8 times the multiplier 1000, the side picked by hand.
void BaseLineSides(WorkflowFixture& f) {
  f.form.Edit1.SetText("6");
  f.form.Edit2.SetText("8");
  f.form.CheckBox1.SetChecked(false);
}
// a-b反転 acts on the triangle 基準線 built last.
void BuiltBaseLineTriangle(WorkflowFixture& f) {
  BaseLineSides(f);
  PickBaseAndSide(f.host.user());
  f.form.RunHandler(&TForm1::Button1Click);
  ASSERT_EQ(f.Messages(), Strings{});
  ASSERT_TRUE(f.HasLine("H_HEN", 0, 0, 3600, 4800));
}

const ButtonRun kBaseLine{"BaseLine", &TForm1::Button1Click, BaseLineSides, PickBaseAndSide};
const ButtonRun kExchange{"Exchange", &TForm1::Button9Click, BuiltBaseLineTriangle,
                          [](hostsim::ScriptedUser&) {}};
const ButtonRun kTwoSides{"TwoSides", &TForm1::Button8Click, Nothing, PickBottomAndLeft};
const ButtonRun kAuto{"Auto", &TForm1::Button10Click, Nothing, PickInside};
const ButtonRun kOnePoint{"OnePoint", &TForm1::Button6Click, Nothing, PickInside};
const ButtonRun kDivide{"Divide", &TForm1::Button12Click, Nothing, PickInside};
const ButtonRun kDivideBestShape{"DivideBestShape", &TForm1::Button12Click,
                                 [](WorkflowFixture& f) { f.form.CheckBox5.SetChecked(true); },
                                 PickInside};
const ButtonRun kGroup{"GroupSelection", &TForm1::Button13Click, Nothing, SelectAll};
const ButtonRun kLineLength{"WriteLineLength", &TForm1::Button11Click, Nothing,
                            [](hostsim::ScriptedUser& u) { u.PickObject(5000, 0); }};
const ButtonRun kAreaTable{"AreaTable", &TForm1::Button3Click, Nothing,
                           [](hostsim::ScriptedUser& u) {
                             SelectAll(u);
                             u.PickPoint(12000, 20000);
                           }};
const ButtonRun kAreaTableBaseHeight{"AreaTableBaseHeight", &TForm1::Button3Click,
                                     [](WorkflowFixture& f) { f.form.RadioGroup1.SetItemIndex(1); },
                                     kAreaTable.user};
const ButtonRun kCoordinateTable{
    "CoordinateTable", &TForm1::Button15Click, Nothing,
    [](hostsim::ScriptedUser& u) { u.PickPoint(7000, 2000).PickPoint(20000, 20000); }};
const ButtonRun kRotateText{"RotateText", &TForm1::Button2Click, Nothing,
                            [](hostsim::ScriptedUser& u) { u.PickObject(5000, 0); }};
const ButtonRun kMoveMark{"MoveNumberMark", &TForm1::Button5Click,
                          [](WorkflowFixture& f) { f.form.CheckBox3.SetChecked(true); },
                          [](hostsim::ScriptedUser& u) {
                            SelectAll(u);
                            u.PickPoint(9000, 5000);
                          }};

// A square of 10 m (drawing units are millimetres) with one diagonal, as lines: sides to pick,
// regions to trace, triangles to find.
struct FaultTableFixture : WorkflowFixture {
  void TestBody() override {}
  void Prepare(const ButtonRun& run) {
    AddOutline({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
    AddLine(0, 0, 10000, 10000);
    run.setup(*this);
    world.windows.sent.clear();
    world.messages.shown.clear();
    run.user(host.user());
  }
};

// ---- A setting that is no number stops the click before the host hears anything ----

// What the general error message says of a text that is no number.
std::string NoNumber(const std::string& text) {
  try {
    StrToFloat(text);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "(" + text + " was read as a number)";
}

struct SettingCase {
  ButtonRun run;
  TEdit TForm1::*field;
  std::string text;  // typed into the field
  std::string told;  // the message
};

SettingCase Setting(const ButtonRun& run, TEdit TForm1::*field, const std::string& text = "5OO") {
  return {run, field, text, NoNumber(text)};
}

void PrintTo(const SettingCase& c, std::ostream* os) { *os << c.run.name << " " << c.text; }

class NoNumberSetting : public ::testing::TestWithParam<SettingCase> {};

TEST_P(NoNumberSetting, EndsTheClickWithTheGeneralErrorBeforeTheHostIsAsked) {
  const SettingCase& c = GetParam();
  FaultTableFixture f;
  f.Prepare(c.run);
  (f.form.*c.field).SetText(c.text);
  const std::string drawing = f.DescribeEntities();
  const std::string counter = f.form.Edit16.Text();

  f.form.RunHandler(c.run.button);

  EXPECT_EQ(f.Messages(), Strings{c.told});
  EXPECT_EQ(f.Sent(), Strings{});
  EXPECT_EQ(f.DescribeEntities(), drawing);
  EXPECT_EQ(f.form.Edit16.Text(), counter);
}

// Every button with every field it converts; 最大 and 戻す read none. 分割 draws no marks and
// reads neither mark size (Edit5, Edit6). 番号移動 reads the arrow size only with the arrow.
const SettingCase kSettings[] = {
    Setting(kBaseLine, &TForm1::Edit1),
    Setting(kBaseLine, &TForm1::Edit2),
    Setting(kBaseLine, &TForm1::Edit17),
    Setting(kBaseLine, &TForm1::Edit3),
    Setting(kBaseLine, &TForm1::Edit5),
    Setting(kBaseLine, &TForm1::Edit6),
    Setting(kExchange, &TForm1::Edit3),
    Setting(kExchange, &TForm1::Edit5),
    Setting(kExchange, &TForm1::Edit6),
    Setting(kTwoSides, &TForm1::Edit3),
    Setting(kTwoSides, &TForm1::Edit5),
    Setting(kTwoSides, &TForm1::Edit6),
    Setting(kAuto, &TForm1::Edit3),
    Setting(kAuto, &TForm1::Edit5),
    Setting(kAuto, &TForm1::Edit6),
    Setting(kOnePoint, &TForm1::Edit3),
    Setting(kOnePoint, &TForm1::Edit5),
    Setting(kOnePoint, &TForm1::Edit6),
    Setting(kDivide, &TForm1::Edit3),
    Setting(kDivideBestShape, &TForm1::Edit3),
    Setting(kGroup, &TForm1::Edit3),
    Setting(kGroup, &TForm1::Edit5),
    Setting(kGroup, &TForm1::Edit6),
    Setting(kLineLength, &TForm1::Edit3),
    Setting(kAreaTable, &TForm1::Edit9),
    Setting(kAreaTable, &TForm1::Edit10),
    {kAreaTable, &TForm1::Edit11, "1500,3000,3OOO,3000,4500", NoNumber("3OOO")},
    {kAreaTableBaseHeight, &TForm1::Edit20, "1500,3OOO,3000,4500", NoNumber("3OOO")},
    Setting(kCoordinateTable, &TForm1::Edit9),
    Setting(kCoordinateTable, &TForm1::Edit10),
    Setting(kMoveMark, &TForm1::Edit14, "４００"),
    {kRotateText, &TForm1::Edit13, "四十五", AngleFieldMessage("四十五")},
};

std::string FieldName(TEdit TForm1::*field) {
  static const TForm1 form;
  return (form.*field).Name;
}

INSTANTIATE_TEST_SUITE_P(ButtonsAndFields, NoNumberSetting, ::testing::ValuesIn(kSettings),
                         [](const ::testing::TestParamInfo<SettingCase>& info) {
                           return std::string(info.param.run.name) + "_" +
                                  FieldName(info.param.field);
                         });

// ---- A host angle that cannot be read ----

struct AngleCase {
  ButtonRun run;
  std::string variable;
};

void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.run.name << " " << c.variable; }

class UnreadableHostAngle : public ::testing::TestWithParam<AngleCase> {};

// The host shows the value prompt without a value, or echoes a read-only variable with none.
hosttest::ScopedRewrite ShownWithoutValue(FaultTableFixture& f, const std::string& variable) {
  const std::string query = "'SETVAR " + variable + "\r";
  const std::u16string echo = platform::Utf8ToUtf16(variable + " = ");
  return hosttest::ScopedRewrite(
      f.world,
      [&f, query, echo, variable](platform::WindowHandle w, const std::string& last,
                                  const std::u16string& shown) -> std::optional<std::u16string> {
        if (w == f.host.currentLineControl() && last == query)
          return platform::Utf8ToUtf16(variable + " の新しい値を入力 <>: ");
        if (w != f.host.historyControl()) return std::nullopt;
        std::u16string out = shown;
        for (std::size_t at = out.find(echo); at != std::u16string::npos;
             at = out.find(echo, at + 1)) {
          const std::size_t end = out.find(u" (", at);
          if (end != std::u16string::npos)
            out.replace(at + echo.size(), end - at - echo.size(), u"*");
        }
        return out;
      });
}

// The run ends with the general error before it draws anything; the angle unit the run set for
// its reading is given back, and the counter stays.
TEST_P(UnreadableHostAngle, IsToldDrawsNothingAndGivesTheAngleUnitBack) {
  const AngleCase& c = GetParam();
  FaultTableFixture f;
  // Before any run the row needs first: 戻す and a-b反転 take the host back to its mark.
  f.host.drawing().header.aunits = 2;  // grads
  f.Prepare(c.run);
  const std::string drawing = f.DescribeEntities();
  const std::string counter = f.form.Edit16.Text();
  {
    const auto unreadable = ShownWithoutValue(f, c.variable);
    f.form.RunHandler(c.run.button);
  }
  EXPECT_EQ(f.Messages().size(), 1u);
  EXPECT_EQ(f.host.core().Variable("AUNITS"), "2");
  EXPECT_EQ(f.CountSent("_-INSERT"), 0);
  EXPECT_EQ(f.DescribeEntities(), drawing);
  EXPECT_EQ(f.form.Edit16.Text(), counter);
}

std::vector<AngleCase> AngleCases() {
  std::vector<AngleCase> out;
  // Every button that reads the host's angles.
  for (const ButtonRun& run : {kBaseLine, kExchange, kTwoSides, kAuto, kOnePoint, kDivide, kGroup,
                               kLineLength, kAreaTable, kCoordinateTable}) {
    out.push_back({run, "ANGBASE"});
    out.push_back({run, "ANGDIR"});
  }
  // And those that read the view's height.
  for (const ButtonRun& run : {kBaseLine, kAuto, kOnePoint, kDivide})
    out.push_back({run, "VIEWSIZE"});
  return out;
}

INSTANTIATE_TEST_SUITE_P(ButtonsAndVariables, UnreadableHostAngle,
                         ::testing::ValuesIn(AngleCases()),
                         [](const ::testing::TestParamInfo<AngleCase>& info) {
                           return std::string(info.param.run.name) + "_" + info.param.variable;
                         });

// ---- The user's layer comes back after an error in mid-run ----

struct LayerCase {
  ButtonRun run;
  std::string refused;  // the document the run cannot write
  bool switchesLayer;   // the run makes its own layers current before the error
};

void PrintTo(const LayerCase& c, std::ostream* os) { *os << c.run.name << " " << c.refused; }

class LayerAfterError : public ::testing::TestWithParam<LayerCase> {};

TEST_P(LayerAfterError, IsTheUsersLayer) {
  const LayerCase& c = GetParam();
  FaultTableFixture f;
  f.host.Type("_-LAYER M 測量\r\r");
  f.Prepare(c.run);
  {
    RefusingFiles files(f.world.files, c.refused);
    platform::Ports withRefusal = f.world.ports();
    withRefusal.files = &files;
    const platform::ScopedPorts installed(withRefusal);
    f.form.RunHandler(c.run.button);
  }
  const Strings messages = f.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(c.refused), std::string::npos) << messages[0];
  if (c.switchesLayer) {
    EXPECT_GT(f.CountSent("_-LAYER M ") + f.CountSent("-LAYER M "), 0);
  }
  EXPECT_EQ(f.Layer(), "測量");
}

const std::string kLabelFile = "C:\\Velsarom\\Menseki.dxf";
const std::string kListFile = "C:\\Velsarom\\Velsarom.dxf";

// The buttons that label one triangle switch to the side and height layers; those that insert
// a document of a whole list leave the current layer alone, and must still find it unchanged.
const LayerCase kLayerCases[] = {
    {kBaseLine, kLabelFile, true}, {kExchange, kLabelFile, true}, {kTwoSides, kLabelFile, true},
    {kAuto, kListFile, false},     {kOnePoint, kListFile, false}, {kDivide, kListFile, false},
    {kGroup, kListFile, false},
};

INSTANTIATE_TEST_SUITE_P(Buttons, LayerAfterError, ::testing::ValuesIn(kLayerCases),
                         [](const ::testing::TestParamInfo<LayerCase>& info) {
                           return std::string(info.param.run.name);
                         });

}  // namespace
