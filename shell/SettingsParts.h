// The part of the window's settings (shell/WindowSettings.h) that each core takes, as the core's
// own record.
#pragma once

#include "annotation/TextStyle.h"
#include "annotation/TriangleLabels.h"
#include "geometry/TableRows.h"
#include "shell/WindowSettings.h"
#include "table/AreaTable.h"

class TForm1;

// What a labelling button converts: the length texts' height, the mark sizes when it draws marks,
// and the layers.
unsigned LabellingFields(bool marks);

// 現在の文字スタイルで作成, and the way the style a run chooses goes back into CeTextStyle.
TextStyleChoice TextStyleOf(TForm1& form, const WindowSettings& s);

// Every length text's height, format and scale, on the texts' layer; the style is the run's.
LengthLabelSettings LengthFigures(const WindowSettings& s);

// How triangles are labelled: the lengths (in the style CeTextStyle held), the mode, the layers,
// the mark sizes, the text-style choice, and the counter as it stands at each mark, advanced after
// each.
TriangleLabelling Labelling(TForm1& form, const WindowSettings& s);

// What the area table's figures follow: the mode, the scale and the formats.
TableRounding Rounding(const WindowSettings& s);

// The table's figures and drawing: sizes, widths and the texts' layer besides the rounding.
AreaTableSettings TableSettings(const WindowSettings& s);
