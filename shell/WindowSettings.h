// The window's settings read into one typed record at the click that needs them. ReadWindow is
// the only code besides the form, its layout and the settings file that names the controls; a
// member hands each core the part of the record the core takes.
#pragma once

#include <string>
#include <vector>

#include "geometry/AreaMode.h"
#include "numbers/RoundToText.h"

class TForm1;

// The fields typed as text, each refused (EConvertError, naming what is wrong) before the host is
// asked anything. A button asks for those it uses, so that a field it never reads cannot stop it;
// they are converted in the order of this list, and the first that fails is the one told.
enum WindowFields : unsigned {
  kBaseLineSides = 1u << 0,  // 基準線's sides a and b (Edit1, Edit2) times the multiplier (Edit17)
  kLengthTextHeight = 1u << 1,  // Edit3
  kMarkSizes = 1u << 2,         // the number's height (Edit5), then the circle's radius (Edit6)
  kTableSizes = 1u << 3,        // the table's text height (Edit9), then its row height (Edit10)
  kTableWidths = 1u << 4,       // the widths of the mode's columns (Edit11, or Edit20 for 三斜)
  kTextLayer = 1u << 5,         // 文字 (Edit12)
  kLineLayers = 1u << 6,        // 辺の線分 (Edit15), then 高さ線分 (Edit19)
  kArrowSize = 1u << 7,         // 番号移動's arrow size (Edit14), read only with the arrow
  kRotationAngle = 1u << 8,     // 文字回転's angle (Edit13), as the host reads an angle
};

struct WindowSettings {
  // ﾍﾛﾝ page
  AreaMode mode = AreaMode::kThreeSides;  // 求積
  bool wholeDrawing = true;               // 全ﾃﾞｰﾀｰ
  // 設定1
  long double scale = 1000;  // 尺度: 10 to the power of its spin's position
  bool bestShape = false;    // 形状優先
  bool segments = false;     // 弓形
  NumberFormat lengths;      // 長さ
  NumberFormat areas;        // 面積 (a triangle's row, the totals)
  NumberFormat finalArea;    // 最終
  int coordinateDigits = 3;  // 座標桁 beside 座標求積
  std::string textLayer;     // texts and marks
  std::string sideLayer;     // sides and diagonals
  std::string heightLayer;   // height lines
  // 設定2
  double textHeight = 0;  // of the length texts
  double markHeight = 0;  // of the number in a mark
  double markRadius = 0;  // of its circle
  long double tableTextHeight = 0;
  long double rowHeight = 0;
  std::vector<long double> widths;  // one per column of the mode
  bool currentTextStyle = false;    // 現在の文字スタイルで作成
  std::string textStyle;            // the style the last run chose (CeTextStyle)
  // ﾂｰﾙ page
  double sideA = 0, sideB = 0;  // drawing units: typed length times the multiplier
  bool automaticSide = true;    // 作成側自動
  bool arrow = true;            // 矢印
  double arrowSize = 0;
  std::string rotationAngle;  // as typed, checked to be an angle the host reads
};

WindowSettings ReadWindow(const TForm1& form, unsigned fields);

// The triangle counter (No.): the number the next mark gets, and moving it.
int CounterPosition(const TForm1& form);
void SetCounter(TForm1& form, int position);
