#include "shell/TableRoundingSettings.h"

#include "numbers/NumberText.h"

TableRounding ReadTableRounding(const TForm1& form) {
  TableRounding r;
  r.mode = form.RadioGroup1.ItemIndex() == 1 ? kBaseHeightArea : kThreeSideArea;
  r.scale = StrToFloat(form.Edit8.Text());
  r.lengthDigits = form.Keta1;
  r.lengthRounding = form.Marume1;
  r.areaDigits = form.keta2;
  r.areaRounding = form.Marume2;
  r.finalDigits = form.keta3;
  r.finalRounding = form.Marume3;
  r.coordinateDigits = form.keta4;
  return r;
}
