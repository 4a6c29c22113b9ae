// The one way the host's exports come back: the old export file removed, the export typed, the
// host waited for until it lets go of the file, and the file read into entity tables or scanned
// into entity lines. Nothing else in the system touches the export file, except to save a
// document there for the host to insert (the document keeps that name: it becomes a block of it
// in the user's drawing).
#pragma once

#include <stdexcept>
#include <string>

#include "dxf/DxfReader.h"
#include "dxf/DxfTables.h"
#include "dxf/EntityLines.h"
#include "hostlink/HostLink.h"

// The executable's path with ".dxf": the host exports into it, and annotation documents are
// saved under it.
std::string ExportFilePath();

// What the host exports.
enum class ExportOf {
  kPreviousSet,     // the previous selection set
  kPreviousSingle,  // the previous selection set, as a single selection
  kLastErased,      // the last object made (a traced boundary), erased from the drawing after
  kWholeDrawing,    // every object, after cancelling whatever the host still runs
};

enum class ExportOutcome {
  kRead,          // read whole
  kOldFileStays,  // an old export could not be removed (it would pass for the new one)
  kNotWritten,    // the host wrote no file
  kCutShort,      // the file did not come whole: held by its writer past the wait, or it ends early
  kUnreadable,    // the reader stopped at a pair it could not read
  kCancelled,     // the wait was ended by the window's close
};

// How the export is read: into tables, scanned into entity lines, or both.
enum class ReadExportAs { kTables, kLines, kBoth };

// What an export brought back. The part not asked for stays empty.
struct Exported {
  TDxfTables tables;
  EntityLineList lines;
};

// Every outcome but kRead, as what the user is told ("ホストがファイル … を書き出しません。" and
// its siblings, each naming the file; for kUnreadable the reader's own report and title). The
// click dispatcher shows it once; kCancelled has nothing more to tell (empty what()).
class EExportFailed : public std::runtime_error {
 public:
  EExportFailed(ExportOutcome outcome, const std::string& path);
  // kUnreadable, with the reader's report.
  explicit EExportFailed(const DxfReadResult& unreadable);
  ExportOutcome outcome;
  std::string caption;  // the message's title; empty for the program's own
};

std::string ExportFailureMessage(ExportOutcome outcome, const std::string& path);

// Has the host export `what` into ExportFilePath() and reads it. Throws EExportFailed for every
// outcome but kRead: a run never goes on with a selection that did not come back, nor with part
// of one. EUntypeablePath before anything is typed when the path cannot be typed.
Exported HostExport(const HostLink& link, ExportOf what, ReadExportAs as);
