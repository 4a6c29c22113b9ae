// The window's labelling settings read into the one labelling record, for every member that
// labels triangles or lengths.
#pragma once

#include "annotation/TextStyle.h"
#include "annotation/TriangleLabels.h"
#include "shell/TForm1.h"

// CheckBox4 and the kept style's way back into CeTextStyle.
TextStyleChoice ReadTextStyleChoice(TForm1& form);

// The figures of every length text: text height Edit3 and scale Edit8, converted in this order
// (EConvertError otherwise), Keta1 and Marume1. The layer and the style are the caller's.
LengthLabelSettings ReadLengthFigures(const TForm1& form);

// Every number converted at once, so that a workflow reads it before its first command to the
// host (EConvertError otherwise): text height Edit3, scale Edit8 and, when marks, number height
// Edit5 and mark radius Edit6; then Keta1, Marume1, the layers Edit12 (texts), Edit15 (sides)
// and Edit19 (height lines), CeTextStyle, base-height mode when RadioGroup1 shows item 1, the
// text-style choice, and the counter bound to UpDown4 (Edit16 shows it). The host's angles are
// left for the workflow to read.
TriangleLabelling ReadTriangleLabelling(TForm1& form, bool marks = true);
