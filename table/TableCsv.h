// The tables as CSV files beside the executable (Menseki.csv, Zahyo.csv), in the system's code
// page so that a spreadsheet program on the users' machines opens them directly.
#pragma once

#include <string>

#include "hostlink/HostLink.h"
#include "platform/CodePage.h"
#include "table/AreaTable.h"

// The rows in the code page: heads, one line per row, and the summary rows with label and value
// under the last two columns, as in the drawing. Lines end with CR LF; a field with a comma, a
// quote or a line break is quoted.
std::string TableCsv(const AreaTableTexts& texts, platform::CodePage& codePage);

// The message when the CSV file cannot be written.
std::string CsvNotWrittenMessage(const std::string& path);

// Writes the table to fileName beside the executable. When that fails the user is told and
// false comes back; the drawing's table stands all the same.
bool WriteTableCsv(const HostLink& link, const std::string& fileName, const AreaTableTexts& texts);
