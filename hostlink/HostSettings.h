// Host settings a workflow reads before it draws: the text style for written texts and the
// angle base and direction, which decide how documents are written (annotation/AnnotationAngles.h),
// and any numeric variable that must be a number.
#pragma once

#include <string>

#include "hostlink/HostLink.h"

// The host's angle settings as a workflow reads them (ANGBASE in degrees, with AUNITS 0).
struct HostAngles {
  double base = 0;    // ANGBASE, radians
  int direction = 0;  // ANGDIR: 1 clockwise, anything else counter-clockwise
  // The direction of the UCS's X axis from the world's (radians, counter-clockwise): ANGBASE and
  // INSERT's rotation are measured from it.
  double ucsTurn = 0;
};

// The current text style's name without the quotes the host shows around it.
std::string ReadHostTextStyle(const HostLink& link);

// ANGBASE read in decimal degrees, ANGDIR, and the UCS's X axis (hostlink/UserCoordinates.h).
// AUNITS is set to 0 for the read and sent back before anything else can happen; when it cannot
// be read it is left alone, as nothing could restore it. Throws EConvertError, with AUNITS
// already restored, when ANGBASE or ANGDIR shows no number or the UCS shows no axis.
HostAngles ReadHostAngles(const HostLink& link);

// A numeric host variable that must be a number (VIEWSIZE, say): EConvertError otherwise.
double ReadHostNumber(const HostLink& link, const std::string& name);
