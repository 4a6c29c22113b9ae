#include "annotation/DxfInsertion.h"

#include "dxf/DxfWriter.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/TypedPaths.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"

std::string InsertCommand(const std::string& path) { return vocab::InsertExploded(path); }

void InsertDocument(const HostLink& link, const DxfDocument& document, const std::string& path) {
  const std::string command = InsertCommand(path);  // a path the host cannot take stops here
  SaveDxfDocument(document, path);
  // A user's INSUNITSDEFSOURCE (1, inches, as installed) would scale the document from inches to
  // the drawing's units: it is held at none while the document goes in.
  TemporaryHostSetting units(link, vocab::kInsUnitsDefSource, vocab::InsUnitsDefSourceRestore,
                             TemporaryHostSetting::Integer);
  if (units.saved() != "0") units.Change(vocab::kInsUnitsDefSourceNone);
  SendCommand(link, command);
}

void InsertDxf(const HostLink& link, const DxfDocument& document) {
  InsertDocument(link, document, ExportFilePath());
}

void InsertTextDxf(const HostLink& link, const std::string& justification, const TAcadPoint& point,
                   const std::string& text, double height, double rotation,
                   const std::string& layer, const std::string& style) {
  DxfDocument document;
  WriteDxfHeaderWithoutAppId(document, style);
  WriteDxfText(document, justification, point, height, rotation, text, layer, style);
  WriteDxfEnd(document);
  InsertDocument(link, document, platform::FileBesideExecutable(kSingleTextFile));
}
