// Moving and rotating entities, as MOVE and ROTATE do.
#pragma once

#include "hostsim/Curves.h"
#include "hostsim/Drawing.h"

namespace hostsim {

void MoveEntity(Entity& e, const Point& delta);
void RotateEntity(Entity& e, Vec base, double radians);  // counter-clockwise
// Uniform scale about a base point: positions, sizes and heights.
void ScaleEntity(Entity& e, Vec base, double factor);

}  // namespace hostsim
