#include "shell/ClickHandlers.h"

#include <map>

ClickHandler ClickHandlerOf(const std::string& controlName) {
  static const std::map<std::string, ClickHandler> handlers = {
      {"Button1", &TForm1::Button1Click},           {"Button2", &TForm1::Button2Click},
      {"Button3", &TForm1::Button3Click},           {"Button4", &TForm1::Button4Click},
      {"Button5", &TForm1::Button5Click},           {"Button6", &TForm1::Button6Click},
      {"Button7", &TForm1::Button7Click},           {"Button8", &TForm1::Button8Click},
      {"Button9", &TForm1::Button9Click},           {"Button10", &TForm1::Button10Click},
      {"Button11", &TForm1::Button11Click},         {"Button12", &TForm1::Button12Click},
      {"Button13", &TForm1::Button13Click},         {"RadioGroup1", &TForm1::RadioGroup1Click},
      {"RadioButton1", &TForm1::RadioButton1Click}, {"RadioButton2", &TForm1::RadioButton1Click},
      {"RadioButton3", &TForm1::RadioButton1Click}, {"RadioButton4", &TForm1::RadioButton4Click},
      {"RadioButton5", &TForm1::RadioButton4Click}, {"RadioButton6", &TForm1::RadioButton4Click},
      {"RadioButton7", &TForm1::RadioButton7Click}, {"RadioButton8", &TForm1::RadioButton7Click},
      {"RadioButton9", &TForm1::RadioButton7Click}, {"CheckBox3", &TForm1::CheckBox3Click},
      {"UpDown1", &TForm1::UpDown1Click},           {"UpDown2", &TForm1::UpDown2Click},
      {"UpDown3", &TForm1::UpDown3Click},           {"UpDown5", &TForm1::UpDown5Click},
      {"UpDown6", &TForm1::UpDown6Click},           {"Button15", &TForm1::Button15Click},
      {"UpDown7", &TForm1::UpDown7Click},           {"Button16", &TForm1::Button16Click},
  };
  const auto it = handlers.find(controlName);
  return it == handlers.end() ? nullptr : it->second;
}

bool IsWorkflowHandler(ClickHandler handler) {
  static const ClickHandler workflows[] = {
      &TForm1::Button1Click,  &TForm1::Button2Click,  &TForm1::Button3Click,
      &TForm1::Button4Click,  &TForm1::Button5Click,  &TForm1::Button6Click,
      &TForm1::Button7Click,  &TForm1::Button8Click,  &TForm1::Button9Click,
      &TForm1::Button10Click, &TForm1::Button11Click, &TForm1::Button12Click,
      &TForm1::Button13Click, &TForm1::Button15Click, &TForm1::Button16Click,
  };
  for (ClickHandler w : workflows) {
    if (w == handler) return true;
  }
  return false;
}

bool ActsOnLastConstruction(ClickHandler handler) {
  return handler == &TForm1::Button7Click || handler == &TForm1::Button9Click;
}

bool NeedsProgramFolder(ClickHandler handler) {
  return IsWorkflowHandler(handler) && handler != &TForm1::Button7Click;
}

KeyPressHandler KeyPressHandlerOf(const std::string& controlName) {
  if (controlName == "Edit1") return &TForm1::Edit1KeyPress;
  if (controlName == "Edit2") return &TForm1::Edit2KeyPress;
  return nullptr;
}
