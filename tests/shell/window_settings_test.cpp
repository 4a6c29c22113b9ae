// The window read into its one record: what each control gives, what a click converts and in
// which order, and the parts the cores take.
#include "shell/WindowSettings.h"

#include <gtest/gtest.h>

#include <string>

#include "numbers/NumberText.h"
#include "platform/standin/StandinWorld.h"
#include "shell/SettingsParts.h"
#include "shell/TForm1.h"

namespace {

struct WindowSettingsTest : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  TForm1 form;
  WindowSettingsTest() { form.FormCreate(); }

  // The message a click tells for the fields given, or "" when they convert.
  std::string Told(unsigned fields) {
    try {
      ReadWindow(form, fields);
    } catch (const EConvertError& e) {
      return e.what();
    }
    return "";
  }
};

// The scale is the number the field beside the spin shows, at every position of the spin.
TEST_F(WindowSettingsTest, ScaleIsTheNumberTheScaleFieldShows) {
  for (int position = 0; position <= 3; ++position) {
    form.UpDown3.SetPosition(position);
    form.UpDown3Click();
    EXPECT_EQ(ReadWindow(form, 0).scale, StrToFloat(form.Edit8.Text())) << position;
  }
}

TEST_F(WindowSettingsTest, FormatsAndModeAsTheControlsSetThem) {
  form.UpDown2.SetPosition(3);
  form.UpDown2Click();
  form.RadioButton1.SetChecked(true);
  form.RadioButton1Click();
  form.UpDown6.SetPosition(1);
  form.UpDown6Click();
  form.RadioButton6.SetChecked(true);
  form.RadioButton4Click();
  form.UpDown7.SetPosition(5);
  form.UpDown7Click();
  form.RadioGroup1.SetItemIndex(1);
  const WindowSettings s = ReadWindow(form, 0);
  EXPECT_EQ(s.lengths.digits, 3);
  EXPECT_EQ(s.lengths.rounding, kTruncate);
  EXPECT_EQ(s.areas.digits, 1);
  EXPECT_EQ(s.areas.rounding, kRoundUp);
  EXPECT_EQ(s.finalArea.digits, 2);
  EXPECT_EQ(s.finalArea.rounding, kHalfUp);
  EXPECT_EQ(s.coordinateDigits, 5);
  EXPECT_EQ(s.mode, AreaMode::kBaseHeight);
  const TableRounding r = Rounding(s);
  EXPECT_EQ(r.mode, AreaMode::kBaseHeight);
  EXPECT_EQ(r.lengths.digits, 3);
  EXPECT_EQ(r.areas.rounding, kRoundUp);
  EXPECT_EQ(r.coordinateDigits, 5);
}

// A field no click asked for is not converted; of those asked for, the first in the window's order
// is told.
TEST_F(WindowSettingsTest, ConvertsOnlyTheFieldsAskedForAndTellsTheFirstThatFails) {
  form.Edit3.SetText("3OO");
  form.Edit12.SetText("a:b");
  EXPECT_EQ(Told(kTableSizes | kTableWidths), "");
  EXPECT_NE(Told(kTextLayer).find("a:b"), std::string::npos);
  EXPECT_NE(Told(kLengthTextHeight | kTextLayer).find("3OO"), std::string::npos);
  form.Edit1.SetText("8x");
  EXPECT_NE(Told(kBaseLineSides | LabellingFields(true)).find("8x"), std::string::npos);
  // The arrow's size only with the arrow.
  form.Edit14.SetText("四百");
  form.CheckBox3.SetChecked(false);
  EXPECT_EQ(Told(kArrowSize), "");
  form.CheckBox3.SetChecked(true);
  EXPECT_NE(Told(kArrowSize), "");
}

// The widths of the mode's own field, checked for its count of columns.
TEST_F(WindowSettingsTest, WidthsOfTheModesField) {
  form.Edit11.SetText("1,2,3,4,5");
  form.Edit20.SetText("6,7,8,9");
  EXPECT_EQ(ReadWindow(form, kTableWidths).widths, (std::vector<long double>{1, 2, 3, 4, 5}));
  form.RadioGroup1.SetItemIndex(1);
  EXPECT_EQ(ReadWindow(form, kTableWidths).widths, (std::vector<long double>{6, 7, 8, 9}));
  form.Edit20.SetText("6,7,8");
  EXPECT_NE(Told(kTableWidths).find("4 個"), std::string::npos);
}

// The labelling a button hands its core: the counter read at each mark and moved after it, the
// style a run chooses kept for the next.
TEST_F(WindowSettingsTest, LabellingFollowsTheCounterAndKeepsTheChosenStyle) {
  form.Edit5.SetText("450");
  form.Edit6.SetText("600");
  form.Edit12.SetText("文字");
  form.UpDown4.SetPosition(7);
  const TriangleLabelling l = Labelling(form, ReadWindow(form, LabellingFields(true)));
  EXPECT_EQ(l.markHeight, 450);
  EXPECT_EQ(l.markRadius, 600);
  EXPECT_EQ(l.lengths.layer, "文字");
  EXPECT_EQ(l.lengths.scale, 1000);
  EXPECT_EQ(l.nextNumber(), 7);
  l.advance();
  EXPECT_EQ(form.Edit16.Text(), "8");
  EXPECT_EQ(l.nextNumber(), 8);
  l.textStyle.keep("Standard");
  EXPECT_EQ(form.CeTextStyle, "Standard");
  // Without marks their sizes are not read.
  form.Edit5.SetText("4OO");
  EXPECT_EQ(Labelling(form, ReadWindow(form, LabellingFields(false))).markHeight, 0);
}

}  // namespace
