// The window's own handlers and the behaviour of its control objects, without a settings file.
#include <gtest/gtest.h>

#include <set>

#include "platform/standin/StandinWorld.h"
#include "shell/ClickHandlers.h"
#include "shell/TForm1.h"

namespace {

struct FormFixture : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  TForm1 form;
};

TEST_F(FormFixture, WithoutSettingsFileShowsTheDesignValues) {
  form.FormCreate();
  EXPECT_FALSE(world.files.Exists("C:\\Velsarom\\Velsarom.ini"));
  EXPECT_EQ(form.Keta1, 2);
  EXPECT_EQ(form.keta2, 4);
  EXPECT_EQ(form.keta3, 2);
  EXPECT_EQ(form.Marume1, 1);
  EXPECT_EQ(form.Marume2, 1);
  EXPECT_EQ(form.Marume3, 1);
  EXPECT_EQ(form.Edit8.Text(), "1000");
  EXPECT_EQ(form.Edit17.Text(), "1000");
  EXPECT_EQ(form.Edit14.Text(), "400");
  EXPECT_FALSE(form.CheckBox4.Checked());
  EXPECT_TRUE(form.CheckBox3.Checked());
  EXPECT_TRUE(form.Edit14.Enabled());
  EXPECT_EQ(form.Left(), 589);
  EXPECT_EQ(form.Top(), 336);
  EXPECT_EQ(form.PageControl1.ActivePageIndex(), 0);
  EXPECT_EQ(form.TabSheet2.Caption(), " ﾍﾛﾝ ");
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 0);
  EXPECT_FALSE(form.Edit20.Enabled());
  EXPECT_FALSE(form.Label19.Enabled());
  EXPECT_TRUE(form.Edit11.Enabled());
  EXPECT_EQ(form.Edit16.Text(), "1");
  EXPECT_EQ(form.UpDown4.Position(), 1);
  EXPECT_TRUE(form.RadioButton2.Checked() && form.RadioButton5.Checked() &&
              form.RadioButton8.Checked());
  EXPECT_TRUE(form.CeTextStyle.empty());
  for (const char* hidden : {"Button14", "Edit21", "Label6", "Edit22", "Label7"})
    EXPECT_FALSE(form.FindControl(hidden)->Enabled()) << hidden;
}

TEST_F(FormFixture, AreaModeRenamesTheFirstPageAndSwapsTheWidthFields) {
  form.FormCreate();
  form.RadioGroup1.SetItemIndex(1);
  form.RadioGroup1Click();
  EXPECT_EQ(form.TabSheet2.Caption(), " 三斜");
  EXPECT_TRUE(form.Edit20.Enabled());
  EXPECT_TRUE(form.Label19.Enabled());
  EXPECT_FALSE(form.Edit11.Enabled());
  EXPECT_FALSE(form.Label10.Enabled());

  form.RadioGroup1.SetItemIndex(0);
  form.RadioGroup1Click();
  EXPECT_EQ(form.TabSheet2.Caption(), " ﾍﾛﾝ");  // no trailing blank, unlike the design caption
  EXPECT_FALSE(form.Edit20.Enabled());
  EXPECT_FALSE(form.Label19.Enabled());
  EXPECT_TRUE(form.Edit11.Enabled());
  EXPECT_TRUE(form.Label10.Enabled());
}

TEST_F(FormFixture, ScaleSpinWritesPowersOfTenAndStopsAtItsLimits) {
  form.FormCreate();
  const struct {
    int position;
    const char* text;
  } cases[] = {{0, "1"}, {1, "10"}, {2, "100"}, {3, "1000"}, {4, "1000"}, {-1, "1"}};
  for (const auto& c : cases) {
    form.UpDown3.SetPosition(c.position);
    form.UpDown3Click();
    EXPECT_EQ(form.Edit8.Text(), c.text) << c.position;
  }
}

TEST_F(FormFixture, DigitsSpinsSetTheirFieldsAndStayWithinZeroToSix) {
  form.FormCreate();
  const struct {
    TUpDown& spin;
    TEdit& edit;
    void (TForm1::*click)();
    std::int32_t& field;
  } spins[] = {{form.UpDown2, form.Edit7, &TForm1::UpDown2Click, form.Keta1},
               {form.UpDown6, form.Edit18, &TForm1::UpDown6Click, form.keta2},
               {form.UpDown1, form.Edit4, &TForm1::UpDown1Click, form.keta3}};
  for (const auto& s : spins) {
    s.spin.SetPosition(7);
    (form.*s.click)();
    EXPECT_EQ(s.field, 6) << s.spin.Name;
    EXPECT_EQ(s.edit.Text(), "6");
    s.spin.SetPosition(-1);
    (form.*s.click)();
    EXPECT_EQ(s.field, 0) << s.spin.Name;
    EXPECT_EQ(s.edit.Text(), "0");
  }
}

