#include "shell/win32/Layout.h"

namespace {

// Rows inside a group box: the first row below its caption, edits 20 pixels high.
constexpr int kRow = 22;

}  // namespace

const std::vector<Placement>& Layout() {
  static const std::vector<Placement> layout = {
      // " ﾍﾛﾝ "
      {"RadioGroup1", nullptr, 0, 2, 0, 98, 38},
      {"Image3", nullptr, 0, 142, 0, 32, 32},
      {"Label24", nullptr, 0, 102, 34, 74, 16},
      {"GroupBox6", nullptr, 0, 2, 50, 173, 44},
      {"Edit16", nullptr, 0, 10, 66, 56, 22},
      {"UpDown4", nullptr, 0, 66, 66, 16, 22},
      {"Button4", nullptr, 0, 104, 65, 64, 24},
      {"GroupBox5", nullptr, 0, 2, 96, 173, 44},
      {"Button12", nullptr, 0, 8, 111, 52, 24},
      {"Button13", nullptr, 0, 62, 111, 52, 24},
      {"Button10", nullptr, 0, 116, 111, 52, 24},
      {"GroupBox13", nullptr, 0, 2, 142, 173, 44},
      {"Button8", nullptr, 0, 8, 157, 79, 24},
      {"Button6", nullptr, 0, 89, 157, 79, 24},
      {"GroupBox14", nullptr, 0, 2, 188, 173, 44},
      // 検算 beside 作成: the check a surveyor makes before the table.
      {"Button3", nullptr, 0, 8, 203, 48, 24},
      {"Button16", nullptr, 0, 58, 203, 48, 24},
      {"CheckBox2", nullptr, 0, 108, 206, 62, 18},

      // " 設定1"
      // The scale's group holds its edit alone, wide enough for "1000"; the two check boxes
      // stand one above the other beside it, where each caption has room.
      {"GroupBox4", nullptr, 1, 2, 0, 72, 38},
      {"Edit8", nullptr, 1, 8, 13, 44, 20},
      {"UpDown3", nullptr, 1, 52, 13, 16, 20},
      {"CheckBox5", nullptr, 1, 82, 2, 90, 17},
      {"CheckBox6", nullptr, 1, 82, 20, 90, 17},
      {"GroupBox9", nullptr, 1, 2, 38, 173, 38},
      {"Edit7", nullptr, 1, 6, 51, 22, 20},
      {"UpDown2", nullptr, 1, 28, 51, 16, 20},
      {"RadioButton1", nullptr, 1, 46, 53, 42, 16},
      {"RadioButton2", nullptr, 1, 88, 53, 42, 16},
      {"RadioButton3", nullptr, 1, 130, 53, 42, 16},
      {"GroupBox10", nullptr, 1, 2, 76, 173, 38},
      {"Edit18", nullptr, 1, 6, 89, 22, 20},
      {"UpDown6", nullptr, 1, 28, 89, 16, 20},
      {"RadioButton4", nullptr, 1, 46, 91, 42, 16},
      {"RadioButton5", nullptr, 1, 88, 91, 42, 16},
      {"RadioButton6", nullptr, 1, 130, 91, 42, 16},
      {"GroupBox11", nullptr, 1, 2, 114, 173, 38},
      {"Edit4", nullptr, 1, 6, 127, 22, 20},
      {"UpDown1", nullptr, 1, 28, 127, 16, 20},
      {"RadioButton7", nullptr, 1, 46, 129, 42, 16},
      {"RadioButton8", nullptr, 1, 88, 129, 42, 16},
      {"RadioButton9", nullptr, 1, 130, 129, 42, 16},
      {"GroupBox8", nullptr, 1, 2, 152, 173, 82},
      {nullptr, "文字", 1, 8, 168, 56, 14},
      {"Edit12", nullptr, 1, 66, 165, 102, 20},
      {nullptr, "辺の線分", 1, 8, 168 + kRow, 56, 14},
      {"Edit15", nullptr, 1, 66, 165 + kRow, 102, 20},
      {nullptr, "高さ線分", 1, 8, 168 + 2 * kRow, 56, 14},
      {"Edit19", nullptr, 1, 66, 165 + 2 * kRow, 102, 20},

      // " 設定2"
      {"GroupBox2", nullptr, 2, 2, 0, 173, 82},
      {nullptr, "文字高", 2, 8, 16, 60, 14},
      {"Edit3", nullptr, 2, 72, 13, 96, 20},
      {nullptr, "番号字高", 2, 8, 16 + kRow, 60, 14},
      {"Edit5", nullptr, 2, 72, 13 + kRow, 96, 20},
      {nullptr, "番号半径", 2, 8, 16 + 2 * kRow, 60, 14},
      {"Edit6", nullptr, 2, 72, 13 + 2 * kRow, 96, 20},
      {"GroupBox1", nullptr, 2, 2, 84, 173, 112},
      {nullptr, "文字高", 2, 8, 101, 36, 14},
      {"Edit9", nullptr, 2, 46, 98, 42, 20},
      {nullptr, "行高", 2, 96, 101, 26, 14},
      {"Edit10", nullptr, 2, 124, 98, 44, 20},
      // The widths are long lists: each gets the group's whole width under its label.
      {"Label10", nullptr, 2, 8, 122, 30, 14},
      {"Edit11", nullptr, 2, 8, 136, 160, 20},
      {"Label19", nullptr, 2, 8, 158, 30, 14},
      {"Edit20", nullptr, 2, 8, 172, 160, 20},
      {"GroupBox15", nullptr, 2, 2, 198, 173, 38},
      {"CheckBox4", nullptr, 2, 8, 214, 164, 18},

      // " ﾂｰﾙ"
      {"GroupBox7", nullptr, 3, 2, 0, 173, 98},
      {"Button2", nullptr, 3, 8, 10, 70, 24},
      {"Label13", nullptr, 3, 84, 15, 26, 14},
      {"Edit13", nullptr, 3, 112, 12, 56, 20},
      {"Button5", nullptr, 3, 8, 38, 70, 24},
      {"CheckBox3", nullptr, 3, 84, 41, 44, 18},
      {"Edit14", nullptr, 3, 128, 40, 40, 20},
      {"Button11", nullptr, 3, 8, 66, 70, 24},
      {"Image1", nullptr, 3, 136, 63, 32, 32},
      // Kept out of sight below the page: they have no function.
      {"Button14", nullptr, 3, 8, 400, 70, 24},
      {"Edit21", nullptr, 3, 80, 400, 24, 20},
      {"Label6", nullptr, 3, 106, 403, 14, 14},
      {"Edit22", nullptr, 3, 122, 400, 24, 20},
      {"Label7", nullptr, 3, 148, 403, 14, 14},
      {"GroupBox3", nullptr, 3, 2, 100, 173, 98},
      {nullptr, "a辺", 3, 8, 119, 22, 14},
      {"Edit1", nullptr, 3, 30, 115, 52, 22},
      {nullptr, "b辺", 3, 92, 119, 22, 14},
      {"Edit2", nullptr, 3, 114, 115, 54, 22},
      {"CheckBox1", nullptr, 3, 8, 143, 84, 18},
      {"Label17", nullptr, 3, 96, 145, 10, 14},
      {"Edit17", nullptr, 3, 108, 142, 44, 20},
      {"UpDown5", nullptr, 3, 152, 142, 16, 20},
      {"Button1", nullptr, 3, 8, 168, 52, 24},
      {"Button9", nullptr, 3, 62, 168, 54, 24},
      {"Button7", nullptr, 3, 118, 168, 50, 24},
      {"GroupBox16", nullptr, 3, 2, 199, 173, 38},
      {"Button15", nullptr, 3, 8, 207, 70, 24},
      {nullptr, "座標桁", 3, 86, 212, 40, 14},
      {"Edit23", nullptr, 3, 128, 209, 22, 20},
      {"UpDown7", nullptr, 3, 150, 209, 16, 20},
  };
  return layout;
}
