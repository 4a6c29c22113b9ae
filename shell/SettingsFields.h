// Settings fields whose text the host is given as it stands. Each is checked where a member
// reads it into a workflow's record, so that a text the host would not take ends the click with
// a message naming the field (EConvertError) before the host is asked anything.
#pragma once

#include <string>

#include "shell/Controls.h"

// A layer field of 設定1 (Edit12 文字, Edit15 辺の線分, Edit19 高さ線分): refused when it holds a
// character the host never takes in a layer name (<>/\":;?*|,=`). A blank is taken: the
// vocabulary types such a name in double quotes.
std::string LayerField(const TEdit& field);

// 文字回転's angle (Edit13): refused unless the host reads it as an angle (numbers/AngleText.h).
std::string AngleField(const TEdit& field);
