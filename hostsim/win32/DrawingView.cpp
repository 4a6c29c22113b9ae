#include "hostsim/win32/DrawingView.h"

#include <cmath>
#include <vector>

#include "hostsim/Outline.h"
#include "platform/Utf.h"

namespace hostsim {

namespace {

COLORREF IndexColour(int aci) {
  static const COLORREF kBase[] = {RGB(255, 255, 255), RGB(255, 0, 0),     RGB(255, 255, 0),
                                   RGB(0, 255, 0),     RGB(0, 255, 255),   RGB(0, 0, 255),
                                   RGB(255, 0, 255),   RGB(255, 255, 255), RGB(128, 128, 128),
                                   RGB(192, 192, 192)};
  if (aci >= 1 && aci <= 9) return kBase[aci];
  // Other indices: a hue from the index, as the colour wheel runs.
  int h = (aci * 7) % 360;
  double c = 1, x = 1 - std::fabs(std::fmod(h / 60.0, 2) - 1);
  double r = 0, g = 0, b = 0;
  if (h < 60)
    r = c, g = x;
  else if (h < 120)
    r = x, g = c;
  else if (h < 180)
    g = c, b = x;
  else if (h < 240)
    g = x, b = c;
  else if (h < 300)
    r = x, b = c;
  else
    r = c, b = x;
  return RGB(static_cast<int>(r * 255), static_cast<int>(g * 255), static_cast<int>(b * 255));
}

struct View {
  double scale;
  double cx, cy;  // screen centre
  Point centre;
  POINT Map(Vec p) const {
    return {static_cast<LONG>(std::lround(cx + (p.x - centre.x) * scale)),
            static_cast<LONG>(std::lround(cy - (p.y - centre.y) * scale))};
  }
};

void DrawPieces(HDC dc, const View& v, const std::vector<Piece>& pieces) {
  for (const Piece& p : pieces) {
    std::vector<POINT> pts;
    int n = p.arc ? std::max(8, static_cast<int>(p.sweep / (2 * kPi) * 96)) : 1;
    for (int k = 0; k <= n; ++k) pts.push_back(v.Map(PointAt(p, static_cast<double>(k) / n)));
    Polyline(dc, pts.data(), static_cast<int>(pts.size()));
  }
}

void DrawText(HDC dc, const View& v, const Text& t, COLORREF colour) {
  int px = static_cast<int>(std::lround(t.height * v.scale));
  if (px < 2 || t.value.empty()) return;
  std::u16string u = platform::Utf8ToUtf16(t.value);
  std::wstring w(u.begin(), u.end());
  LOGFONTW lf = {};
  lf.lfHeight = -px * 4 / 3;  // the text height is the capital height
  lf.lfWidth = 0;
  lf.lfEscapement = lf.lfOrientation = static_cast<LONG>(std::lround(t.rotation * 10));
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfQuality = ANTIALIASED_QUALITY;
  wcscpy(lf.lfFaceName, L"IPAGothic");
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, colour);
  UINT align = TA_BASELINE | TA_LEFT;
  Point at = t.insert;
  double lift = 0;  // towards the text's top, in drawing units
  if (t.halign != 0 || t.valign != 0) {
    at = (t.halign == 3 || t.halign == 5) ? t.insert : t.align;
    if (t.halign == 1 || t.halign == 4) align = TA_BASELINE | TA_CENTER;
    if (t.halign == 2) align = TA_BASELINE | TA_RIGHT;
    if (t.valign == 2 || t.halign == 4) lift = -t.height / 2;
    if (t.valign == 3) lift = -t.height;
    if (t.valign == 1) lift = t.height * 0.2;
  }
  double r = t.rotation * kPi / 180;
  Vec p{at.x - std::sin(r) * lift, at.y + std::cos(r) * lift};
  POINT s = v.Map(p);
  SetTextAlign(dc, align);
  TextOutW(dc, s.x, s.y, w.c_str(), static_cast<int>(w.size()));
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace

void PaintDrawing(HDC dc, const RECT& area, const Drawing& d, double viewHeight, Point viewCenter) {
  HBRUSH ground = CreateSolidBrush(RGB(33, 40, 48));
  FillRect(dc, &area, ground);
  DeleteObject(ground);
  int h = area.bottom - area.top, wpx = area.right - area.left;
  if (h <= 0 || wpx <= 0 || viewHeight <= 0) return;
  View v{h / viewHeight, area.left + wpx / 2.0, area.top + h / 2.0, viewCenter};
  SetBkMode(dc, TRANSPARENT);
  for (const Entity& e : d.entities) {
    const Layer* layer = d.FindLayer(e.layer);
    if (layer && (!layer->on || layer->frozen)) continue;
    int aci = e.color == 256 || e.color == 0 ? (layer ? layer->color : 7) : e.color;
    COLORREF colour = IndexColour(aci);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    if (auto* t = std::get_if<Text>(&e.shape)) {
      DrawText(dc, v, *t, colour);
    } else if (auto* m = std::get_if<MText>(&e.shape)) {
      Text line;
      auto frame = MTextFrame(*m);
      line.insert = {frame[3].x, frame[3].y - m->height, 0};
      line.height = m->height;
      line.rotation = m->rotation;
      std::string rest = m->value;
      for (std::size_t at; !rest.empty();) {
        at = rest.find("\\P");
        line.value = rest.substr(0, at);
        DrawText(dc, v, line, colour);
        if (at == std::string::npos) break;
        rest = rest.substr(at + 2);
        double r = m->rotation * kPi / 180;
        line.insert.x += std::sin(r) * m->height * 5 / 3;
        line.insert.y -= std::cos(r) * m->height * 5 / 3;
      }
    } else if (auto* ld = std::get_if<Leader>(&e.shape)) {
      std::vector<Piece> segs;
      for (std::size_t i = 0; i + 1 < ld->vertices.size(); ++i)
        segs.push_back(MakeSegment(ToVec(ld->vertices[i]), ToVec(ld->vertices[i + 1])));
      DrawPieces(dc, v, segs);
      if (ld->arrow && ld->vertices.size() >= 2) {
        Vec tip = ToVec(ld->vertices[0]);
        double a = Angle(tip, ToVec(ld->vertices[1]));
        double len = ld->arrowSize, half = ld->arrowSize / 6;
        Vec back{tip.x + len * std::cos(a), tip.y + len * std::sin(a)};
        Vec side{-std::sin(a) * half, std::cos(a) * half};
        POINT tri[3] = {v.Map(tip), v.Map({back.x + side.x, back.y + side.y}),
                        v.Map({back.x - side.x, back.y - side.y})};
        HBRUSH fill = CreateSolidBrush(colour);
        HGDIOBJ oldBrush = SelectObject(dc, fill);
        Polygon(dc, tri, 3);
        SelectObject(dc, oldBrush);
        DeleteObject(fill);
      }
    } else {
      DrawPieces(dc, v, Curves(e, d));
      if (auto* ins = std::get_if<Insert>(&e.shape)) {
        for (const Attrib& a : ins->attribs) DrawText(dc, v, a, colour);
      }
      if (auto* p = std::get_if<PointEntity>(&e.shape)) {
        POINT s = v.Map(ToVec(p->location));
        SetPixel(dc, s.x, s.y, colour);
      }
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
}

}  // namespace hostsim
