// The drawing painted with GDI, as the host shows its model space: black ground, colours by
// index, texts with their rotation and justification, leaders with their arrows.
#pragma once

#include <windows.h>

#include "hostsim/Drawing.h"

namespace hostsim {

// Paints the drawing's current view into the rectangle.
void PaintDrawing(HDC dc, const RECT& area, const Drawing& d, double viewHeight, Point viewCenter);

}  // namespace hostsim
