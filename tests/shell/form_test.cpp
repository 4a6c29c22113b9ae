// The window's own handlers and the behaviour of its control objects, without a settings file.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

// The scale (UpDown3 → Edit8) and the side multiplier (UpDown5 → Edit17).
TEST_F(FormFixture, PowerOfTenSpinsWriteTheirFieldsAndStopAtTheirLimits) {
  form.FormCreate();
  const struct {
    TUpDown& spin;
    TEdit& edit;
    void (TForm1::*click)();
  } spins[] = {{form.UpDown3, form.Edit8, &TForm1::UpDown3Click},
               {form.UpDown5, form.Edit17, &TForm1::UpDown5Click}};
  const struct {
    int position;
    const char* text;
  } cases[] = {{0, "1"}, {1, "10"}, {2, "100"}, {3, "1000"}, {4, "1000"}, {-1, "1"}};
  for (const auto& s : spins) {
    for (const auto& c : cases) {
      s.spin.SetPosition(c.position);
      (form.*s.click)();
      EXPECT_EQ(s.edit.Text(), c.text) << s.spin.Name << " " << c.position;
    }
  }
}

// Enter in a side length goes on to the next field, then to 基準線; other keys stay typed.
TEST_F(FormFixture, EnterInTheSideLengthsMovesTheFocusOn) {
  const struct {
    void (TForm1::*press)(char16_t&);
    char16_t key;
    TControl* focusedAfter;
    char16_t keyAfter;
  } cases[] = {
      {&TForm1::Edit1KeyPress, 13, &form.Edit2, 0},
      {&TForm1::Edit2KeyPress, 13, &form.Button1, 0},
      {&TForm1::Edit1KeyPress, u'5', &form.Edit3, u'5'},
      {&TForm1::Edit2KeyPress, 10, &form.Edit3, 10},
  };
  for (const auto& c : cases) {
    form.Edit3.SetFocus();
    char16_t key = c.key;
    (form.*c.press)(key);
    EXPECT_EQ(key, c.keyAfter) << static_cast<int>(c.key);
    EXPECT_TRUE(c.focusedAfter->Focused()) << c.focusedAfter->Name;
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
  EXPECT_EQ(form.FindControl("Edit24"), nullptr);
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

namespace {

enum class Kind { Label, Button, Group, Image, Edit, Check, Radio, Spin, RadioGroup, Sheet, Pages };

Kind KindOf(const TControl* c) {
  if (dynamic_cast<const TLabel*>(c)) return Kind::Label;
  if (dynamic_cast<const TButton*>(c)) return Kind::Button;
  if (dynamic_cast<const TGroupBox*>(c)) return Kind::Group;
  if (dynamic_cast<const TImage*>(c)) return Kind::Image;
  if (dynamic_cast<const TEdit*>(c)) return Kind::Edit;
  if (dynamic_cast<const TCheckBox*>(c)) return Kind::Check;
  if (dynamic_cast<const TRadioButton*>(c)) return Kind::Radio;
  if (dynamic_cast<const TUpDown*>(c)) return Kind::Spin;
  if (dynamic_cast<const TRadioGroup*>(c)) return Kind::RadioGroup;
  if (dynamic_cast<const TTabSheet*>(c)) return Kind::Sheet;
  return Kind::Pages;
}

// The four pages as the form's tables give them: a caption or hint typed differently here is a
// text the user reads differently.
TEST(FormDesign, EveryControlHasTheKindTextAndHintOfTheTables) {
  using K = Kind;
  const struct {
    const char* name;
    Kind kind;
    const char* text;
    const char* hint;
  } rows[] = {
      {"Image3", K::Image, "", ""},
      {"Label24", K::Label, "2016 Beta", ""},
      {"RadioGroup1", K::RadioGroup, "求積", ""},
      {"GroupBox6", K::Group, "No.", ""},
      {"Edit16", K::Edit, "1", ""},
      {"UpDown4", K::Spin, "", ""},
      {"Button4", K::Button, "最大", "図面内の番号の最大値を得る"},
      {"GroupBox5", K::Group, "一括処理", ""},
      {"Button12", K::Button, "分割", "閉鎖領域内を１点指示すると、三角形に自動分割"},
      {"Button13", K::Button, "群選択",
       "分割された線分をすべて選ぶと、三角形群を取得し、長さを記入"},
      {"Button10", K::Button, "自動", "閉鎖領域内を１点指示すると、自動分割後、長さ、番号を記入"},
      {"GroupBox13", K::Group, "個別処理", ""},
      {"Button8", K::Button, "２辺指示", "線分を２本選ぶと、他の１辺を作成し、長さを記入"},
      {"Button6", K::Button, "１点指示", "三角形内の１点を指示すると、長さを記入"},
      {"GroupBox14", K::Group, "求積表", ""},
      {"Button3", K::Button, "作成", "求積表を作成する基点（左上）を指示"},
      {"Button16", K::Button, "検算", "番号の印を図面の線と照合し、合わない印を表示"},
      {"CheckBox2", K::Check, "全ﾃﾞｰﾀｰ", "ﾁｪｯｸを外した時は、番号を選択"},
      {"GroupBox4", K::Group, "尺度", ""},
      {"Edit8", K::Edit, "1000", ""},
      {"UpDown3", K::Spin, "", ""},
      {"GroupBox9", K::Group, "長さ", ""},
      {"Edit7", K::Edit, "2", ""},
      {"UpDown2", K::Spin, "", ""},
      {"RadioButton1", K::Radio, "切捨", ""},
      {"RadioButton2", K::Radio, "四捨", ""},
      {"RadioButton3", K::Radio, "切上", ""},
      {"GroupBox10", K::Group, "面積", ""},
      {"Edit18", K::Edit, "4", ""},
      {"UpDown6", K::Spin, "", ""},
      {"RadioButton4", K::Radio, "切捨", ""},
      {"RadioButton5", K::Radio, "四捨", ""},
      {"RadioButton6", K::Radio, "切上", ""},
      {"GroupBox11", K::Group, "最終", ""},
      {"Edit4", K::Edit, "2", ""},
      {"UpDown1", K::Spin, "", ""},
      {"RadioButton7", K::Radio, "切捨", ""},
      {"RadioButton8", K::Radio, "四捨", ""},
      {"RadioButton9", K::Radio, "切上", ""},
      {"GroupBox8", K::Group, "画層", ""},
      {"Edit12", K::Edit, "H_TEXT", ""},
      {"Edit15", K::Edit, "H_HEN", ""},
      {"Edit19", K::Edit, "H_TAKASA", ""},
      {"GroupBox2", K::Group, "辺、高さ", ""},
      {"Edit3", K::Edit, "300", ""},
      {"Edit5", K::Edit, "400", ""},
      {"Edit6", K::Edit, "500", ""},
      {"GroupBox1", K::Group, "求積表", ""},
      {"Edit9", K::Edit, "400", ""},
      {"Edit10", K::Edit, "800", ""},
      {"Label10", K::Label, "幅1", ""},
      {"Edit11", K::Edit, "1500,3000,3000,3000,4500", ""},
      {"Label19", K::Label, "幅2", ""},
      {"Edit20", K::Edit, "1500,3000,3000,4500", ""},
      {"GroupBox15", K::Group, "作成文字", ""},
      {"CheckBox4", K::Check, "現在の文字スタイルで作成", ""},
      {"Image1", K::Image, "", ""},
      {"GroupBox7", K::Group, "", ""},
      {"Button2", K::Button, "文字回転", "文字を回転"},
      {"Label13", K::Label, "角度", ""},
      {"Edit13", K::Edit, "180.0", ""},
      {"Button5", K::Button, "番号移動", "番号の文字と円を選んで移動"},
      {"CheckBox3", K::Check, "矢印", ""},
      {"Edit14", K::Edit, "400", ""},
      {"Button11", K::Button, "長さ記入", "線分に長さを記入"},
      {"Button14", K::Button, "番号更新", ""},
      {"Edit21", K::Edit, "1", ""},
      {"Label6", K::Label, "を", ""},
      {"Edit22", K::Edit, "2", ""},
      {"Label7", K::Label, "に", ""},
      {"GroupBox3", K::Group, "基準線から三角形を作成", ""},
      {"Edit1", K::Edit, "8.0", ""},
      {"Edit2", K::Edit, "10.0", ""},
      {"CheckBox1", K::Check, "作成側自動", ""},
      {"Label17", K::Label, "X", ""},
      {"Edit17", K::Edit, "1000", ""},
      {"UpDown5", K::Spin, "", ""},
      {"Button1", K::Button, "基準線", ""},
      {"Button9", K::Button, "a-b反転", ""},
      {"Button7", K::Button, "戻す", ""},
      {"TabSheet2", K::Sheet, " ﾍﾛﾝ ", ""},
      {"TabSheet3", K::Sheet, " 設定1", ""},
      {"TabSheet4", K::Sheet, " 設定2", ""},
      {"TabSheet1", K::Sheet, " ﾂｰﾙ", ""},
      {"PageControl1", K::Pages, "", ""},
      {"CheckBox5", K::Check, "形状優先",
       "ﾁｪｯｸすると、分割した三角形の最小の角が最大になるように分割"},
      {"CheckBox6", K::Check, "弓形", "ﾁｪｯｸすると、敷地の円弧の辺を弓形として面積に加減"},
      {"GroupBox16", K::Group, "", ""},
      {"Button15", K::Button, "座標求積", "閉鎖領域内を１点指示すると、座標求積表を作成"},
      {"Edit23", K::Edit, "3", "座標求積表の座標の小数点以下の桁数"},
      {"UpDown7", K::Spin, "", "座標求積表の座標の小数点以下の桁数"},
  };
  TForm1 form;
  ASSERT_EQ(form.Controls().size(), std::size(rows));
  for (const auto& row : rows) {
    const TControl* c = form.FindControl(row.name);
    ASSERT_NE(c, nullptr) << row.name;
    EXPECT_EQ(KindOf(c), row.kind) << row.name;
    EXPECT_EQ(c->Text(), row.text) << row.name;
    EXPECT_EQ(c->Hint, row.hint) << row.name;
  }
  EXPECT_EQ(form.RadioGroup1.Items, (std::vector<std::string>{"ﾍﾛﾝ", "三斜"}));
  EXPECT_EQ(form.PageControl1.Pages, (std::vector<TTabSheet*>{&form.TabSheet2, &form.TabSheet3,
                                                              &form.TabSheet4, &form.TabSheet1}));
}

// Fonts, read-only and input-method flags, states and spin limits: exactly the controls the
// tables name have them.
TEST(FormDesign, FontsFlagsStatesAndLimitsOfTheTables) {
  TForm1 form;
  const std::map<std::string, std::pair<bool, int>> fonts = {{"Label24", {true, 13}},
                                                             {"Edit16", {true, 16}},
                                                             {"Edit1", {true, 13}},
                                                             {"Edit2", {true, 13}}};
  const std::set<std::string> readOnly = {"Edit8", "Edit7", "Edit18", "Edit4", "Edit23"};
  const std::set<std::string> imeClosed = {"Edit16", "Edit13", "Edit14", "Edit1", "Edit2"};
  const std::set<std::string> disabled = {"Label19", "Edit20", "Button14", "Edit21",
                                          "Label6",  "Edit22", "Label7"};
  for (const TControl* c : form.Controls()) {
    const auto font = fonts.find(c->Name);
    EXPECT_EQ(std::pair(c->FontBold, c->FontHeight),
              font == fonts.end() ? std::pair(false, 0) : font->second)
        << c->Name;
    EXPECT_EQ(c->ImeClosed, imeClosed.count(c->Name) == 1) << c->Name;
    EXPECT_EQ(c->Enabled(), disabled.count(c->Name) == 0) << c->Name;
    if (const auto* edit = dynamic_cast<const TEdit*>(c)) {
      EXPECT_EQ(edit->ReadOnly, readOnly.count(c->Name) == 1) << c->Name;
    }
  }

  const struct {
    const TUpDown& spin;
    int min, max, position;
    const TEdit* associate;
  } spins[] = {{form.UpDown4, 1, 1000, 1, &form.Edit16}, {form.UpDown3, 0, 3, 3, nullptr},
               {form.UpDown2, 0, 6, 2, &form.Edit7},     {form.UpDown6, 0, 6, 4, &form.Edit18},
               {form.UpDown1, 0, 6, 2, &form.Edit4},     {form.UpDown5, 0, 3, 3, nullptr},
               {form.UpDown7, 0, 6, 3, &form.Edit23}};
  for (const auto& s : spins) {
    EXPECT_EQ(s.spin.Min, s.min) << s.spin.Name;
    EXPECT_EQ(s.spin.Max, s.max) << s.spin.Name;
    EXPECT_EQ(s.spin.Position(), s.position) << s.spin.Name;
    EXPECT_EQ(s.spin.Associate, s.associate) << s.spin.Name;
  }
  const std::set<std::string> checked = {"CheckBox2",    "CheckBox3",    "CheckBox1",
                                         "RadioButton2", "RadioButton5", "RadioButton8"};
  for (const TControl* c : form.Controls()) {
    if (const auto* box = dynamic_cast<const TCheckBox*>(c)) {
      EXPECT_EQ(box->Checked(), checked.count(c->Name) == 1) << c->Name;
    }
    if (const auto* radio = dynamic_cast<const TRadioButton*>(c)) {
      EXPECT_EQ(radio->Checked(), checked.count(c->Name) == 1) << c->Name;
    }
  }
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 0);
}

}  // namespace
