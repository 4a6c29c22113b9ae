#include "table/CounterScan.h"

#include <optional>
#include <string>

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "RuzuRaru2016/hostlink/HostVocabulary.h"
#include "platform/Ports.h"
#include "table/NumberEntries.h"

CounterScan ScanNextNumber(const HostLink& link) {
  const std::string path = ExportFilePath();
  const std::string exportAll = vocab::EnglishDxfOut(path, vocab::kExportAll);
  CounterScan result;
  if (!ActivateHost(link)) return result;
  result.outcome = CounterScanOutcome::kNotRead;
  // The scan knows the new export by the file's appearance: an old one left in place would be
  // read as the drawing.
  auto& files = platform::Files();
  if (files.Exists(path) && !files.Delete(path)) return result;
  // A command still running in the host would take the export's words as its input.
  SendCommand(link, std::string(vocab::kCancelTwice) + vocab::kEnglishFileDialogOff);
  SendCommand(link, exportAll);
  SendCommand(link, vocab::kEnglishFileDialogOn);
  // Only a whole drawing tells the highest number; a partial view would lower the counter and
  // the next triangles would repeat numbers.
  const std::optional<int> next = NextNumberFromExport(path);
  if (!next) return result;
  result.outcome = CounterScanOutcome::kRead;
  result.next = *next;
  return result;
}
