// Triangles from a base line (基準線): the user picks a line, or a polyline near one of its
// straight sides, and the triangle with sides a and b over it is built, drawn, labelled and
// numbered. Side a starts at the base end nearer the pick. The side of the base it stands on is
// found from the drawing where one side is free, or picked by the user. Every construction
// sets an undo mark first, so the last one can be rebuilt with a and b exchanged (a-b反転) or
// taken back (戻す).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "annotation/TriangleLabels.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostSelection.h"

// How far beyond the base the fences that look for a free side reach, in drawing units.
inline constexpr double kFenceOvershoot = 0.1;

struct BaseLineSettings {
  TriangleLabelling labels;  // the host's angles are read by the run
  double sideA = 0;          // drawing units: the typed length times the multiplier
  double sideB = 0;
  bool automaticSide = true;  // find the free side from the drawing
  // The window's counter one down, before a triangle is taken back or rebuilt with its number.
  std::function<void()> back;
};

// The lines a fence from `from` to `to` crosses, in what the fence's selection read: every
// line record, and every straight side of a polyline that the fence
// segment crosses, so a polyline base counts as a line does. Objects on the text layer
// (`textLayer`, compared without case) are left out: marks and labels do not occupy a side.
int LinesOnFence(const HostLink& link, const TAcadPoint& from, const TAcadPoint& to,
                 const std::string& textLayer);

// The whole button: brings the host up, lets the user pick one object and builds on it.
std::optional<TAcadTriangle> PickBaseLineTriangle(const HostLink& link,
                                                  const BaseLineSettings& settings);

// Builds, draws and labels the triangle over the object picked (SelectSingle).
// The result is (base start, base end, apex) once it is labelled; nothing when there is no
// base, the sides make no triangle over it ("三角が作成できない"), or the user cancels the
// side pick. The host's current layer is sent back on every way out.
std::optional<TAcadTriangle> BaseLineTriangle(const HostLink& link, Selection picked,
                                              const BaseLineSettings& settings);

// a-b反転: `last` rebuilt on the same side of its base with its two sides exchanged, under the
// same number: the counter goes back one, the host back to the construction's undo mark, a new
// mark is set and the new triangle labelled. Nothing happens (and nothing comes back) when the
// exchange makes no triangle. The current layer is sent back.
std::optional<TAcadTriangle> ExchangeSides(const HostLink& link, const TAcadTriangle& last,
                                           const BaseLineSettings& settings);

// 戻す: the counter one back, the host back to the construction's undo mark and a new mark set.
// False, with nothing done, when no host is found.
bool TakeBack(const HostLink& link, const std::function<void()>& back);
