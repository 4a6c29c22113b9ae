// What 検算 tells the user: one line per finding, the message box's text (the first lines, and
// where the rest went when there are many), the question 作成 asks, and Kenzan.csv.
#pragma once

#include <string>
#include <vector>

#include "table/AreaTable.h"
#include "table/MarkCheck.h"

inline constexpr const char* kKenzanCsvFile = "Kenzan.csv";

// 検算 on objects without a single mark.
inline constexpr const char* kNoMarksToCheck = "検算: 番号の印がありません。";

// Findings shown in a message box; with more, the box says so and every one goes to the CSV.
inline constexpr std::size_t kShownFindings = 12;

// "番号3 の辺 1-2: 記録 12.35 → 図面 12.50" and its siblings.
std::string FindingLine(const MarkFinding& finding);

// The text of 検算's message box: that every mark matches, or the findings (the first
// kShownFindings, and that all of them are in Kenzan.csv when there are more).
std::string KenzanMessage(const std::vector<MarkFinding>& findings);

// 作成's question before it draws over stale or doubled marks: the marks named, the findings
// (the first kShownFindings), whether to draw anyway.
std::string KenzanQuestion(const std::vector<MarkFinding>& findings);

// Kenzan.csv's rows, written as the tables' CSV files are (TableCsv): a head, then one row per
// finding with its mark, what differs, the side, the stored and the present figure.
AreaTableTexts KenzanCsvTexts(const std::vector<MarkFinding>& findings);
