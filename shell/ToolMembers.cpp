// The buttons of the ﾂｰﾙ page: each reads and checks its settings before the host hears
// anything, then hands the dialogue to its core in tools/.
#include "hostlink/HostLink.h"
#include "numbers/NumberText.h"
#include "shell/LabelSettings.h"
#include "shell/SettingsFields.h"
#include "shell/TForm1.h"
#include "tools/MoveNumberMark.h"
#include "tools/RotateText.h"
#include "tools/WriteLineLength.h"

namespace {

// The angle goes to the host as typed; a text the host would not read as an angle would only
// leave it asking for one.
std::string ReadRotationAngle(const TForm1& form) { return AngleField(form.Edit13); }

MoveMarkSettings ReadMoveMarkSettings(const TForm1& form) {
  MoveMarkSettings s;
  s.arrow = form.CheckBox3.Checked();
  // The size matters only for the arrow, and Edit14 is disabled without it.
  if (s.arrow) s.arrowSize = static_cast<double>(StrToFloat(form.Edit14.Text()));
  return s;
}

LineLengthSettings ReadLineLengthSettings(TForm1& form) {
  LineLengthSettings s;
  s.label = ReadLengthFigures(form);
  s.label.layer = LayerField(form.Edit12);
  s.textStyle = ReadTextStyleChoice(form);
  return s;
}

}  // namespace

void TForm1::Button2Click() { RotatePickedText(ProcessHostLink(), ReadRotationAngle(*this)); }

void TForm1::Button5Click() {
  SelectAndMoveNumberMark(ProcessHostLink(), ReadMoveMarkSettings(*this));
}

void TForm1::Button11Click() {
  PickAndWriteLineLength(ProcessHostLink(), ReadLineLengthSettings(*this));
}
