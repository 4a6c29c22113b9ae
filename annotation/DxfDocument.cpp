#include "annotation/DxfDocument.h"

#include "platform/Ports.h"

std::string DocumentBytes(const DxfDocument& document) {
  std::string text;
  for (const std::string& item : document.items) {
    text += item;
    text += "\r\n";
  }
  return platform::Ansi().Utf8ToAnsi(text);
}

void SaveDxfDocument(const DxfDocument& document, const std::string& path) {
  platform::FileSystem& files = platform::Files();
  const std::string bytes = DocumentBytes(document);
  // A file that cannot be deleted is left to the write, which then overwrites it or fails.
  if (files.Exists(path)) files.Delete(path);
  if (!files.WriteAll(path, bytes)) throw EFCreateError("ファイル " + path + " を作成できません。");
}