TEST_F(FormFixture, RoundingGroupsTakeTheCheckedButton) {
  form.FormCreate();
  const struct {
    TRadioButton* buttons[3];
    void (TForm1::*click)();
    std::int32_t& field;
  } groups[] = {
      {{&form.RadioButton1, &form.RadioButton2, &form.RadioButton3},
       &TForm1::RadioButton1Click,
       form.Marume1},
      {{&form.RadioButton4, &form.RadioButton5, &form.RadioButton6},
       &TForm1::RadioButton4Click,
       form.Marume2},
      {{&form.RadioButton7, &form.RadioButton8, &form.RadioButton9},
       &TForm1::RadioButton7Click,
       form.Marume3},
  };
  for (const auto& g : groups) {
    for (int mode : {2, 0, 1}) {
      g.buttons[mode]->SetChecked(true);
      (form.*g.click)();
      EXPECT_EQ(g.field, mode) << g.buttons[0]->Name;
      for (int other = 0; other < 3; ++other)
        EXPECT_EQ(g.buttons[other]->Checked(), other == mode) << g.buttons[other]->Name;
    }
  }
}

TEST_F(FormFixture, ArrowCheckBoxEnablesTheArrowSize) {
  form.FormCreate();
  form.CheckBox3.SetChecked(false);
  form.CheckBox3Click();
  EXPECT_FALSE(form.Edit14.Enabled());
  form.CheckBox3.SetChecked(true);
  form.CheckBox3Click();
  EXPECT_TRUE(form.Edit14.Enabled());
}

// Workflows read the counter from UpDown4 after the user typed into Edit16.
TEST_F(FormFixture, BoundSpinReadsANumberTypedIntoItsEdit) {
  form.FormCreate();
  form.Edit16.SetText("7");
  EXPECT_EQ(form.UpDown4.Position(), 7);
  form.UpDown4.SetPosition(form.UpDown4.Position() + 1);
  EXPECT_EQ(form.Edit16.Text(), "8");
  form.Edit16.SetText("x");  // not a number: the position stays
  EXPECT_EQ(form.UpDown4.Position(), 8);
  form.Edit16.SetText("1001");  // beyond the limit: the position stays
  EXPECT_EQ(form.UpDown4.Position(), 8);
}

TEST_F(FormFixture, EveryControlIsRegisteredOnceUnderItsName) {
  std::set<std::string> names;
  for (const TControl* c : form.Controls()) EXPECT_TRUE(names.insert(c->Name).second) << c->Name;
  for (const char* name : {"Edit1", "Edit22", "UpDown6", "RadioButton9", "GroupBox15", "Label24",
                           "Button14", "TabSheet1", "PageControl1", "Image3"})
    EXPECT_NE(form.FindControl(name), nullptr) << name;
  EXPECT_EQ(form.FindControl("Edit23"), nullptr);
}

}  // namespace

namespace {

// The window wires widgets by name; a control missing here would do nothing when clicked.
TEST(ClickWiring, EveryButtonSpinAndRoundingChoiceRunsAHandler) {
  TForm1 form;
  for (const TControl* c : form.Controls()) {
    const bool clickable = dynamic_cast<const TButton*>(c) || dynamic_cast<const TUpDown*>(c) ||
                           dynamic_cast<const TRadioButton*>(c);
    const bool inert = c->Name == "Button14" || c->Name == "UpDown4";  // no function; the counter
    if (clickable) {
      EXPECT_EQ(ClickHandlerOf(c->Name) != nullptr, !inert) << c->Name;
    }
  }
  EXPECT_EQ(ClickHandlerOf("RadioGroup1"), &TForm1::RadioGroup1Click);
  EXPECT_EQ(ClickHandlerOf("RadioButton6"), &TForm1::RadioButton4Click);
  EXPECT_EQ(ClickHandlerOf("CheckBox3"), &TForm1::CheckBox3Click);
  EXPECT_EQ(KeyPressHandlerOf("Edit1"), &TForm1::Edit1KeyPress);
  EXPECT_EQ(KeyPressHandlerOf("Edit2"), &TForm1::Edit2KeyPress);
  EXPECT_EQ(KeyPressHandlerOf("Edit3"), nullptr);
}

}  // namespace
