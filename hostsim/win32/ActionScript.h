// The user's actions for hostsim.exe, one per line of a UTF-8 file:
//   pick X Y | window X1 Y1 X2 Y2 | crossing X1 Y1 X2 Y2 | enter | escape | type TEXT | after MS
// In TEXT, \r, \n, \x03 and \\ stand for CR, LF, ETX and a backslash. Lines starting with # and
// blank lines are skipped. Returns an error text naming the line, empty when all was taken.
#pragma once

#include <string>

#include "hostsim/ScriptedUser.h"

namespace hostsim {

std::string LoadActions(const std::string& text, ScriptedUser& user);
std::string Unescape(const std::string& text);

}  // namespace hostsim
