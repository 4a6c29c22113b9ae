// The window's members of the annotation output: each reads the layer (Edit12) and the text
// style into a NumberMarkStyle and hands the work to the number-mark core.
#include "RuzuRaru2016/hostlink/HostLink.h"
#include "annotation/NumberMarks.h"
#include "shell/TForm1.h"

namespace {

NumberMarkStyle MarkStyle(const TForm1& form, double radius, double numberHeight, double baseAngle,
                          int angleDirection) {
  return {radius, numberHeight, NumberRotation(baseAngle, angleDirection), form.Edit12.Text(),
          form.CeTextStyle};
}

}  // namespace

void TForm1::DrawThreeSideNumber(const TAcadTriangle& triangle, int number, double radius,
                                 double numberHeight, double baseAngle, int angleDirection) {
  InsertNumberMark(ProcessHostLink(), ThreeSideMarkCentre(triangle), triangle, number,
                   MarkStyle(*this, radius, numberHeight, baseAngle, angleDirection));
}

void TForm1::DrawThreeSideNumbers(DxfDocument& document, const TAcadTriangle& triangle, int number,
                                  double radius, double numberHeight, double baseAngle,
                                  int angleDirection) {
  WriteNumberMark(document, ThreeSideMarkCentre(triangle), triangle, number,
                  MarkStyle(*this, radius, numberHeight, baseAngle, angleDirection));
}

void TForm1::DrawBaseHeightNumber(const TAcadTriangle& triangle, const TAcadPoint& baseSt,
                                  const TAcadPoint& baseEd, const TAcadPoint& apex,
                                  const TAcadPoint& foot, int number, double radius,
                                  double numberHeight, double baseAngle, int angleDirection) {
  InsertNumberMark(ProcessHostLink(), BaseHeightMarkCentre(baseSt, baseEd, apex, foot), triangle,
                   number, MarkStyle(*this, radius, numberHeight, baseAngle, angleDirection));
}

void TForm1::DrawBaseHeightNumbers(DxfDocument& document, const TAcadTriangle& triangle,
                                   const TAcadPoint& baseSt, const TAcadPoint& baseEd,
                                   const TAcadPoint& apex, const TAcadPoint& foot, int number,
                                   double radius, double numberHeight, double baseAngle,
                                   int angleDirection) {
  WriteNumberMark(document, BaseHeightMarkCentre(baseSt, baseEd, apex, foot), triangle, number,
                  MarkStyle(*this, radius, numberHeight, baseAngle, angleDirection));
}
