// The settings file beside the executable, through the stand-in profile functions.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/standin/StandinWorld.h"
#include "shell/TForm1.h"

namespace {

const std::string kIni = "C:\\Velsarom\\Velsarom.ini";

// Every key of both sections, in the order they are written.
const std::vector<std::pair<std::string, std::string>> kKeys = {{"Form", "Top"},
                                                                {"Form", "Left"},
                                                                {"Velsarom", "Kakudo"},
                                                                {"Velsarom", "Yajirusi"},
                                                                {"Velsarom", "Leader"},
                                                                {"Velsarom", "Kyuuseki"},
                                                                {"Velsarom", "AllData"},
                                                                {"Velsarom", "A_Hen"},
                                                                {"Velsarom", "B_Hen"},
                                                                {"Velsarom", "AutoCheck"},
                                                                {"Velsarom", "Jouritu"},
                                                                {"Velsarom", "Syakudo"},
                                                                {"Velsarom", "Keta1"},
                                                                {"Velsarom", "Keta2"},
                                                                {"Velsarom", "Keta3"},
                                                                {"Velsarom", "M_Layer"},
                                                                {"Velsarom", "H_Layer"},
                                                                {"Velsarom", "T_Layer"},
                                                                {"Velsarom", "Nagasa"},
                                                                {"Velsarom", "Menseki"},
                                                                {"Velsarom", "Goukei"},
                                                                {"Velsarom", "M_Taka1"},
                                                                {"Velsarom", "N_Taka1"},
                                                                {"Velsarom", "Hankei1"},
                                                                {"Velsarom", "M_Taka2"},
                                                                {"Velsarom", "G_Taka"},
                                                                {"Velsarom", "Haba1"},
                                                                {"Velsarom", "Haba2"},
                                                                {"Velsarom", "UseTextStyle"}};

struct SettingsFixture : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};

  void WriteIni(const std::string& utf8) {
    ASSERT_TRUE(world.files.WriteAll(kIni, world.codePage.Utf8ToAnsi(utf8)));
  }
  std::string Value(const std::string& section, const std::string& key) {
    return world.profile.GetString(kIni, section, key, "<missing>", 2047);
  }
};

TEST_F(SettingsFixture, FileNextToTheExecutable) {
  TForm1 form;
  EXPECT_EQ(form.SettingsPath(), kIni);
}

TEST_F(SettingsFixture, EmptyFileCentresTheWindowAndAppliesTheFileDefaults) {
  WriteIni("");
  TForm1 form;
  form.SetUnboundScreen(1280, 1024);
  form.FormCreate();
  EXPECT_EQ(form.Left(), (1280 - form.Width()) / 2);
  EXPECT_EQ(form.Top(), (1024 - form.Height()) / 2);
  EXPECT_TRUE(form.CheckBox4.Checked());
  EXPECT_FALSE(form.CheckBox5.Checked());  // the division by ears unless asked
  EXPECT_FALSE(form.CheckBox6.Checked());  // arc sides as their chords unless asked
  EXPECT_EQ(form.Edit14.Text(), "400.0");
  EXPECT_EQ(form.Edit13.Text(), "180.0");
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 0);
  EXPECT_EQ(form.TabSheet2.Caption(), " ﾍﾛﾝ");  // the mode's effects ran
  EXPECT_EQ(form.Edit8.Text(), "1000");
  EXPECT_EQ(form.Edit17.Text(), "1000");
  EXPECT_EQ(form.Keta1, 2);
  EXPECT_EQ(form.keta2, 4);
  EXPECT_EQ(form.keta3, 2);
  EXPECT_EQ(form.keta4, 3);  // coordinates to the millimetre
  EXPECT_EQ(form.Edit23.Text(), "3");
  EXPECT_EQ(form.Marume1, 1);
  EXPECT_TRUE(form.RadioButton2.Checked());
  EXPECT_EQ(form.Edit11.Text(), "1500,3000,3000,3000,4500");
  EXPECT_EQ(form.Edit20.Text(), "1500,3000,3000,4500");
}

