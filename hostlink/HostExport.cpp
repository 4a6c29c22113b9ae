#include "hostlink/HostExport.h"

#include <vector>

#include "dxf/DxfReader.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostVocabulary.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"

namespace {

// What is typed for each export. Selections type the plain names; the traced boundary and the
// whole drawing the English ones.
std::vector<std::string> ExportCommands(ExportOf what, const std::string& path) {
  switch (what) {
    case ExportOf::kPreviousSet:
      return {vocab::kFileDialogOff, vocab::DxfOut(path, vocab::kExportPrevious),
              vocab::kFileDialogOn};
    case ExportOf::kPreviousSingle:
      return {vocab::kFileDialogOff, vocab::DxfOut(path, vocab::kExportPreviousSingle),
              vocab::kFileDialogOn};
    case ExportOf::kLastErased:
      return {vocab::kEnglishFileDialogOff, vocab::EnglishDxfOut(path, vocab::kExportLast),
              vocab::kEnglishFileDialogOn, vocab::kEraseLast};
    case ExportOf::kWholeDrawing:
      // A command still running in the host would take the export's words as its input.
      return {std::string(vocab::kCancelTwice) + vocab::kEnglishFileDialogOff,
              vocab::EnglishDxfOut(path, vocab::kExportAll), vocab::kEnglishFileDialogOn};
  }
  return {};
}

// Reads the export into `into`; a read that stopped at a bad pair throws with the reader's report.
ExportOutcome ReadExport(ExportOf what, const std::string& path, ReadExportAs as, Exported& into) {
  auto& files = platform::Files();
  if (!WaitForFile(path)) {
    if (platform::Loop().CancelRequested()) return ExportOutcome::kCancelled;
    if (!files.Exists(path)) return ExportOutcome::kNotWritten;
  }
  if (files.InUse(path)) return ExportOutcome::kCutShort;
  // The traced boundary is erased after its export: the host is given the time to do so, and
  // to let go of the file again, before it is read.
  if (what == ExportOf::kLastErased) {
    platform::Loop().Sleep(100);
    WaitForFile(path);
    if (files.InUse(path)) return ExportOutcome::kCutShort;
  }
  if (as != ReadExportAs::kTables && !ScanDxfFile(path, into.lines).complete())
    return ExportOutcome::kCutShort;
  if (as != ReadExportAs::kLines) {
    const DxfReadResult read = ReadDxfFile(into.tables, path);
    if (!read.error.empty()) throw EExportFailed(read);
  }
  return ExportOutcome::kRead;
}

}  // namespace

std::string ExportFilePath() { return platform::ExecutablePathWithExtension(".dxf"); }

std::string ExportFailureMessage(ExportOutcome outcome, const std::string& path) {
  switch (outcome) {
    case ExportOutcome::kOldFileStays:
      return "ファイル " + path + " を削除できません。";
    case ExportOutcome::kNotWritten:
      return "ホストがファイル " + path + " を書き出しません。";
    case ExportOutcome::kCutShort:
      return "ホストがファイル " + path + " を書き終えません。";
    case ExportOutcome::kRead:
    case ExportOutcome::kUnreadable:
    case ExportOutcome::kCancelled:
      break;
  }
  return {};
}

EExportFailed::EExportFailed(ExportOutcome o, const std::string& path)
    : std::runtime_error(ExportFailureMessage(o, path)), outcome(o) {}

EExportFailed::EExportFailed(const DxfReadResult& unreadable)
    : std::runtime_error(unreadable.message),
      outcome(ExportOutcome::kUnreadable),
      caption(unreadable.caption) {}

Exported HostExport(const HostLink& link, ExportOf what, ReadExportAs as) {
  const std::string path = ExportFilePath();
  const std::vector<std::string> commands = ExportCommands(what, path);  // may not be typeable
  // The new export is told by the file's appearance, so an old one must go first.
  auto& files = platform::Files();
  if (files.Exists(path) && !files.Delete(path))
    throw EExportFailed(ExportOutcome::kOldFileStays, path);
  for (const std::string& command : commands) SendCommand(link, command);
  Exported exported;
  const ExportOutcome outcome = ReadExport(what, path, as, exported);
  if (outcome != ExportOutcome::kRead) throw EExportFailed(outcome, path);
  return exported;
}
