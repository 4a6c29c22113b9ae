#include "hostlink/ExchangeFolder.h"

#include "dxf/DxfDocument.h"
#include "hostlink/HostExport.h"
#include "hostlink/TypedPaths.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"

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
