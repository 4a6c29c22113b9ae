// 座標求積: the area table's style and digits read from the window, the run handed to its core
// in table/.
#include "hostlink/HostLink.h"
#include "shell/LabelSettings.h"
#include "shell/SettingsFields.h"
#include "shell/TForm1.h"
#include "shell/TableRoundingSettings.h"
#include "table/CoordinateTableRun.h"

namespace {

// Converted here, so that a setting that is no number ends the click before the host is
// touched.
CoordinateTableRun ReadCoordinateTableRun(TForm1& form) {
  CoordinateTableRun run;
  run.textStyle = ReadTextStyleChoice(form);
  AreaTableSettings& s = run.table;
  // The rounding of the area table, so that a segment and the final area come out as there.
  static_cast<TableRounding&>(s) = ReadTableRounding(form);
  ReadTableStyleFields({form.Edit8.Text(), form.Edit9.Text(), form.Edit10.Text(), {}}, s);
  s.layer = LayerField(form.Edit12);
  run.segments = form.CheckBox6.Checked();
  return run;
}

}  // namespace

void TForm1::Button15Click() {
  MakeCoordinateTable(ProcessHostLink(), ReadCoordinateTableRun(*this));
}
