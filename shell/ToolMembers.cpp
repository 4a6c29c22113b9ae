// The buttons of the ﾂｰﾙ page: each reads and checks its settings before the host hears
// anything, then hands the dialogue to its core in tools/.
#include "hostlink/HostLink.h"
#include "shell/SettingsParts.h"
#include "shell/TForm1.h"
#include "shell/WindowSettings.h"
#include "tools/MoveNumberMark.h"
#include "tools/RotateText.h"
#include "tools/WriteLineLength.h"

void TForm1::Button2Click() {
  RotatePickedText(ProcessHostLink(), ReadWindow(*this, kRotationAngle).rotationAngle);
}

void TForm1::Button5Click() {
  const WindowSettings window = ReadWindow(*this, kArrowSize);
  SelectAndMoveNumberMark(ProcessHostLink(), {window.arrow, window.arrowSize});
}

void TForm1::Button11Click() {
  const WindowSettings window = ReadWindow(*this, kLengthTextHeight | kTextLayer);
  PickAndWriteLineLength(ProcessHostLink(), {LengthFigures(window), TextStyleOf(*this, window)});
}
