// 最大: the host exports the whole drawing, the export is scanned for number marks, and the
// counter goes on after the highest number found.
#pragma once

#include "RuzuRaru2016/hostlink/HostLink.h"

enum class CounterScanOutcome {
  kNoHost,   // no host window: nothing sent
  kNotRead,  // the export did not come back whole (not written, still held, cut short)
  kRead      // the whole drawing was scanned: next holds the number after the highest
};

struct CounterScan {
  CounterScanOutcome outcome = CounterScanOutcome::kNoHost;
  int next = 1;
};

// Throws EUntypeablePath before anything is typed when the export file's path cannot be typed,
// and EConvertError when a mark's data is no number.
CounterScan ScanNextNumber(const HostLink& link);
