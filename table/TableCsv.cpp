#include "table/TableCsv.h"

#include <vector>

#include "hostlink/UserMessages.h"
#include "platform/ExecutablePaths.h"
#include "platform/Ports.h"

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

void AppendCsvLine(std::string& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += CsvField(fields[i]);
  }
  out += "\r\n";
}

}  // namespace

std::string TableCsv(const AreaTableTexts& texts, platform::CodePage& codePage) {
  std::string out;
  AppendCsvLine(out, texts.header);
  for (const std::vector<std::string>& row : texts.rows) AppendCsvLine(out, row);
  for (const auto& [label, value] : texts.summary) {
    std::vector<std::string> fields(texts.header.size() < 2 ? 2 : texts.header.size());
    fields[fields.size() - 2] = label;
    fields.back() = value;
    AppendCsvLine(out, fields);
  }
  return codePage.Utf8ToAnsi(out);
}

std::string CsvNotWrittenMessage(const std::string& path) { return path + " に書き込めません"; }

bool WriteTableCsv(const HostLink& link, const std::string& fileName, const AreaTableTexts& texts) {
  const std::string path = platform::FileBesideExecutable(fileName);
  if (platform::Files().WriteAll(path, TableCsv(texts, platform::Ansi()))) return true;
  TellUser(link, CsvNotWrittenMessage(path));
  return false;
}
