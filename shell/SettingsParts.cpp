#include "shell/SettingsParts.h"

#include "shell/TForm1.h"

unsigned LabellingFields(bool marks) {
  return kLengthTextHeight | (marks ? kMarkSizes : 0u) | kTextLayer | kLineLayers;
}

TextStyleChoice TextStyleOf(TForm1& form, const WindowSettings& s) {
  return {s.currentTextStyle, [&form](const std::string& style) { form.CeTextStyle = style; }};
}

LengthLabelSettings LengthFigures(const WindowSettings& s) {
  LengthLabelSettings lengths;
  lengths.textHeight = s.textHeight;
  lengths.format = s.lengths;
  lengths.scale = s.scale;
  lengths.layer = s.textLayer;
  return lengths;
}

TriangleLabelling Labelling(TForm1& form, const WindowSettings& s) {
  TriangleLabelling labelling;
  labelling.lengths = LengthFigures(s);
  labelling.lengths.textStyle = s.textStyle;
  labelling.mode = s.mode;
  labelling.sideLayer = s.sideLayer;
  labelling.heightLayer = s.heightLayer;
  labelling.markRadius = s.markRadius;
  labelling.markHeight = s.markHeight;
  labelling.textStyle = TextStyleOf(form, s);
  labelling.nextNumber = [&form] { return CounterPosition(form); };
  labelling.advance = [&form] { SetCounter(form, CounterPosition(form) + 1); };
  return labelling;
}

TableRounding Rounding(const WindowSettings& s) {
  TableRounding r;
  r.mode = s.mode;
  r.scale = s.scale;
  r.lengths = s.lengths;
  r.areas = s.areas;
  r.finalArea = s.finalArea;
  r.coordinateDigits = s.coordinateDigits;
  return r;
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
