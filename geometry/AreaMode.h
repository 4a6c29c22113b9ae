// What a triangle is figured by, on the labels and in the area table alike: the window's 求積
// choice (ﾍﾛﾝ or 三斜).
#pragma once

enum class AreaMode {
  kThreeSides,  // ﾍﾛﾝ: three side lengths, the area from the three sides
  kBaseHeight   // 三斜: base and height, the row showing base × height and the total halved
};
