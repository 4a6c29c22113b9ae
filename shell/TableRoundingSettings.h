// The window's settings that the area table's figures follow, read for 作成 and for a
// division that seeks the table closest to the coordinate area.
#pragma once

#include "geometry/TableRows.h"
#include "shell/TForm1.h"

// Mode from RadioGroup1, scale from Edit8 (EConvertError when it is no number), the digits and
// roundings Keta1/Marume1, keta2/Marume2, keta3/Marume3, the coordinates' places keta4.
TableRounding ReadTableRounding(const TForm1& form);
