// Handlers of the window itself: creation, destruction and the settings controls.
#include "shell/TForm1.h"

namespace {

// 10 to the power of a spin position (0 to 3), as the shortest decimal text.
std::string PowerOfTenText(int position) {
  return "1" + std::string(static_cast<std::size_t>(position > 0 ? position : 0), '0');
}

}  // namespace

void TForm1::FormCreate() {
  Keta1 = 2;
  keta2 = 4;
  keta3 = 2;
  keta4 = 3;
  Marume1 = Marume2 = Marume3 = 1;
  LoadSettings();
  Edit8.SetText(PowerOfTenText(UpDown3.Position()));
  // The multiplier always restarts from the spin position, never from a typed value.
  Edit17.SetText(PowerOfTenText(UpDown5.Position()));
  PageControl1.SetActivePageIndex(0);
}

void TForm1::FormDestroy() { SaveSettings(); }

void TForm1::RadioGroup1Click() {
  const bool threeSides = RadioGroup1.ItemIndex() == 0;
  TabSheet2.SetCaption(threeSides ? " ﾍﾛﾝ" : " 三斜");
  Label19.SetEnabled(!threeSides);
  Edit20.SetEnabled(!threeSides);
  Label10.SetEnabled(threeSides);
  Edit11.SetEnabled(threeSides);
}

void TForm1::UpDown2Click() { Keta1 = UpDown2.Position(); }
void TForm1::UpDown6Click() { keta2 = UpDown6.Position(); }
void TForm1::UpDown1Click() { keta3 = UpDown1.Position(); }
void TForm1::UpDown7Click() { keta4 = UpDown7.Position(); }

namespace {

// The rounding mode of a group of three radio buttons: 0, 1 or 2 for the checked one.
void TakeCheckedMode(std::int32_t& mode, const TRadioButton& down, const TRadioButton& half,
                     const TRadioButton& up) {
  if (down.Checked())
    mode = 0;
  else if (half.Checked())
    mode = 1;
  else if (up.Checked())
    mode = 2;
}

}  // namespace

void TForm1::RadioButton1Click() {
  TakeCheckedMode(Marume1, RadioButton1, RadioButton2, RadioButton3);
}
void TForm1::RadioButton4Click() {
  TakeCheckedMode(Marume2, RadioButton4, RadioButton5, RadioButton6);
}
void TForm1::RadioButton7Click() {
  TakeCheckedMode(Marume3, RadioButton7, RadioButton8, RadioButton9);
}

void TForm1::CheckBox3Click() { Edit14.SetEnabled(CheckBox3.Checked()); }

void TForm1::UpDown3Click() { Edit8.SetText(PowerOfTenText(UpDown3.Position())); }

void TForm1::UpDown5Click() { Edit17.SetText(PowerOfTenText(UpDown5.Position())); }