TEST_F(SettingsFixture, OddValuesAreReadAsASurveyorExpects) {
  WriteIni(
      "[Form]\r\nTop=12\r\nLeft=-40\r\n"
      "[Velsarom]\r\nLeader=0\r\nKyuuseki=1\r\nJouritu=-1\r\nSyakudo=9\r\nKeta1=7\r\n"
      "Keta2=abc\r\nKeta3=2.5\r\nNagasa=7\r\nMenseki=2\r\nGoukei=0\r\nAllData=5\r\n"
      "AutoCheck=no\r\nUseTextStyle=0\r\nShapeFirst=3\r\nSegments=-1\r\nKeta4=9\r\n");
  TForm1 form;
  form.FormCreate();
  EXPECT_EQ(form.Top(), 12);
  EXPECT_EQ(form.Left(), -40);
  // Leader 0: arrow unchecked, its size disabled.
  EXPECT_FALSE(form.CheckBox3.Checked());
  EXPECT_FALSE(form.Edit14.Enabled());
  // Kyuuseki 1: base-height mode with its caption and width field.
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 1);
  EXPECT_EQ(form.TabSheet2.Caption(), " 三斜");
  EXPECT_TRUE(form.Edit20.Enabled());
  EXPECT_FALSE(form.Edit11.Enabled());
  // Positions outside the spins' ranges are clamped; non-integers read as the default.
  EXPECT_EQ(form.UpDown5.Position(), 0);
  EXPECT_EQ(form.Edit17.Text(), "1");
  EXPECT_EQ(form.UpDown3.Position(), 3);
  EXPECT_EQ(form.Edit8.Text(), "1000");
  EXPECT_EQ(form.Keta1, 6);
  EXPECT_EQ(form.Edit7.Text(), "6");
  EXPECT_EQ(form.keta2, 4);
  EXPECT_EQ(form.Edit18.Text(), "4");
  EXPECT_EQ(form.keta3, 2);
  EXPECT_EQ(form.keta4, 6);
  EXPECT_EQ(form.Edit23.Text(), "6");
  // Nagasa 7 checks 切捨 and ends as 0.
  EXPECT_TRUE(form.RadioButton1.Checked());
  EXPECT_FALSE(form.RadioButton2.Checked());
  EXPECT_EQ(form.Marume1, 0);
  EXPECT_TRUE(form.RadioButton6.Checked());
  EXPECT_EQ(form.Marume2, 2);
  EXPECT_TRUE(form.RadioButton7.Checked());
  EXPECT_EQ(form.Marume3, 0);
  // Booleans: any integer but 0 is true; a non-integer is the default (true).
  EXPECT_TRUE(form.CheckBox2.Checked());
  EXPECT_TRUE(form.CheckBox1.Checked());
  EXPECT_FALSE(form.CheckBox4.Checked());
  EXPECT_TRUE(form.CheckBox5.Checked());
  EXPECT_TRUE(form.CheckBox6.Checked());

  form.FormDestroy();
  EXPECT_EQ(Value("Velsarom", "ShapeFirst"), "1");
  EXPECT_EQ(Value("Velsarom", "Segments"), "1");
  EXPECT_EQ(Value("Velsarom", "Nagasa"), "0");
  EXPECT_EQ(Value("Velsarom", "Keta1"), "6");
  EXPECT_EQ(Value("Velsarom", "Keta2"), "4");
  EXPECT_EQ(Value("Velsarom", "Keta4"), "6");
  EXPECT_EQ(Value("Velsarom", "Kyuuseki"), "1");
}

TEST_F(SettingsFixture, KyuusekiOutsideTheItemsIsClamped) {
  for (const auto& [stored, index] : {std::pair{"-3", 0}, std::pair{"4", 1}}) {
    WriteIni(std::string("[Velsarom]\r\nKyuuseki=") + stored + "\r\n");
    TForm1 form;
    form.FormCreate();
    EXPECT_EQ(form.RadioGroup1.ItemIndex(), index) << stored;
  }
}

TEST_F(SettingsFixture, RunWithoutChangesWritesEveryKeyOfBothSections) {
  {
    TForm1 form;
    form.FormCreate();
    form.FormDestroy();
  }
  for (const auto& [section, key] : kKeys)
    EXPECT_NE(Value(section, key), "<missing>") << section << "." << key;
  EXPECT_EQ(Value("Form", "Left"), "589");
  EXPECT_EQ(Value("Form", "Top"), "336");
  EXPECT_EQ(Value("Velsarom", "Yajirusi"), "400");
  EXPECT_EQ(Value("Velsarom", "UseTextStyle"), "0");
  EXPECT_EQ(Value("Velsarom", "Leader"), "1");
  EXPECT_EQ(Value("Velsarom", "Syakudo"), "3");
  EXPECT_EQ(Value("Velsarom", "Haba1"), "1500,3000,3000,3000,4500");

  // A second run reads back what the first wrote and writes the same file again.
  const std::string first = *world.files.ReadAll(kIni);
  TForm1 again;
  again.FormCreate();
  again.FormDestroy();
  EXPECT_EQ(*world.files.ReadAll(kIni), first);
}

