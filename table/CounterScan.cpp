#include "table/CounterScan.h"

#include "dxf/NumberEntries.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostExport.h"

CounterScan ScanNextNumber(const HostLink& link) {
  CounterScan result;
  if (!ActivateHost(link)) return result;
  // Only a whole drawing tells the highest number; a partial view would lower the counter and
  // the next triangles would repeat numbers. HostExport throws for anything less.
  const Exported drawing = HostExport(link, ExportOf::kWholeDrawing, ReadExportAs::kLines);
  result.outcome = CounterScanOutcome::kRead;
  result.next = NextNumberFromMarks(drawing.lines);
  return result;
}
