// Handlers whose workflows have not been written yet. Each does nothing until its subsystem
// brings the real definition and removes it from here.
#include "shell/TForm1.h"

void TForm1::Button2Click() {}
void TForm1::Button5Click() {}
void TForm1::Button11Click() {}
