// hostsim.exe [DRAWING.dxf] [--script ACTIONS.txt] [--save OUT.dxf] [--delay MS] [--hold MS]
//             [--command-delay MS] [--export-write MS] [--copydata-log LOG.txt]
//             [--variables OUT.txt] [--variables-after OUT.txt] [--set NAME=VALUE]...
// The simulated host as a Windows program: opens the drawing, lets the scripted user answer
// its requests for picks, and saves the drawing as DXF R2000 when its main window is closed.
#include "platform/win32/Win32Ports.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "hostsim/HostCore.h"
#include "hostsim/Numbers.h"
#include "hostsim/win32/ActionScript.h"
#include "hostsim/win32/HostWindows.h"
#include "hostsim/win32/Win32HostFiles.h"
#include "platform/Utf.h"

namespace {

std::string Narrow(const wchar_t* w) {
  std::wstring s(w);
  return platform::Utf16ToUtf8(std::u16string(s.begin(), s.end()));
}

std::string FileName(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int Fail(const std::string& text) {
  std::u16string u = platform::Utf8ToUtf16(text);
  MessageBoxW(nullptr, std::wstring(u.begin(), u.end()).c_str(), L"hostsim", MB_OK);
  return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string drawing, script, save, copyDataLog, variables, variablesAfter;
  std::vector<std::string> presets;  // NAME=VALUE, as the user's host holds them
  hostsim::HostOptions options;
  for (int i = 1; i < argc; ++i) {
    std::string a = Narrow(argv[i]);
    auto value = [&]() { return i + 1 < argc ? Narrow(argv[++i]) : std::string(); };
    if (a == "--script") {
      script = value();
    } else if (a == "--save") {
      save = value();
    } else if (a == "--variables") {
      variables = value();
    } else if (a == "--variables-after") {
      variablesAfter = value();
    } else if (a == "--set") {
      presets.push_back(value());
    } else if (a == "--copydata-log") {
      copyDataLog = value();
    } else if (a == "--delay") {
      options.userDelayMs = static_cast<unsigned>(hostsim::ParseInteger(value()).value_or(300));
    } else if (a == "--hold") {
      options.exportHoldMs = static_cast<unsigned>(hostsim::ParseInteger(value()).value_or(50));
    } else if (a == "--command-delay") {
      options.commandDelayMs = static_cast<unsigned>(hostsim::ParseInteger(value()).value_or(0));
    } else if (a == "--export-write") {
      options.exportWriteMs = static_cast<unsigned>(hostsim::ParseInteger(value()).value_or(0));
    } else if (a == "--lose-exports") {
      options.lostExports = static_cast<unsigned>(hostsim::ParseInteger(value()).value_or(0));
    } else {
      drawing = a;
    }
  }
  LocalFree(argv);

  hostsim::Win32HostFiles files;
  hostsim::HostCore core(files, platform::Win32Ansi(), options);
  if (!drawing.empty()) {
    auto bytes = files.Read(drawing);
    if (!bytes) return Fail("図面ファイルを開けません: " + drawing);
    std::string error = core.LoadDrawing(*bytes, FileName(drawing));
    if (!error.empty()) return Fail(drawing + ": " + error);
  }
  for (const std::string& preset : presets) {
    std::size_t eq = preset.find('=');
    if (eq == std::string::npos) return Fail("--set NAME=VALUE: " + preset);
    std::string error = core.Preset(preset.substr(0, eq), preset.substr(eq + 1));
    if (!error.empty()) return Fail(preset + ": " + error);
  }
  // The system variables as the opened drawing set them, for a check that it was read whole.
  if (!variables.empty()) {
    if (!files.Create(variables, core.Variables()))
      return Fail("ファイルを作成できません: " + variables);
    files.Close(variables);
  }
  if (!script.empty()) {
    auto text = files.Read(script);
    if (!text) return Fail("操作ファイルを開けません: " + script);
    std::string error = hostsim::LoadActions(*text, core.user());
    if (!error.empty()) return Fail(script + ": " + error);
  }
  hostsim::HostWindowsOptions wo;
  wo.savePath = save;
  wo.variablesPath = variablesAfter;
  wo.copyDataLog = copyDataLog;
  if (!hostsim::CreateHostWindows(instance, core, wo)) return Fail("ウィンドウを作成できません");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
