// Where a click's time goes, for the latency benchmark and the scenario runs: when the
// environment variable VELSAROM_TIMING names a file, every button click appends one line to it
// when its handler has ended,
//   Button10 click-to-done 3412.6 ms; waits asked 3010 ms in 41 pauses, slept 3021.3 ms
// the handler's wall time, the pauses (polls, fixed pauses, file waits) the program asked of
// its event loop during it and the time they took. Without the variable nothing is written.
#pragma once

#include <string>

#include "platform/win32/Win32Ports.h"

class ClickTiming {
 public:
  explicit ClickTiming(std::string control);
  ~ClickTiming();
  ClickTiming(const ClickTiming&) = delete;
  ClickTiming& operator=(const ClickTiming&) = delete;

 private:
  std::string control_;
  double began_;
  platform::WaitTally waits_;
};
