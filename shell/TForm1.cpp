#include "shell/TForm1.h"

TForm1::TForm1() {
  Edit16.FontBold = true;
  Edit16.FontHeight = 16;
  Edit16.ImeClosed = true;
  Label24.FontBold = true;
  Label24.FontHeight = 13;
  Button4.Hint = "図面内の番号の最大値を得る";
  Button12.Hint = "閉鎖領域内を１点指示すると、三角形に自動分割";
  Button13.Hint = "分割された線分をすべて選ぶと、三角形群を取得し、長さを記入";
  Button10.Hint = "閉鎖領域内を１点指示すると、自動分割後、長さ、番号を記入";
  Button8.Hint = "線分を２本選ぶと、他の１辺を作成し、長さを記入";
  Button6.Hint = "三角形内の１点を指示すると、長さを記入";
  Button3.Hint = "求積表を作成する基点（左上）を指示";
  Button16.Hint = "番号の印を図面の線と照合し、合わない印を表示";
  CheckBox2.Hint = "ﾁｪｯｸを外した時は、番号を選択";
  CheckBox5.Hint = "ﾁｪｯｸすると、分割した三角形の最小の角が最大になるように分割";
  CheckBox6.Hint = "ﾁｪｯｸすると、敷地の円弧の辺を弓形として面積に加減";

  Edit8.ReadOnly = true;
  Edit7.ReadOnly = true;
  Edit18.ReadOnly = true;
  Edit4.ReadOnly = true;
  TRadioButton::MakeGroup({&RadioButton1, &RadioButton2, &RadioButton3});
  TRadioButton::MakeGroup({&RadioButton4, &RadioButton5, &RadioButton6});
  TRadioButton::MakeGroup({&RadioButton7, &RadioButton8, &RadioButton9});

  Label19.SetEnabled(false);
  Edit20.SetEnabled(false);

  Button2.Hint = "文字を回転";
  Button5.Hint = "番号の文字と円を選んで移動";
  Button11.Hint = "線分に長さを記入";
  Button15.Hint = "閉鎖領域内を１点指示すると、座標求積表を作成";
  Edit23.ReadOnly = true;
  Edit23.Hint = UpDown7.Hint = "座標求積表の座標の小数点以下の桁数";
  Edit13.ImeClosed = true;
  Edit14.ImeClosed = true;
  for (TControl* c :
       std::initializer_list<TControl*>{&Button14, &Edit21, &Label6, &Edit22, &Label7})
    c->SetEnabled(false);
  Edit1.FontBold = true;
  Edit1.FontHeight = 13;
  Edit1.ImeClosed = true;
  Edit2.FontBold = true;
  Edit2.FontHeight = 13;
  Edit2.ImeClosed = true;

  RegisterAll();
}

void TForm1::Register(TControl& control) {
  control.SetFocusState(&focus_);
  controls_.push_back(&control);
}

void TForm1::RegisterAll() {
  for (TControl* c : std::initializer_list<TControl*>{
           &Image3,       &Label24,      &RadioGroup1,  &GroupBox6,  &Edit16,    &UpDown4,
           &Button4,      &GroupBox5,    &Button12,     &Button13,   &Button10,  &GroupBox13,
           &Button8,      &Button6,      &GroupBox14,   &Button3,    &Button16,  &CheckBox2,
           &GroupBox4,    &Edit8,        &UpDown3,      &GroupBox9,  &Edit7,     &UpDown2,
           &RadioButton1, &RadioButton2, &RadioButton3, &GroupBox10, &Edit18,    &UpDown6,
           &RadioButton4, &RadioButton5, &RadioButton6, &GroupBox11, &Edit4,     &UpDown1,
           &RadioButton7, &RadioButton8, &RadioButton9, &GroupBox8,  &Edit12,    &Edit15,
           &Edit19,       &GroupBox2,    &Edit3,        &Edit5,      &Edit6,     &GroupBox1,
           &Edit9,        &Edit10,       &Label10,      &Edit11,     &Label19,   &Edit20,
           &GroupBox15,   &CheckBox4,    &Image1,       &GroupBox7,  &Button2,   &Label13,
           &Edit13,       &Button5,      &CheckBox3,    &Edit14,     &Button11,  &Button14,
           &Edit21,       &Label6,       &Edit22,       &Label7,     &GroupBox3, &Edit1,
           &Edit2,        &CheckBox1,    &Label17,      &Edit17,     &UpDown5,   &Button1,
           &Button9,      &Button7,      &TabSheet2,    &TabSheet3,  &TabSheet4, &TabSheet1,
           &PageControl1, &CheckBox5,    &CheckBox6,    &GroupBox16, &Button15,  &Edit23,
           &UpDown7})
    Register(*c);
}

TControl* TForm1::FindControl(const std::string& name) const {
  for (TControl* c : controls_)
    if (c->Name == name) return c;
  return nullptr;
}

int TForm1::Left() const { return binding_ ? binding_->Left() : left_; }
int TForm1::Top() const { return binding_ ? binding_->Top() : top_; }

void TForm1::SetPosition(int left, int top) {
  left_ = left;
  top_ = top;
  if (binding_) binding_->SetPosition(left, top);
}

int TForm1::Width() const { return binding_ ? binding_->Width() : width_; }
int TForm1::Height() const { return binding_ ? binding_->Height() : height_; }
int TForm1::ScreenWidth() const { return binding_ ? binding_->ScreenWidth() : screenWidth_; }
int TForm1::ScreenHeight() const { return binding_ ? binding_->ScreenHeight() : screenHeight_; }
