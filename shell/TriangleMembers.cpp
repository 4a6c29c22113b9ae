// The buttons of the triangle workflows: each reads the window's settings, lets the user pick
// or select in the host, and hands the rest to its core in workflows/.
#include <climits>

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"
#include "RuzuRaru2016/hostlink/HostLink.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "numbers/NumberText.h"
#include "shell/LabelSettings.h"
#include "shell/SettingsFields.h"
#include "shell/TForm1.h"
#include "workflows/DivideRegion.h"
#include "workflows/GroupSelection.h"
#include "workflows/LabelDividedTriangles.h"
#include "workflows/TracedBoundary.h"
#include "workflows/TwoSides.h"

TriangleLabelling TForm1::ReadTriangleLabelling(bool labels) const {
  TriangleLabelling l;
  l.textHeight = static_cast<double>(StrToFloat(Edit3.Text()));
  l.scale = static_cast<double>(StrToFloat(Edit8.Text()));
  if (labels) {
    l.markHeight = static_cast<double>(StrToFloat(Edit5.Text()));
    l.markRadius = static_cast<double>(StrToFloat(Edit6.Text()));
  }
  l.digits = Keta1;
  l.rounding = Marume1;
  l.baseHeight = RadioGroup1.ItemIndex() == 1;
  l.textLayer = LayerField(Edit12);
  l.heightLayer = LayerField(Edit19);
  long long number = 0;
  const bool read = TryParseInt(Edit16.Text(), number) && number >= INT_MIN && number <= INT_MAX;
  l.firstNumber = read ? static_cast<int>(number) : 0;
  return l;
}

void TForm1::AdvanceTriangleNumber(int first, int count) {
  if (count > 0) UpDown4.SetPosition(first + count);
}

void TForm1::Button13Click() {
  const TriangleLabelling labelling = ReadTriangleLabelling(true);
  const HostLink link = ProcessHostLink();
  if (!ActivateHost(link)) return;
  if (SelectObjects(link) > 0) GroupSelection(labelling);
}

void TForm1::GroupSelection(const TriangleLabelling& labelling) {
  const GroupResult r = ::GroupSelection(ProcessHostLink(), {labelling, CheckBox4.Checked()});
  if (r.styleRead) CeTextStyle = r.textStyle;
  AdvanceTriangleNumber(labelling.firstNumber, r.labelled);
}

void TForm1::Button12Click() { PickAndDivide(false); }
void TForm1::Button10Click() { PickAndDivide(true); }
// Inside a triangle the traced region is that triangle, which is then labelled.
void TForm1::Button6Click() { PickAndDivide(true); }

void TForm1::PickAndDivide(bool labels) {
  RegionSettings settings;
  settings.labels = labels;
  settings.labelling = ReadTriangleLabelling(labels);
  settings.hostTextStyle = CheckBox4.Checked();
  settings.bestShape = CheckBox5.Checked();
  settings.sideLayer = LayerField(Edit15);
  const HostLink link = ProcessHostLink();
  if (!ActivateHost(link)) return;
  // An old export that stays is told before the user picks in vain.
  if (!PrepareExportFile(link, ExportFilePath())) return;
  TAcadPoint point;
  if (PickPoint(link, point) == HostResult::Done) DivideRegion(point, settings);
}

void TForm1::DivideRegion(const TAcadPoint& point, const RegionSettings& settings) {
  const RegionResult r = ::DivideRegion(ProcessHostLink(), point, settings);
  if (r.styleRead) CeTextStyle = r.textStyle;
  AdvanceTriangleNumber(settings.labelling.firstNumber, r.labelled);
}

namespace {

TwoSidesSettings ReadTwoSidesSettings(TForm1& form) {
  TwoSidesSettings s;
  s.labels = ReadTriangleLabelSettings(form);
  s.currentTextStyle = form.CheckBox4.Checked();
  s.keepTextStyle = [&form](const std::string& style) { form.CeTextStyle = style; };
  return s;
}

}  // namespace

void TForm1::Button8Click() { PickTwoSides(ProcessHostLink(), ReadTwoSidesSettings(*this)); }

void TForm1::TwoSides(const TAcadPoint& st1, const TAcadPoint& ed1, const TAcadPoint& st2,
                      const TAcadPoint& ed2) {
  ::TwoSides(ProcessHostLink(), {st1, ed1}, {st2, ed2}, ReadTwoSidesSettings(*this));
}
