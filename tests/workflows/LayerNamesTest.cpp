// Layer names on their way to the host's command line, where a blank is Enter: a layer field or a
// user's layer that holds a blank is typed whole, and a layer field the host could never take is
// refused, naming the field, before the host hears anything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

struct LayerNamesTest : WorkflowFixture {};

// ２辺指示 and 基準線 make the side-line and height-line layers current in turn and give the
// user's layer back; in base-height mode both fields are typed.
TEST_F(LayerNamesTest, NamesWithABlankAreTypedWholeAndTheUsersLayerComesBack) {
  form.RadioGroup1.SetItemIndex(1);
  form.Edit15.SetText("辺 線");
  form.Edit19.SetText("高さ 線");
  form.Edit1.SetText("6");
  form.Edit2.SetText("8");
  form.CheckBox1.SetChecked(false);
  host.Type("_-LAYER M \"境界 旧\"\r\r");
  ASSERT_EQ(Layer(), "境界 旧");

  struct Case {
    const char* button;
    void (TForm1::*click)();
    std::function<void()> drawingAndUser;
    std::vector<std::vector<double>> sideLines;  // on 辺 線
  };
  const Case cases[] = {
      {"２辺指示",
       &TForm1::Button8Click,
       [&] {
         AddLine(0, 0, 10000, 0);
         AddLine(0, 0, 0, 5000);
         host.user().PickObject(5000, 0).PickObject(0, 2500);
       },
       {{10000, 0, 0, 5000}}},
      {"基準線",
       &TForm1::Button1Click,
       [&] {
         AddLine(0, 0, 10000, 0);
         host.user().PickObject(1000, 0).PickPoint(5000, 3000);
       },
       {{0, 0, 3600, 4800}, {10000, 0, 3600, 4800}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    host.drawing().entities.clear();
    c.drawingAndUser();
    form.RunHandler(c.click);

    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(All<hostsim::Line>("辺 線").size(), c.sideLines.size());
    for (const auto& l : c.sideLines) EXPECT_TRUE(HasLine("辺 線", l[0], l[1], l[2], l[3]));
    EXPECT_EQ(All<hostsim::Line>("高さ 線").size(), 1u);
    // Nothing cut at the blank: no layer of half a name, no rest typed as a keyword.
    for (const char* half : {"辺", "高さ", "線", "境界", "旧"})
      EXPECT_EQ(host.drawing().FindLayer(half), nullptr) << half;
    for (const char* complaint : {"無効", "不明", "見つかりません", "できません"})
      EXPECT_EQ(host.history().find(complaint), std::string::npos) << host.history();
    EXPECT_EQ(Layer(), "境界 旧");
    EXPECT_EQ(host.currentLine(), "コマンド: ");
  }
}

// Every button that reads a layer field refuses one with a character that no layer name holds,
// before it sends anything to the host; the message names the field.
TEST_F(LayerNamesTest, AFieldWithACharacterNoLayerNameHoldsStopsBeforeTheHostIsAsked) {
  struct Case {
    const char* button;
    void (TForm1::*click)();
    TEdit TForm1::*field;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"自動", &TForm1::Button10Click, &TForm1::Edit12, "H<TEXT",
       "画層「文字」の名前に使えない文字 < があります: 'H<TEXT'"},
      {"自動", &TForm1::Button10Click, &TForm1::Edit15, "H>HEN",
       "画層「辺の線分」の名前に使えない文字 > があります: 'H>HEN'"},
      {"自動", &TForm1::Button10Click, &TForm1::Edit19, "H/TAKASA",
       "画層「高さ線分」の名前に使えない文字 / があります: 'H/TAKASA'"},
      {"分割", &TForm1::Button12Click, &TForm1::Edit12, "H\\TEXT",
       "画層「文字」の名前に使えない文字 \\ があります: 'H\\TEXT'"},
      {"分割", &TForm1::Button12Click, &TForm1::Edit15, "\"H_HEN\"",
       "画層「辺の線分」の名前に使えない文字 \" があります: '\"H_HEN\"'"},
      {"分割", &TForm1::Button12Click, &TForm1::Edit19, "高さ:線",
       "画層「高さ線分」の名前に使えない文字 : があります: '高さ:線'"},
      {"１点指示", &TForm1::Button6Click, &TForm1::Edit12, "文字;",
       "画層「文字」の名前に使えない文字 ; があります: '文字;'"},
      {"１点指示", &TForm1::Button6Click, &TForm1::Edit15, "辺?",
       "画層「辺の線分」の名前に使えない文字 ? があります: '辺?'"},
      {"１点指示", &TForm1::Button6Click, &TForm1::Edit19, "*",
       "画層「高さ線分」の名前に使えない文字 * があります: '*'"},
      {"群選択", &TForm1::Button13Click, &TForm1::Edit12, "H|TEXT",
       "画層「文字」の名前に使えない文字 | があります: 'H|TEXT'"},
      {"群選択", &TForm1::Button13Click, &TForm1::Edit19, "H,TAKASA",
       "画層「高さ線分」の名前に使えない文字 , があります: 'H,TAKASA'"},
      {"２辺指示", &TForm1::Button8Click, &TForm1::Edit12, "H=TEXT",
       "画層「文字」の名前に使えない文字 = があります: 'H=TEXT'"},
      {"２辺指示", &TForm1::Button8Click, &TForm1::Edit15, "H`HEN",
       "画層「辺の線分」の名前に使えない文字 ` があります: 'H`HEN'"},
      {"２辺指示", &TForm1::Button8Click, &TForm1::Edit19, "H?T",
       "画層「高さ線分」の名前に使えない文字 ? があります: 'H?T'"},
      {"基準線", &TForm1::Button1Click, &TForm1::Edit12, "H T<",
       "画層「文字」の名前に使えない文字 < があります: 'H T<'"},
      {"基準線", &TForm1::Button1Click, &TForm1::Edit15, "H*",
       "画層「辺の線分」の名前に使えない文字 * があります: 'H*'"},
      {"基準線", &TForm1::Button1Click, &TForm1::Edit19, "a/b",
       "画層「高さ線分」の名前に使えない文字 / があります: 'a/b'"},
      {"作成", &TForm1::Button3Click, &TForm1::Edit12, "表:1",
       "画層「文字」の名前に使えない文字 : があります: '表:1'"},
      {"座標求積", &TForm1::Button15Click, &TForm1::Edit12, "表=1",
       "画層「文字」の名前に使えない文字 = があります: '表=1'"},
      {"長さ記入", &TForm1::Button11Click, &TForm1::Edit12, "長さ|",
       "画層「文字」の名前に使えない文字 | があります: '長さ|'"},
  };
  AddLine(0, 0, 10000, 0);
  const std::string before = DescribeEntities();
  for (const Case& c : cases) {
    TEdit& field = form.*c.field;
    SCOPED_TRACE(testing::Message() << c.button << " " << field.Name << " [" << c.text << "]");
    const std::string kept = field.Text();
    field.SetText(c.text);
    host.user().PickPoint(5000, 1000).PickObject(5000, 0);
    form.RunHandler(c.click);
    field.SetText(kept);

    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(DescribeEntities(), before);
    EXPECT_EQ(form.Edit16.Text(), "1");
    world.messages.shown.clear();
    world.windows.sent.clear();
    host.user().Clear();
  }
}

}  // namespace
