// The settings file beside the executable: read once at creation, written once at the end.
#include <algorithm>
#include <cstdint>
#include <string>

#include "numbers/NumberText.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"
#include "shell/TForm1.h"

namespace {

constexpr std::size_t kMaxValueChars = 2047;
const std::string kForm = "Form";
const std::string kVelsarom = "Velsarom";

class SettingsReader {
 public:
  explicit SettingsReader(std::string path) : path_(std::move(path)) {}

  std::string String(const std::string& section, const std::string& key, const std::string& def) {
    return platform::ProfileFile().GetString(path_, section, key, def, kMaxValueChars);
  }
  // A value that is no integer (or none of 32 bits) reads as the default.
  std::int32_t Integer(const std::string& section, const std::string& key, std::int32_t def) {
    long long value = 0;
    if (!TryParseInt(String(section, key, std::to_string(def)), value)) return def;
    if (value < INT32_MIN || value > INT32_MAX) return def;
    return static_cast<std::int32_t>(value);
  }
  // Clamped into a control's range: a hand-edited file cannot put a control out of range.
  std::int32_t Integer(const std::string& key, std::int32_t def, std::int32_t min,
                       std::int32_t max) {
    long long value = 0;
    if (!TryParseInt(String(kVelsarom, key, std::to_string(def)), value)) return def;
    return static_cast<std::int32_t>(std::clamp<long long>(value, min, max));
  }
  bool Boolean(const std::string& key, bool def) {
    return Integer(kVelsarom, key, def ? 1 : 0) != 0;
  }
  std::string String(const std::string& key, const std::string& def) {
    return String(kVelsarom, key, def);
  }

 private:
  std::string path_;
};

class SettingsWriter {
 public:
  // A new file starts as UTF-16 with a byte-order mark, which the profile functions keep, so
  // that text outside the ANSI code page (a layer named "地積²") survives a restart. An existing
  // file keeps the form it has. A mark that cannot be written leaves the failure to the first
  // key, which reports it.
  explicit SettingsWriter(std::string path) : path_(std::move(path)) {
    if (!platform::Files().Exists(path_)) platform::Files().WriteAll(path_, "\xFF\xFE");
  }

  // Stops at the first failing write, so that the keys not yet written keep their old values.
  void String(const std::string& section, const std::string& key, const std::string& value) {
    if (!platform::ProfileFile().WriteString(path_, section, key, value))
      throw ESettingsWrite("設定ファイル \"" + path_ + "\" に書き込めません（" + key + "）。");
  }
  void String(const std::string& key, const std::string& value) { String(kVelsarom, key, value); }
  void Integer(const std::string& section, const std::string& key, std::int32_t value) {
    String(section, key, std::to_string(value));
  }
  void Integer(const std::string& key, std::int32_t value) { Integer(kVelsarom, key, value); }
  void Boolean(const std::string& key, bool value) { String(key, value ? "1" : "0"); }

 private:
  std::string path_;
};

// The radio button of a rounding group for a stored mode: 1 half up, 2 up, anything else down.
TRadioButton& ButtonForMode(std::int32_t mode, TRadioButton& down, TRadioButton& half,
                            TRadioButton& up) {
  return mode == 1 ? half : mode == 2 ? up : down;
}

}  // namespace

std::string TForm1::SettingsPath() const { return platform::ExecutablePathWithExtension(".ini"); }

