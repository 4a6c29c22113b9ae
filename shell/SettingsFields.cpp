#include "shell/SettingsFields.h"

#include "hostlink/UserMessages.h"
#include "numbers/AngleText.h"
#include "numbers/NumberText.h"

namespace {

// The label each layer field has on the window.
std::string LayerLabel(const std::string& fieldName) {
  if (fieldName == "Edit12") return "文字";
  if (fieldName == "Edit15") return "辺の線分";
  if (fieldName == "Edit19") return "高さ線分";
  return fieldName;
}

}  // namespace

std::string LayerField(const TEdit& field) {
  const std::string text = field.Text();
  const std::size_t bad = text.find_first_of("<>/\\\":;?*|,=`");
  if (bad != std::string::npos)
    throw EConvertError(LayerFieldMessage(LayerLabel(field.Name), text[bad], text));
  return text;
}

std::string AngleField(const TEdit& field) {
  const std::string text = field.Text();
  if (!IsHostAngle(text)) throw EConvertError(AngleFieldMessage(text));
  return text;
}
