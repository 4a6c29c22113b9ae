#include "hostsim/inprocess/Host.h"

#include "platform/Utf.h"

namespace hostsim {

bool Host::Files::Create(const std::string& path, std::string_view bytes) {
  if (!fs_.WriteAll(path, bytes)) return false;
  fs_.SetInUse(path, true);
  return true;
}

bool Host::Files::Append(const std::string& path, std::string_view bytes) {
  // Read through the file system, which finds the file by a short name of its folder too; the
  // file is still being written, so it is let go of for that moment only.
  fs_.SetInUse(path, false);
  std::optional<std::string> grown = fs_.ReadAll(path);
  fs_.SetInUse(path, true);
  if (!grown) return false;
  grown->append(bytes);
  return fs_.WriteAll(path, *grown);
}

Host::Host(platform::StandinWorld& world, HostOptions options)
    : world_(world), files_(world.files), core_(files_, world.codePage, std::move(options)) {
  auto& w = world_.windows;
  main_ = w.CreateTopLevel(u"AutoCAD 2018 - [Drawing1.dwg]",
                           u"Afx:0000000140000000:8:0000000000010003:0000000000000000:"
                           u"00000000003A0581",
                           kProcessId);
  text_ = w.CreateTopLevel(u"AutoCAD テキスト ウィンドウ - Drawing1.dwg",
                           u"Afx:0000000140000000:b:0000000000010003:0000000000000006:"
                           u"0000000000000000",
                           kProcessId);
  // The command-line controls sit three levels down in the text window.
  platform::WindowHandle frame = w.CreateChild(text_, u"Afx:0000000140000000:0");
  platform::WindowHandle pane = w.CreateChild(frame, u"Afx:0000000140000000:0");
  line_ = w.CreateChild(pane, u"Edit");
  history_ = w.CreateChild(pane, u"Edit");
  w.OnCopyData(main_, [this](std::uintptr_t dwData, const void* data, std::uint32_t cbData) {
    if (dwData != 1 || !data) return;
    const char16_t* units = static_cast<const char16_t*>(data);
    std::u16string text;
    for (std::uint32_t k = 0; k < cbData / 2 && units[k] != 0; ++k) text.push_back(units[k]);
    core_.Type(platform::Utf16ToUtf8(text));
    Show();
  });
  listener_ = world_.clock.AddListener([this](std::uint64_t now) {
    core_.Tick(now);
    Show();
  });
  core_.Tick(world_.clock.TickCount());
  Show();
}

Host::~Host() {
  world_.clock.RemoveListener(listener_);
  Close();
}

void Host::Close() {
  if (main_) world_.windows.Destroy(main_);
  if (text_) world_.windows.Destroy(text_);
  main_ = text_ = line_ = history_ = 0;
}

void Host::Settle() {
  // Bounded: a command that waits for a person who never acts would keep it going for ever.
  for (int step = 0; step < 100000 && core_.Working(); ++step) world_.clock.Sleep(10);
}

std::string Host::LoadDrawing(std::string_view dxf, const std::string& name) {
  std::string error = core_.LoadDrawing(dxf, name);
  if (main_) {
    std::string stem = core_.Variable("DWGNAME").value_or("\"Drawing1.dwg\"");
    stem = stem.substr(1, stem.size() - 2);
    world_.windows.SetText(main_, u"AutoCAD 2018 - [" + platform::Utf8ToUtf16(stem) + u"]");
    world_.windows.SetText(text_, u"AutoCAD テキスト ウィンドウ - " + platform::Utf8ToUtf16(stem));
  }
  Show();
  return error;
}

void Host::Type(std::string_view text) {
  core_.Type(text);
  Show();
}

void Host::Show() {
  if (!main_) return;
  if (core_.currentLine() != shownLine_) {
    shownLine_ = core_.currentLine();
    world_.windows.SetText(line_, platform::Utf8ToUtf16(shownLine_));
  }
  std::string h = core_.historyText();
  if (h != shownHistory_) {
    shownHistory_ = std::move(h);
    world_.windows.SetText(history_, platform::Utf8ToUtf16(shownHistory_));
  }
  if (core_.enabled() != shownEnabled_) {
    shownEnabled_ = core_.enabled();
    world_.windows.SetEnabled(main_, shownEnabled_);
  }
}

}  // namespace hostsim
