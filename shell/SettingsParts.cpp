#include "shell/SettingsParts.h"

#include "shell/TForm1.h"

unsigned LabellingFields(bool marks) {
  return kLengthTextHeight | (marks ? kMarkSizes : 0u) | kTextLayer | kLineLayers;
}

TextStyleChoice TextStyleOf(TForm1& form, const WindowSettings& s) {
  return {s.currentTextStyle, [&form](const std::string& style) { form.CeTextStyle = style; }};
}

LengthLabelSettings LengthFigures(const WindowSettings& s) {
  return {s.textHeight, s.lengths, s.scale, {}, s.textLayer, ""};
}

TriangleLabelling Labelling(TForm1& form, const WindowSettings& s) {
  LengthLabelSettings lengths = LengthFigures(s);
  lengths.textStyle = s.textStyle;
  return {lengths,
          s.mode,
          s.sideLayer,
          s.heightLayer,
          s.markRadius,
          s.markHeight,
          TextStyleOf(form, s),
          [&form] { return CounterPosition(form); },
          [&form] { SetCounter(form, CounterPosition(form) + 1); }};
}

TableRounding Rounding(const WindowSettings& s) {
  return {s.mode, s.scale, s.lengths, s.areas, s.finalArea, s.coordinateDigits};
}

AreaTableSettings TableSettings(const WindowSettings& s) {
  AreaTableSettings table;
  static_cast<TableRounding&>(table) = Rounding(s);
  table.textHeight = s.tableTextHeight;
  table.rowHeight = s.rowHeight;
  table.widths = s.widths;
  table.layer = s.textLayer;
  return table;
}