void TForm1::LoadSettings() {
  const std::string path = SettingsPath();
  if (!platform::Files().Exists(path)) return;
  SettingsReader in(path);

  const int top = in.Integer(kForm, "Top", (ScreenHeight() - Height()) / 2);
  const int left = in.Integer(kForm, "Left", (ScreenWidth() - Width()) / 2);
  SetPosition(left, top);

  Edit13.SetText(in.String("Kakudo", "180.0"));
  Edit14.SetText(in.String("Yajirusi", "400.0"));
  CheckBox3.SetChecked(in.Boolean("Leader", true));
  CheckBox3Click();
  RadioGroup1.SetItemIndex(in.Integer("Kyuuseki", 0, 0, 1));
  RadioGroup1Click();
  CheckBox2.SetChecked(in.Boolean("AllData", true));
  Edit1.SetText(in.String("A_Hen", "8.0"));
  Edit2.SetText(in.String("B_Hen", "10.0"));
  CheckBox1.SetChecked(in.Boolean("AutoCheck", true));
  UpDown5.SetPosition(in.Integer("Jouritu", 3, UpDown5.Min, UpDown5.Max));
  UpDown3.SetPosition(in.Integer("Syakudo", 3, UpDown3.Min, UpDown3.Max));
  UpDown3Click();
  UpDown2.SetPosition(in.Integer("Keta1", 2, UpDown2.Min, UpDown2.Max));
  UpDown6.SetPosition(in.Integer("Keta2", 4, UpDown6.Min, UpDown6.Max));
  UpDown1.SetPosition(in.Integer("Keta3", 2, UpDown1.Min, UpDown1.Max));
  Keta1 = UpDown2.Position();
  keta2 = UpDown6.Position();
  keta3 = UpDown1.Position();
  Edit12.SetText(in.String("M_Layer", "H_TEXT"));
  Edit15.SetText(in.String("H_Layer", "H_HEN"));
  Edit19.SetText(in.String("T_Layer", "H_TAKASA"));

  Marume1 = in.Integer(kVelsarom, "Nagasa", 1);
  ButtonForMode(Marume1, RadioButton1, RadioButton2, RadioButton3).SetChecked(true);
  RadioButton1Click();
  Marume2 = in.Integer(kVelsarom, "Menseki", 1);
  ButtonForMode(Marume2, RadioButton4, RadioButton5, RadioButton6).SetChecked(true);
  RadioButton4Click();
  Marume3 = in.Integer(kVelsarom, "Goukei", 1);
  ButtonForMode(Marume3, RadioButton7, RadioButton8, RadioButton9).SetChecked(true);
  RadioButton7Click();

  Edit3.SetText(in.String("M_Taka1", "300"));
  Edit5.SetText(in.String("N_Taka1", "400"));
  Edit6.SetText(in.String("Hankei1", "500"));
  Edit9.SetText(in.String("M_Taka2", "400"));
  Edit10.SetText(in.String("G_Taka", "800"));
  Edit11.SetText(in.String("Haba1", "1500,3000,3000,3000,4500"));
  Edit20.SetText(in.String("Haba2", "1500,3000,3000,4500"));
  CheckBox4.SetChecked(in.Boolean("UseTextStyle", true));
  CheckBox5.SetChecked(in.Boolean("ShapeFirst", false));
  CheckBox6.SetChecked(in.Boolean("Segments", false));
  UpDown7.SetPosition(in.Integer("Keta4", 3, UpDown7.Min, UpDown7.Max));
  keta4 = UpDown7.Position();
}

void TForm1::SaveSettings() {
  SettingsWriter out(SettingsPath());
  out.Integer(kForm, "Top", Top());
  out.Integer(kForm, "Left", Left());
  out.String("Kakudo", Edit13.Text());
  out.String("Yajirusi", Edit14.Text());
  out.Boolean("Leader", CheckBox3.Checked());
  out.Integer("Kyuuseki", RadioGroup1.ItemIndex());
  out.Boolean("AllData", CheckBox2.Checked());
  out.String("A_Hen", Edit1.Text());
  out.String("B_Hen", Edit2.Text());
  out.Boolean("AutoCheck", CheckBox1.Checked());
  out.Integer("Jouritu", UpDown5.Position());
  out.Integer("Syakudo", UpDown3.Position());
  out.Integer("Keta1", UpDown2.Position());
  out.Integer("Keta2", UpDown6.Position());
  out.Integer("Keta3", UpDown1.Position());
  out.String("M_Layer", Edit12.Text());
  out.String("H_Layer", Edit15.Text());
  out.String("T_Layer", Edit19.Text());
  out.Integer("Nagasa", Marume1);
  out.Integer("Menseki", Marume2);
  out.Integer("Goukei", Marume3);
  out.String("M_Taka1", Edit3.Text());
  out.String("N_Taka1", Edit5.Text());
  out.String("Hankei1", Edit6.Text());
  out.String("M_Taka2", Edit9.Text());
  out.String("G_Taka", Edit10.Text());
  out.String("Haba1", Edit11.Text());
  out.String("Haba2", Edit20.Text());
  out.Boolean("UseTextStyle", CheckBox4.Checked());
  out.Boolean("ShapeFirst", CheckBox5.Checked());
  out.Boolean("Segments", CheckBox6.Checked());
  out.Integer("Keta4", UpDown7.Position());
}
