#include "hostlink/UserMessages.h"

#include "hostlink/HostChannel.h"
#include "numbers/NumberText.h"
#include "platform/Ports.h"

void TellUser(const HostLink& link, const std::string& message) {
  platform::Messages().Show(message, "Velsarom");
  ActivateHost(link);
}

bool AskUser(const HostLink& link, const std::string& question) {
  const bool yes = platform::Messages().Ask(question, "Velsarom");
  ActivateHost(link);
  return yes;
}

std::string LayerFieldMessage(const std::string& label, char character, const std::string& text) {
  return "画層「" + label + "」の名前に使えない文字 " + std::string(1, character) +
         " があります: '" + text + "'";
}

std::string AngleFieldMessage(const std::string& text) {
  return "角度は 180.0、45d30'15\"、50g、1.2r、N45d30'E のように空白なしで指定してください: '" +
         text + "'";
}

std::string UnreadableHostValueMessage(const std::string& name) {
  return "CAD からシステム変数 " + name + " の値を読めません。";
}

void RequireReadable(const TemporaryHostSetting& setting, const std::string& name) {
  if (!setting.WasRead()) throw EConvertError(UnreadableHostValueMessage(name));
}

std::string NoHostMessage() {
  return "CAD のウィンドウが見つかりません。\n"
         "探したのは、タイトルが「AutoCAD 」または「Autodesk 」で始まり、クラス名が「Afx:」で"
         "始まって「:8:」を含む（または「AfxMDIFrame」で始まる）ウィンドウです。\n"
         "AutoCAD または AutoCAD LT で図面を開いてから、もう一度押してください。";
}

std::string TrueViewMessage() {
  return "DWG TrueView は図面を見るためのもので、作図も挿入もできません。\n"
         "AutoCAD または AutoCAD LT で図面を開いてから、もう一度押してください。";
}

std::string NoShortNameMessage(const std::string& folder) {
  return "フォルダ " + folder +
         " の名前に空白があり、このドライブではその短い名前（8.3 形式）も使えないため、CAD に"
         "ファイル名を入力できません。\n"
         "名前に空白のないフォルダに Velsarom を移してから、もう一度押してください。";
}

void RequireDrawingHost(const HostLink& link) {
  if (FindAcadWindow(link) != 0) return;
  throw EConvertError(TrueViewIsOpen() ? TrueViewMessage() : NoHostMessage());
}
