// 座標求積: the area table's style and digits read from the window, the run handed to its core
// in table/.
#include "hostlink/HostLink.h"
#include "shell/SettingsParts.h"
#include "shell/TForm1.h"
#include "shell/WindowSettings.h"
#include "table/CoordinateTableRun.h"

void TForm1::Button15Click() {
  // Converted here, so that a setting that is no number ends the click before the host is
  // touched. The rounding is the area table's, so that a segment and the final area come out as
  // there.
  const WindowSettings window = ReadWindow(*this, kTableSizes | kTextLayer);
  CoordinateTableRun run;
  run.textStyle = TextStyleOf(*this, window);
  run.table = TableSettings(window);
  run.segments = window.segments;
  MakeCoordinateTable(ProcessHostLink(), run);
}
