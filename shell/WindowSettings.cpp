#include "shell/WindowSettings.h"

#include "hostlink/UserMessages.h"
#include "numbers/AngleText.h"
#include "numbers/NumberText.h"
#include "shell/TForm1.h"
#include "table/AreaTable.h"

namespace {

double Number(const TEdit& field) { return static_cast<double>(StrToFloat(field.Text())); }

// A layer name as the host is given it: refused when it holds a character the host never takes
// in a layer name (<>/\":;?*|,=`). A blank is taken: the vocabulary types such a name in double
// quotes. label: the field's name on the window.
std::string LayerName(const TEdit& field, const std::string& label) {
  const std::string text = field.Text();
  const std::size_t bad = text.find_first_of("<>/\\\":;?*|,=`");
  if (bad != std::string::npos) throw EConvertError(LayerFieldMessage(label, text[bad], text));
  return text;
}

// 10 to the power of the spin's position, as the scale field shows it.
long double PowerOfTen(int position) {
  long double value = 1;
  for (int i = 0; i < position; ++i) value *= 10;
  return value;
}

}  // namespace

WindowSettings ReadWindow(const TForm1& form, unsigned fields) {
  WindowSettings s;
  s.mode = form.RadioGroup1.ItemIndex() == 1 ? AreaMode::kBaseHeight : AreaMode::kThreeSides;
  s.wholeDrawing = form.CheckBox2.Checked();
  s.scale = PowerOfTen(form.UpDown3.Position());
  s.bestShape = form.CheckBox5.Checked();
  s.segments = form.CheckBox6.Checked();
  s.lengths = {form.Keta1, static_cast<RoundingMode>(form.Marume1)};
  s.areas = {form.keta2, static_cast<RoundingMode>(form.Marume2)};
  s.finalArea = {form.keta3, static_cast<RoundingMode>(form.Marume3)};
  s.coordinateDigits = form.keta4;
  s.currentTextStyle = form.CheckBox4.Checked();
  s.textStyle = form.CeTextStyle;
  s.automaticSide = form.CheckBox1.Checked();
  s.arrow = form.CheckBox3.Checked();

  if (fields & kBaseLineSides) {
    const double a = Number(form.Edit1);
    const double b = Number(form.Edit2);
    const double multiplier = Number(form.Edit17);
    s.sideA = a * multiplier;
    s.sideB = b * multiplier;
  }
  if (fields & kLengthTextHeight) s.textHeight = Number(form.Edit3);
  if (fields & kMarkSizes) {
    s.markHeight = Number(form.Edit5);
    s.markRadius = Number(form.Edit6);
  }
  if (fields & kTableSizes) {
    s.tableTextHeight = StrToFloat(form.Edit9.Text());
    s.rowHeight = StrToFloat(form.Edit10.Text());
  }
  if (fields & kTableWidths)
    s.widths = ReadWidths(s.mode == AreaMode::kBaseHeight ? form.Edit20.Text() : form.Edit11.Text(),
                          s.mode);
  if (fields & kTextLayer) s.textLayer = LayerName(form.Edit12, "文字");
  if (fields & kLineLayers) {
    s.sideLayer = LayerName(form.Edit15, "辺の線分");
    s.heightLayer = LayerName(form.Edit19, "高さ線分");
  }
  // The size matters only for the arrow, and its field is disabled without it.
  if ((fields & kArrowSize) && s.arrow) s.arrowSize = Number(form.Edit14);
  if (fields & kRotationAngle) {
    // Sent as typed; a text the host would not read as an angle would leave it asking for one.
    s.rotationAngle = form.Edit13.Text();
    if (!IsHostAngle(s.rotationAngle)) throw EConvertError(AngleFieldMessage(s.rotationAngle));
  }
  return s;
}

int CounterPosition(const TForm1& form) { return form.UpDown4.Position(); }

void SetCounter(TForm1& form, int position) { form.UpDown4.SetPosition(position); }
