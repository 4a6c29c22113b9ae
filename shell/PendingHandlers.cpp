// Handlers whose workflows have not been written yet. Each does nothing until its subsystem
// brings the real definition and removes it from here.
#include "shell/TForm1.h"

void TForm1::Button1Click() {}
void TForm1::Button2Click() {}
void TForm1::Button5Click() {}
void TForm1::Button7Click() {}
void TForm1::Button9Click() {}
void TForm1::Button11Click() {}
void TForm1::UpDown5Click() {}
void TForm1::Edit1KeyPress(char16_t&) {}
void TForm1::Edit2KeyPress(char16_t&) {}
