// 文字回転: one text the user picks is turned about its own alignment point by an angle typed
// into the host's ROTATE command.
#pragma once

#include <string>

#include "dxf/DxfTables.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"

inline constexpr const char* kNotText = "文字ではない";

// The point a text turns about: where it is justified to. A justified TEXT stands on its
// second alignment point; a left-baseline TEXT and every MTEXT on their insertion point (an
// MTEXT's group 11 is a direction, not a point).
TAcadPoint RotationCentre(const TTextBlk& text);

// Brings the host up, lets the user pick one object and turns it by angle, typed as it stands
// (the host reads it in its own angular units and sense). Anything but exactly one text is told
// with kNotText and left alone. Object snaps are off while the centre is typed and given back
// afterwards, also when the run ends in an error; OSMODE is read before the pick, and one the
// host does not show ends the run there (EConvertError naming it), as it could not be given back.
void RotatePickedText(const HostLink& link, const std::string& angle);
