#include "annotation/DxfInsertion.h"

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "RuzuRaru2016/hostlink/HostVocabulary.h"
#include "RuzuRaru2016/hostlink/TypedPaths.h"
#include "annotation/DxfWriter.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"

std::string InsertCommand(const std::string& path) { return vocab::InsertExploded(path); }

void RequireTypeableFiles() {
  TypedPath(ExportFilePath());
  TypedPath(platform::FileBesideExecutable(kSingleTextFile));
}

void RequireWritableFolder() {
  auto& files = platform::Files();
  const std::string probe = platform::ExecutablePathWithExtension(".tmp");
  if (files.WriteAll(probe, "") && files.Delete(probe)) return;
  const std::string exe = files.ExecutablePath();
  throw EFCreateError("フォルダ " + exe.substr(0, exe.find_last_of("\\/")) + " に書き込めません。");
}

double InsertionTurnDegrees(double angleBase) { return angleBase; }

void InsertDocument(const HostLink& link, const DxfDocument& document, const std::string& path) {
  const std::string command = InsertCommand(path);  // a path the host cannot take stops here
  SaveDxfDocument(document, path);
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
