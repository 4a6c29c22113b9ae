// 最大: the host exports the whole drawing, the export is scanned for number marks, and the
// counter goes on after the highest number found.
#pragma once

#include "hostlink/HostLink.h"

enum class CounterScanOutcome {
  kNoHost,  // no host window: nothing sent
  kRead     // the whole drawing was scanned: next holds the number after the highest
};

struct CounterScan {
  CounterScanOutcome outcome = CounterScanOutcome::kNoHost;
  int next = 1;
};

// Throws EUntypeablePath before anything is typed when the export file's path cannot be typed,
// EExportFailed when the export does not come back whole (the counter stays), and EConvertError
// when a mark's data is no number.
CounterScan ScanNextNumber(const HostLink& link);
