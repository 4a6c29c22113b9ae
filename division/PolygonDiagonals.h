// Which pairs of a polygon's corners see each other inside it: its sides and its diagonals.
#pragma once

#include <span>
#include <vector>

#include "division/WorkBudget.h"
#include "geometry/AcadTypes.h"

// ring: a simple polygon, counter-clockwise. Returns n × n flags, [i·n + j] set when i–j is a
// side, or a diagonal: it leaves both ends into the polygon and touches no side but at its ends
// (so it passes through no corner). Spends a step per side tested against a diagonal and per grid
// cell looked into; returns an empty vector once the budget is spent.
std::vector<char> OpenDiagonals(std::span<const TAcadPoint> ring, WorkBudget& work);
