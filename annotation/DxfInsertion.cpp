#include "annotation/DxfInsertion.h"

#include "RuzuRaru2016/HostChannel.h"
#include "RuzuRaru2016/HostSelection.h"
#include "annotation/DxfWriter.h"
#include "platform/Ports.h"

std::string InsertCommand(const std::string& path) {
  return "_-INSERT *" + path + "\r" + "0.0,0.0 1.0 0.0" + "\r";
}

void InsertDocument(const DxfDocument& document, const std::string& path) {
  SaveDxfDocument(document, path);
  SendCommand(InsertCommand(path));
}

std::string ExecutableFolderFile(const std::string& name) {
  const std::string exe = platform::Files().ExecutablePath();
  const std::size_t slash = exe.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : exe.substr(0, slash + 1)) + name;
}

void InsertDxf(const DxfDocument& document) { InsertDocument(document, ExportFilePath()); }

void InsertTextDxf(const std::string& justification, const TAcadPoint& point,
                   const std::string& text, double height, double rotation,
                   const std::string& layer, const std::string& style) {
  DxfDocument document;
  WriteDxfHeaderWithoutAppId(document, style);
  WriteDxfText(document, justification, point, height, rotation, text, layer, style);
  WriteDxfEnd(document);
  InsertDocument(document, ExecutableFolderFile(kSingleTextFile));
}
