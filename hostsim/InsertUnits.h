// The scale the host gives a drawing file inserted into the current drawing, from the units of
// both ("About Block Units and Insertion Scale"; "INSUNITS (System Variable)",
// "INSUNITSDEFSOURCE (System Variable)", "INSUNITSDEFTARGET (System Variable)").
#pragma once

namespace hostsim {

// The unit codes of INSUNITS: 0 none, 1 inches, 4 millimetres, 6 metres ... 24 US survey miles.
struct InsertUnits {
  int source = 0;         // the inserted file's $INSUNITS (0 in an R12 file: it has none)
  int target = 0;         // the drawing's INSUNITS
  int defaultSource = 0;  // INSUNITSDEFSOURCE: the file's units when it has none
  int defaultTarget = 0;  // INSUNITSDEFTARGET: the drawing's units when it has none
};

// A file without units counts as INSUNITSDEFSOURCE, a drawing without them as
// INSUNITSDEFTARGET; with both known the file is scaled from its units to the drawing's, and
// when either is still none (or a code the host does not know) it is not scaled.
double InsertionScale(const InsertUnits& u);

}  // namespace hostsim
