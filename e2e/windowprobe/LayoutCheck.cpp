#include <algorithm>
#include <map>

#include "Velsarom.h"
#include "platform/Utf.h"

namespace {

struct Piece {
  HWND hwnd;
  std::string name;  // the control's, or the label's text
  std::string cls;
  LONG style;
  RECT rect;  // in page coordinates
  std::string text;
  const TControl* control;
};

bool Intersect(const RECT& a, const RECT& b) {
  RECT r;
  return IntersectRect(&r, &a, &b);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The size of a text in the window's font as this machine renders it.
SIZE Extent(const std::string& text, int height, bool bold) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring wide = platform::Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size;
}

bool IsGroupBox(const Piece& p) {
  return p.cls == "Button" && (p.style & BS_TYPEMASK) == BS_GROUPBOX;
}

const char* const kOutOfSight[] = {"Button14", "Edit21", "Label6", "Edit22", "Label7"};

}  // namespace

std::vector<std::string> LayoutProblems(const VelsaromWindows& v) {
  std::vector<std::string> problems;
  const TForm1& design = Design();
  for (std::size_t page = 0; page < v.pages.size(); ++page) {
    RECT area;
    GetClientRect(v.pages[page], &area);
    std::vector<Piece> pieces;
    for (HWND w = GetWindow(v.pages[page], GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      Piece p{w, "", ClassOf(w), GetWindowLongW(w, GWL_STYLE), {}, WindowText(w), nullptr};
      GetWindowRect(w, &p.rect);
      MapWindowPoints(nullptr, v.pages[page], reinterpret_cast<POINT*>(&p.rect), 2);
      const int id = GetDlgCtrlID(w);
      const auto& controls = design.Controls();
      if (id >= 100 && id - 100 < static_cast<int>(controls.size())) {
        p.control = controls[static_cast<std::size_t>(id - 100)];
        p.name = p.control->Name;
      } else {
        p.name = "\"" + p.text + "\"";
      }
      if (p.style & WS_VISIBLE) pieces.push_back(p);
    }
    const std::string where = "page " + std::to_string(page) + ": ";
    for (const Piece& p : pieces) {
      const bool hidden = std::any_of(std::begin(kOutOfSight), std::end(kOutOfSight),
                                      [&](const char* n) { return p.name == n; });
      if (hidden) {
        if (Intersect(p.rect, area)) problems.push_back(where + p.name + " can be seen");
        continue;
      }
      if (!Inside(p.rect, area))
        problems.push_back(where + p.name + " " + Describe(p.rect) + " leaves the page " +
                           Describe(area));
      // The caption must fit; an edit's text may scroll.
      const int height = p.control && p.control->FontHeight ? p.control->FontHeight : 12;
      const bool bold = p.control && p.control->FontBold;
      if (!p.text.empty() && p.cls != "msctls_updown32" && p.cls != "Edit") {
        const SIZE s = Extent(p.text, height, bold);
        int need = s.cx;
        const LONG type = p.style & BS_TYPEMASK;
        if (p.cls == "Button") {
          if (type == BS_GROUPBOX)
            need += 14;
          else if (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON)
            need += 18;
          else
            need += 8;
        }
        const int width = p.rect.right - p.rect.left;
        const int tall = p.rect.bottom - p.rect.top;
        if (need > width || s.cy > tall)
          problems.push_back(where + p.name + " \"" + p.text + "\" needs " + std::to_string(need) +
                             "x" + std::to_string(s.cy) + " but has " + std::to_string(width) +
                             "x" + std::to_string(tall));
      }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      for (std::size_t j = i + 1; j < pieces.size(); ++j) {
        const Piece& a = pieces[i];
        const Piece& b = pieces[j];
        if (!Intersect(a.rect, b.rect) || !Intersect(a.rect, area)) continue;
        if (IsGroupBox(a) || IsGroupBox(b)) {
          // A control that touches a group must lie within its frame, below its caption.
          const Piece& group = IsGroupBox(a) ? a : b;
          const Piece& other = IsGroupBox(a) ? b : a;
          if (IsGroupBox(other)) {
            problems.push_back(where + group.name + " and " + other.name + " overlap");
            continue;
          }
          RECT inner = group.rect;
          inner.left += 2, inner.right -= 2, inner.bottom -= 2;
          // Below the caption; a group without caption draws its frame at half that height.
          const int caption = Extent(group.text.empty() ? "X" : group.text, 12, false).cy;
          inner.top += group.text.empty() ? caption / 2 : caption;
          if (!Inside(other.rect, inner))
            problems.push_back(where + other.name + " " + Describe(other.rect) +
                               " crosses the frame of " + group.name + " " + Describe(group.rect));
          continue;
        }
        problems.push_back(where + a.name + " " + Describe(a.rect) + " overlaps " + b.name + " " +
                           Describe(b.rect));
      }
    }
  }
  return problems;
}
