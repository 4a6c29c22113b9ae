// The buttons of the base-line triangles (基準線, a-b反転, 戻す) and the keys of the side
// lengths: each reads the window's settings and hands the rest to workflows/BaseLineTriangle.
#include "hostlink/HostLink.h"
#include "shell/SettingsParts.h"
#include "shell/TForm1.h"
#include "shell/WindowSettings.h"
#include "workflows/BaseLineTriangle.h"

namespace {

constexpr char16_t kEnter = 13;

// The labelling settings, every number converted before the host is asked anything, and the
// counter's step back.
BaseLineSettings LabelSettings(TForm1& form, const WindowSettings& window) {
  BaseLineSettings s;
  s.labels = Labelling(form, window);
  s.back = [&form] { SetCounter(form, CounterPosition(form) - 1); };
  return s;
}

BaseLineSettings ReadLabelSettings(TForm1& form) {
  return LabelSettings(form, ReadWindow(form, LabellingFields(true)));
}

// The same and the two sides, typed lengths times the multiplier.
BaseLineSettings ReadBaseLineSettings(TForm1& form) {
  const WindowSettings window = ReadWindow(form, kBaseLineSides | LabellingFields(true));
  BaseLineSettings s = LabelSettings(form, window);
  s.sideA = window.sideA;
  s.sideB = window.sideB;
  s.automaticSide = window.automaticSide;
  return s;
}

}  // namespace

void TForm1::Button1Click() {
  const BaseLineSettings s = ReadBaseLineSettings(*this);
  KeepConstruction(PickBaseLineTriangle(ProcessHostLink(), s));
}

void TForm1::KeepConstruction(const std::optional<TAcadTriangle>& built) {
  if (!built) return;
  pt3_temp = *built;
  lastWasConstruction_ = true;
}

void TForm1::Button9Click() {
  if (!lastWasConstruction_) return;
  const BaseLineSettings s = ReadLabelSettings(*this);
  // A run that fails half-way leaves no construction to go back to.
  lastWasConstruction_ = false;
  if (const auto rebuilt = ExchangeSides(ProcessHostLink(), pt3_temp, s)) pt3_temp = *rebuilt;
  // Rebuilt, or left as it was: either way the host's last mark is before a construction.
  lastWasConstruction_ = true;
}

void TForm1::Button7Click() {
  if (!lastWasConstruction_) return;
  const auto back = [this] { SetCounter(*this, CounterPosition(*this) - 1); };
  if (TakeBack(ProcessHostLink(), back)) lastWasConstruction_ = false;
}

void TForm1::Edit1KeyPress(char16_t& key) {
  if (key != kEnter) return;
  key = 0;
  Edit2.SetFocus();
}

void TForm1::Edit2KeyPress(char16_t& key) {
  if (key != kEnter) return;
  key = 0;
  Button1.SetFocus();
}
