// 番号移動: a number mark (its circle and its number text) moved by the user with the host's
// MOVE command, and tied to its old place by a leader with an arrow or by a plain line.
#pragma once

#include "dxf/DxfTables.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostLink.h"

inline constexpr const char* kNotCircleAndText = "円と文字ではない";

struct MoveMarkSettings {
  bool arrow = true;     // a leader with an arrow; otherwise a plain line
  double arrowSize = 0;  // drawing units, for the arrow
};

// Moves the host's previous selection set from base to the point the user picks, waiting as
// long as the user takes. Done with destination set to where the user picked; Cancelled when
// the user cancelled; Failed without a host, on time-out, or when the picked point cannot be
// read back (a connection to an unknown place would be drawn otherwise).
HostResult MovePrevious(const HostLink& link, const TAcadPoint& base, TAcadPoint& destination);

// The connection from the old centre to the point of the moved circle that faces it, as the
// host takes it ("x1,y1 x2,y2").
TAcadPoint FacingPoint(const TAcadPoint& oldCentre, const TAcadPoint& newCentre, double radius);

// Moves the selected mark (`entities`' first circle, and the host's selection with it) and draws
// the connection. DIMSCALE is read before anything moves (EConvertError when it shows no
// number; 0, the host's "scale by the viewport", counts as 1 in the model). With the arrow,
// DIMASZ and DIMLDRBLK are read then too, and one the host does not show stops the run before
// the user is asked where the mark goes (EConvertError naming the variable): it could not be
// given back. They carry the tool's values only while the leader is drawn, OSMODE is off only
// while the line is; each is given back on every way out, and an OSMODE that could not be read
// is left as it is. Nothing is drawn when the user cancels the move.
void MoveNumberMark(const HostLink& link, const TEntityTables& entities,
                    const MoveMarkSettings& settings);

// The whole button: brings the host up, lets the user select, and moves the mark when the
// selection holds exactly one circle and one text (other kinds may come along and move with
// them); otherwise kNotCircleAndText is told.
void SelectAndMoveNumberMark(const HostLink& link, const MoveMarkSettings& settings);