TEST_F(SettingsFixture, ChangedSettingsSurviveARestart) {
  {
    TForm1 form;
    form.FormCreate();
    form.SetPosition(100, 50);
    form.Edit12.SetText("文字①");
    form.Edit15.SetText("辺の線分　全角");
    form.Edit19.SetText("高さ・ﾊﾝｶｸ");
    form.RadioGroup1.SetItemIndex(1);
    form.RadioGroup1Click();
    form.UpDown3.SetPosition(1);
    form.UpDown3Click();
    form.UpDown6.SetPosition(3);
    form.UpDown6Click();
    form.RadioButton9.SetChecked(true);
    form.RadioButton7Click();
    form.CheckBox2.SetChecked(false);
    form.Edit17.SetText("55");  // a typed multiplier is not kept
    form.FormDestroy();
  }
  TForm1 form;
  form.FormCreate();
  EXPECT_EQ(form.Left(), 100);
  EXPECT_EQ(form.Top(), 50);
  EXPECT_EQ(form.Edit12.Text(), "文字①");
  EXPECT_EQ(form.Edit15.Text(), "辺の線分　全角");
  EXPECT_EQ(form.Edit19.Text(), "高さ・ﾊﾝｶｸ");
  EXPECT_EQ(form.TabSheet2.Caption(), " 三斜");
  EXPECT_EQ(form.Edit8.Text(), "10");
  EXPECT_EQ(form.keta2, 3);
  EXPECT_EQ(form.Edit18.Text(), "3");
  EXPECT_EQ(form.Marume3, 2);
  EXPECT_FALSE(form.CheckBox2.Checked());
  EXPECT_EQ(form.Edit17.Text(), "1000");
}

// A layer name outside the ANSI code page ("²") survives a restart: the settings file is made
// as UTF-16 with a byte-order mark. A file that exists already keeps its form, as the profile
// functions keep it: an ANSI file stays ANSI, with "?" for what the code page lacks.
TEST_F(SettingsFixture, TextOutsideTheCodePageSurvivesARestartInANewFile) {
  {
    TForm1 form;
    form.FormCreate();
    form.Edit12.SetText("地積²");
    form.Edit15.SetText("辺①");
    form.FormDestroy();
  }
  EXPECT_TRUE(world.files.files().at(kIni).starts_with("\xFF\xFE[\0F\0o\0r\0m\0]\0"));
  TForm1 form;
  form.FormCreate();
  EXPECT_EQ(form.Edit12.Text(), "地積²");
  EXPECT_EQ(form.Edit15.Text(), "辺①");

  WriteIni("[Velsarom]\r\nH_Layer=旧\r\n");
  form.Edit12.SetText("地積²");
  form.FormDestroy();
  const std::string ansi = world.files.files().at(kIni);
  EXPECT_TRUE(ansi.starts_with("[Velsarom]\r\nH_Layer=\x95\xD3\x87\x40\r\n")) << ansi;
  EXPECT_EQ(Value("Velsarom", "M_Layer"), "地積?");
  TForm1 again;
  again.FormCreate();
  EXPECT_EQ(again.Edit12.Text(), "地積?");
  EXPECT_EQ(again.Edit15.Text(), "辺①");
}

TEST_F(SettingsFixture, WriteFailureKeepsTheKeysNotYetWritten) {
  WriteIni(
      "[Form]\r\nTop=1\r\nLeft=2\r\n[Velsarom]\r\nKakudo=90.0\r\nYajirusi=250\r\n"
      "M_Layer=旧画層\r\nHaba2=1,2,3,4\r\nUseTextStyle=0\r\n");
  TForm1 form;
  form.FormCreate();
  form.Edit13.SetText("45.0");
  form.Edit14.SetText("300");
  form.Edit12.SetText("新画層");
  form.Edit20.SetText("9,9,9,9");
  world.files.FailWritesAfter(3);  // Top, Left and Kakudo get through
  EXPECT_THROW(form.SaveSettings(), ESettingsWrite);
  EXPECT_EQ(Value("Velsarom", "Kakudo"), "45.0");
  EXPECT_EQ(Value("Velsarom", "Yajirusi"), "250");
  EXPECT_EQ(Value("Velsarom", "M_Layer"), "旧画層");
  EXPECT_EQ(Value("Velsarom", "Haba2"), "1,2,3,4");
  EXPECT_EQ(Value("Velsarom", "UseTextStyle"), "0");
  EXPECT_EQ(Value("Velsarom", "Leader"), "<missing>");
}

// At shut-down the failure is shown, so the user knows the settings were not kept.
TEST_F(SettingsFixture, WriteFailureAtShutDownIsReported) {
  TForm1 form;
  form.FormCreate();
  world.files.SetReadOnly(true);
  form.RunHandler(&TForm1::FormDestroy);
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_NE(world.messages.shown[0].first.find(kIni), std::string::npos);
  EXPECT_EQ(world.messages.shown[0].second, "Velsarom");
  EXPECT_FALSE(world.files.Exists(kIni));
}

}  // namespace
