// Which handler a control's click (or key press) runs. The window wires every widget through
// this table, so a control without an entry does nothing when used.
#pragma once

#include <string>

#include "shell/TForm1.h"

using ClickHandler = void (TForm1::*)();
using KeyPressHandler = void (TForm1::*)(char16_t& key);

// Buttons, check boxes, radio buttons, the radio group and spin buttons; null for none.
ClickHandler ClickHandlerOf(const std::string& controlName);
// The buttons that work with the host (every button with a handler): one runs at a time.
bool IsWorkflowHandler(ClickHandler handler);
// 戻す and a-b反転, which act on the base-line triangle built last: the only workflows after
// which that triangle is still the last thing done.
bool ActsOnLastConstruction(ClickHandler handler);
// 戻す only takes the host back to its undo mark: it alone needs no file in the program's folder.
bool NeedsProgramFolder(ClickHandler handler);
KeyPressHandler KeyPressHandlerOf(const std::string& controlName);
