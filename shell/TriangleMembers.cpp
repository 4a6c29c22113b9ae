// The buttons of the triangle workflows: each reads the window's settings, lets the user pick
// or select in the host, and hands the rest to its core in workflows/.
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostSelection.h"
#include "shell/SettingsParts.h"
#include "shell/TForm1.h"
#include "shell/WindowSettings.h"
#include "workflows/DivideRegion.h"
#include "workflows/GroupSelection.h"
#include "workflows/TwoSides.h"

namespace {

// A whole list of triangles is numbered on from the counter as it stood at the click.
TriangleLabelling ListLabelling(TForm1& form, const WindowSettings& s) {
  TriangleLabelling labelling = Labelling(form, s);
  labelling.nextNumber = [first = CounterPosition(form)] { return first; };
  return labelling;
}

}  // namespace

void TForm1::AdvanceTriangleNumber(int first, int count) {
  if (count > 0) SetCounter(*this, first + count);
}

void TForm1::Button13Click() {
  GroupSelection(ListLabelling(*this, ReadWindow(*this, LabellingFields(true))));
}

void TForm1::GroupSelection(const TriangleLabelling& labelling) {
  const GroupResult r = ::GroupSelection(ProcessHostLink(), labelling);
  AdvanceTriangleNumber(labelling.nextNumber(), r.labelled);
}

void TForm1::Button12Click() { PickAndDivide(false); }
void TForm1::Button10Click() { PickAndDivide(true); }
// Inside a triangle the traced region is that triangle, which is then labelled.
void TForm1::Button6Click() { PickAndDivide(true); }

void TForm1::PickAndDivide(bool labels) {
  const WindowSettings window = ReadWindow(*this, LabellingFields(labels));
  RegionSettings settings;
  settings.labels = labels;
  settings.labelling = ListLabelling(*this, window);
  settings.bestShape = window.bestShape;
  if (settings.bestShape) settings.table = Rounding(window);
  settings.segments = window.segments;
  const HostLink link = ProcessHostLink();
  if (!ActivateHost(link)) return;
  TAcadPoint point;
  if (PickPoint(link, point) == HostResult::Done) DivideRegion(point, settings);
}

void TForm1::DivideRegion(const TAcadPoint& point, const RegionSettings& settings) {
  const RegionResult r = ::DivideRegion(ProcessHostLink(), point, settings);
  AdvanceTriangleNumber(settings.labelling.nextNumber(), r.labelled);
}

void TForm1::Button8Click() {
  PickTwoSides(ProcessHostLink(), Labelling(*this, ReadWindow(*this, LabellingFields(true))));
}
