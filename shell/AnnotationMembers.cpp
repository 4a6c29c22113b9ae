// The window's members of the annotation output: they read the layers, the text style, the
// mark sizes and the counter into the records of the labelling and number-mark cores, and hand
// the work to those cores on the process-wide link.
#include "annotation/AnnotationAngles.h"
#include "annotation/NumberMarks.h"
#include "annotation/SideLines.h"
#include "annotation/TriangleLabels.h"
#include "hostlink/HostLink.h"
#include "numbers/NumberText.h"
#include "shell/LabelSettings.h"
#include "shell/SettingsFields.h"
#include "shell/TForm1.h"

namespace {

NumberMarkStyle MarkStyle(const TForm1& form, double radius, double numberHeight,
                          const InsertionFrame& frame) {
  return {radius, numberHeight, frame.NumberRotation(), LayerField(form.Edit12), form.CeTextStyle};
}

LengthLabelSettings Lengths(const TForm1& form, double textHeight, int digits, int rounding,
                            double scale, double baseAngle, int angleDirection,
                            const std::string& layer) {
  return {textHeight, digits,          rounding, scale, {baseAngle, angleDirection},
          layer,      form.CeTextStyle};
}

// Everything but the length texts' figures (ReadLengthFigures).
TriangleLabelling MarkAndLayerSettings(TForm1& form, bool marks) {
  TriangleLabelling s;
  if (marks) {
    s.markHeight = static_cast<double>(StrToFloat(form.Edit5.Text()));
    s.markRadius = static_cast<double>(StrToFloat(form.Edit6.Text()));
  }
  s.lengths.layer = LayerField(form.Edit12);
  s.lengths.textStyle = form.CeTextStyle;
  s.mode = form.RadioGroup1.ItemIndex() == 1 ? LabelMode::kBaseHeight : LabelMode::kThreeSides;
  s.sideLayer = LayerField(form.Edit15);
  s.heightLayer = LayerField(form.Edit19);
  s.textStyle = ReadTextStyleChoice(form);
  s.nextNumber = [&form] { return form.UpDown4.Position(); };
  s.advance = [&form] { form.UpDown4.SetPosition(form.UpDown4.Position() + 1); };
  return s;
}

}  // namespace

TextStyleChoice ReadTextStyleChoice(TForm1& form) {
  return {form.CheckBox4.Checked(),
          [&form](const std::string& style) { form.CeTextStyle = style; }};
}

LengthLabelSettings ReadLengthFigures(const TForm1& form) {
  LengthLabelSettings s;
  s.textHeight = static_cast<double>(StrToFloat(form.Edit3.Text()));
  s.scale = static_cast<double>(StrToFloat(form.Edit8.Text()));
  s.digits = form.Keta1;
  s.rounding = form.Marume1;
  return s;
}

TriangleLabelling ReadTriangleLabelling(TForm1& form, bool marks) {
  const LengthLabelSettings figures = ReadLengthFigures(form);
  TriangleLabelling s = MarkAndLayerSettings(form, marks);
  s.lengths.textHeight = figures.textHeight;
  s.lengths.scale = figures.scale;
  s.lengths.digits = figures.digits;
  s.lengths.rounding = figures.rounding;
  return s;
}

void TForm1::LabelTriangle(const TAcadTriangle& triangle, double textHeight, int digits,
                           int rounding, double scale, double baseAngle, int angleDirection,
                           bool threeSide) {
  // The mark's sizes are converted here, before the first line or label goes to the host.
  TriangleLabelling s = MarkAndLayerSettings(*this, true);
  s.lengths = Lengths(*this, textHeight, digits, rounding, scale, baseAngle, angleDirection,
                      LayerField(Edit12));
  s.mode = threeSide ? LabelMode::kThreeSides : LabelMode::kBaseHeight;
  ::LabelTriangle(ProcessHostLink(), triangle, s);
}

// Every mark is written turned back against the host's insertion (annotation/AnnotationAngles.h):
// the batch forms' documents are inserted the same way.
void TForm1::DrawThreeSideNumber(const TAcadTriangle& triangle, int number, double radius,
                                 double numberHeight, double baseAngle, int angleDirection) {
  const InsertionFrame frame({baseAngle, angleDirection});
  InsertNumberMark(ProcessHostLink(), frame.Place(ThreeSideMarkCentre(triangle)), triangle, number,
                   MarkStyle(*this, radius, numberHeight, frame));
}

void TForm1::DrawThreeSideNumbers(DxfDocument& document, const TAcadTriangle& triangle, int number,
                                  double radius, double numberHeight, double baseAngle,
                                  int angleDirection) {
  const InsertionFrame frame({baseAngle, angleDirection});
  WriteNumberMark(document, frame.Place(ThreeSideMarkCentre(triangle)), triangle, number,
                  MarkStyle(*this, radius, numberHeight, frame));
}

void TForm1::DrawBaseHeightNumber(const TAcadTriangle& triangle, const TAcadPoint& baseSt,
                                  const TAcadPoint& baseEd, const TAcadPoint& apex,
                                  const TAcadPoint& foot, int number, double radius,
                                  double numberHeight, double baseAngle, int angleDirection) {
  const InsertionFrame frame({baseAngle, angleDirection});
  InsertNumberMark(ProcessHostLink(), frame.Place(BaseHeightMarkCentre(baseSt, baseEd, apex, foot)),
                   triangle, number, MarkStyle(*this, radius, numberHeight, frame));
}

void TForm1::DrawBaseHeightNumbers(DxfDocument& document, const TAcadTriangle& triangle,
                                   const TAcadPoint& baseSt, const TAcadPoint& baseEd,
                                   const TAcadPoint& apex, const TAcadPoint& foot, int number,
                                   double radius, double numberHeight, double baseAngle,
                                   int angleDirection) {
  const InsertionFrame frame({baseAngle, angleDirection});
  WriteNumberMark(document, frame.Place(BaseHeightMarkCentre(baseSt, baseEd, apex, foot)), triangle,
                  number, MarkStyle(*this, radius, numberHeight, frame));
}
