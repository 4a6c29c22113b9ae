// libFuzzer target for the number scan: any bytes scanned into entity lines, the number marks
// (and the segment marks) collected, sorted and the next number taken. Besides crashes and
// undefined behaviour it checks what the counter and the area table rely on.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/EntityLines.h"
#include "dxf/NumberEntries.h"
#include "dxf/SegmentEntries.h"
#include "numbers/NumberText.h"
#include "platform/standin/Cp932CodePage.h"
#include "tests/fuzz/FuzzChecks.h"

namespace {

using fuzzchecks::Require;
using fuzzchecks::ValidUtf8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::Cp932CodePage codePage;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  EntityLineList lines;
  lines.push_back("before");
  const DxfScanResult r = ScanDxfText(bytes, lines, codePage);
  Require(r.count == static_cast<int>(lines.size()));
  Require(lines[0] == "before");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    // Every entity after the first starts at a 0 group (pairs between the section's name and
    // its first 0 group make a line of their own), and every pair ends with a TAB.
    if (i > 1) Require(lines[i].compare(0, 2, "0,") == 0);
    Require(lines[i].back() == '\t');
    Require(ValidUtf8(lines[i]));
  }

  // The same file with CR LF line ends reads the same.
  if (bytes.find('\r') == std::string_view::npos) {
    std::string crlf;
    for (char c : bytes) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    EntityLineList again;
    again.push_back("before");
    const DxfScanResult r2 = ScanDxfText(crlf, again, codePage);
    Require(r2.end == r.end && std::equal(again.begin(), again.end(), lines.begin(), lines.end()));
  }

  // Segment marks from the same lines: ascending by number, and the next name after all of them.
  try {
    const std::vector<SegmentMarkData> segments = CollectSegmentMarks(lines);
    int highest = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
      Require(segments[i].number >= 0);
      if (i > 0) Require(segments[i - 1].number <= segments[i].number);
      highest = std::max(highest, segments[i].number);
    }
    Require(NextSegmentNumber(segments) == (highest == 2147483647 ? highest : highest + 1));
  } catch (const EConvertError&) {
    // a data value that is no number: the general error message
  }

  std::vector<std::string> entries;
  try {
    CollectNumberMarks(lines, entries);
  } catch (const EConvertError&) {
    return 0;  // a data value that is no number: the general error message
  }
  for (const std::string& e : entries) {
    Require(ValidUtf8(e));
    // number text, then three sides with eight decimals
    std::size_t commas = 0;
    for (char c : e) commas += c == ',';
    Require(commas >= 3);
  }
  const std::vector<std::string> unsorted = entries;
  SortByNumber(entries);
  Require(entries.size() == unsorted.size());
  int highest = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) Require(NumberKey(entries[i - 1]) <= NumberKey(entries[i]));
    if (i == 0 || NumberKey(entries[i]) > highest) highest = NumberKey(entries[i]);
  }
  const int next = NextNumber(entries);
  if (entries.empty() || entries.back()[0] == ',') {
    Require(next == 1);
  } else {
    Require(next == (highest == 2147483647 ? highest : highest + 1));
  }
  return 0;
}
