// The window's labelling settings read into the record of the labelling core, for the members
// of the triangle workflows.
#pragma once

#include "annotation/TriangleLabels.h"
#include "shell/TForm1.h"

// Every number converted at once, so that a workflow reads it before its first command to the
// host (EConvertError otherwise): text height Edit3, scale Edit8, mark radius Edit6, number
// height Edit5; then Keta1, Marume1, the layers Edit12 (texts), Edit15 (sides) and Edit19
// (height lines), CeTextStyle, base-height mode when RadioGroup1 shows item 1, and the counter
// bound to UpDown4 (Edit16 shows it). The host's angles are left for the workflow to read.
TriangleLabelSettings ReadTriangleLabelSettings(TForm1& form);
