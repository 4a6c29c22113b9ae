// The windows of a host process on the in-memory window system, laid out as the host lays
// them out: a main window and a text window whose current-line and history controls sit three
// levels down. Only windows: nothing here answers commands.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "platform/Utf.h"
#include "platform/standin/StandinWorld.h"

struct HostWindows {
  platform::WindowHandle main = 0;
  platform::WindowHandle text = 0;
  platform::WindowHandle currentLine = 0;
  platform::WindowHandle history = 0;
};

inline constexpr const char16_t* kHostMainClass = u"Afx:00400000:8:00010003:00000000:00000000";
inline constexpr const char16_t* kHostTextClass = u"Afx:00400000:b:00010003:00000006:00000000";

inline HostWindows CreateHostWindows(platform::MemoryWindowSystem& ws, std::uint32_t pid = 4242,
                                     const std::u16string& product = u"AutoCAD LT 2016") {
  HostWindows h;
  h.main = ws.CreateTopLevel(product + u" - [Drawing1.dwg]", kHostMainClass, pid);
  h.text = ws.CreateTopLevel(product + u" テキスト ウィンドウ - Drawing1.dwg", kHostTextClass, pid);
  const auto level1 = ws.CreateChild(h.text, u"Afx:00400000:0");
  const auto level2 = ws.CreateChild(level1, u"Afx:00400000:0");
  h.currentLine = ws.CreateChild(level2, u"Edit", u"コマンド: ");
  h.history = ws.CreateChild(level2, u"Edit");
  return h;
}

inline void SetControlText(platform::MemoryWindowSystem& ws, platform::WindowHandle w,
                           const std::string& utf8) {
  ws.SetText(w, platform::Utf8ToUtf16(utf8));
}

// Every test starts with a channel that has found nothing: handles of an earlier test's
// window system would otherwise be taken for windows of this one.
struct HostLinkTest : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  const HostLink link = ProcessHostLink();
  HostLinkTest() { HostChannel() = {}; }
};
