#include "table/KenzanReport.h"

namespace {

// What differs, in the CSV's second column and the line's middle.
std::string What(FindingKind kind) {
  switch (kind) {
    case FindingKind::kDoubled:
      return "複写";
    case FindingKind::kMissingNumber:
      return "欠番";
    case FindingKind::kSideChanged:
    case FindingKind::kSideGone:
      return "辺";
    case FindingKind::kLabelDiffers:
      return "長さの文字";
    case FindingKind::kArcChanged:
    case FindingKind::kArcGone:
      return "弧";
    case FindingKind::kWithoutCorners:
      return "以前の印";
  }
  return {};
}

std::string Lines(const std::vector<MarkFinding>& findings) {
  std::string text;
  for (std::size_t i = 0; i < findings.size() && i < kShownFindings; ++i)
    text += (i == 0 ? "" : "\n") + FindingLine(findings[i]);
  if (findings.size() > kShownFindings)
    text += "\nほか " + std::to_string(findings.size() - kShownFindings) + " 件（すべて " +
            kKenzanCsvFile + " に）";
  return text;
}

}  // namespace

std::string FindingLine(const MarkFinding& f) {
  switch (f.kind) {
    case FindingKind::kDoubled:
      return f.mark + " が " + std::to_string(f.count) + " 個あります（複写された印）";
    case FindingKind::kMissingNumber:
      return f.mark + " がありません（欠番）";
    case FindingKind::kSideChanged:
      return f.mark + " の辺 " + f.side + ": 記録 " + f.stored + " → 図面 " + f.present;
    case FindingKind::kSideGone:
      return f.mark + " の辺 " + f.side + ": 記録 " + f.stored + " → 線がありません";
    case FindingKind::kLabelDiffers:
      return f.mark + " の辺 " + f.side + ": 長さの文字 " + f.stored + " → 図面 " + f.present;
    case FindingKind::kArcChanged:
      return f.mark + " の弧: 記録 R" + f.stored + " → 図面 R" + f.present;
    case FindingKind::kArcGone:
      return f.mark + " の弧: 記録 R" + f.stored + " → 弧がありません";
    case FindingKind::kWithoutCorners:
      return f.mark + ": 頂点を持たない以前の印です（線との照合はできません）";
  }
  return {};
}

std::string KenzanMessage(const std::vector<MarkFinding>& findings) {
  if (findings.empty()) return "検算: すべての印が図面と合っています。";
  return "検算: 図面と合わない点が " + std::to_string(findings.size()) + " 件あります。\n\n" +
         Lines(findings);
}

std::string KenzanQuestion(const std::vector<MarkFinding>& findings) {
  std::string marks;
  for (const std::string& m : FindingMarks(findings)) marks += (marks.empty() ? "" : ", ") + m;
  return "検算: 次の印が図面と合いません。\n" + marks + "\n\n" + Lines(findings) +
         "\n\nこのまま求積表を作成しますか？";
}

AreaTableTexts KenzanCsvTexts(const std::vector<MarkFinding>& findings) {
  AreaTableTexts texts;
  texts.header = {"印", "内容", "辺", "記録", "図面"};
  for (const MarkFinding& f : findings) {
    std::string present = f.present;
    if (f.kind == FindingKind::kSideGone) present = "線がありません";
    if (f.kind == FindingKind::kArcGone) present = "弧がありません";
    if (f.kind == FindingKind::kDoubled) present = std::to_string(f.count) + " 個";
    texts.rows.push_back({f.mark, What(f.kind), f.side, f.stored, present});
  }
  return texts;
}
