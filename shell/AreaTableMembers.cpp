// The buttons of the area table group: 最大 sets the counter after the drawing's highest
// number, 作成 draws the table, 検算 checks the marks against the drawing. Each reads the window's
// settings and hands the dialogue with the host to its core in table/.
#include "hostlink/HostLink.h"
#include "shell/SettingsParts.h"
#include "shell/TForm1.h"
#include "shell/WindowSettings.h"
#include "table/AreaTableRun.h"
#include "table/CounterScan.h"
#include "table/KenzanRun.h"

namespace {

// Every setting converted here, so that one that is no number (or a width list of the wrong
// count) ends the click before the host is touched.
AreaTableRun ReadAreaTableRun(TForm1& form) {
  const WindowSettings window = ReadWindow(form, kTableSizes | kTableWidths | kTextLayer);
  return {window.wholeDrawing, TextStyleOf(form, window), TableSettings(window)};
}

// The lengths as 作成 would show them, its sizes converted (and refused) as 作成 does.
KenzanRunSettings ReadKenzanRun(TForm1& form) {
  const WindowSettings window = ReadWindow(form, kTableSizes);
  return {window.wholeDrawing, Rounding(window)};
}

}  // namespace

void TForm1::Button3Click() { MakeAreaTable(ProcessHostLink(), ReadAreaTableRun(*this)); }

void TForm1::Button4Click() {
  const CounterScan scan = ScanNextNumber(ProcessHostLink());
  // The counter moves only to what the drawing holds. Without a host (told by the click
  // dispatcher) or after an export that did not come back whole (EExportFailed) it stays where it
  // was: a count started again at 1 would let the next triangles repeat numbers in the drawing.
  if (scan.outcome == CounterScanOutcome::kRead) SetCounter(*this, scan.next);
}

void TForm1::Button16Click() { RunKenzan(ProcessHostLink(), ReadKenzanRun(*this)); }
