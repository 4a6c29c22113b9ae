// Finding the host among the desktop's windows, typing into it and reading its command line.
#include <gtest/gtest.h>

#include "hostlink/HostChannel.h"
#include "tests/support/HostFixture.h"

using platform::Utf8ToUtf16;

namespace {

using hosttest::CreateHostWindows;
using hosttest::HostWindows;
using hosttest::kHostMainClass;
using hosttest::kHostTextClass;
using hosttest::SetControlText;

using ChannelTest = hosttest::WindowsFixture;

struct WindowCase {
  const char* title;
  const char16_t* className;
  bool isHost;
};

TEST_F(ChannelTest, MainWindowNeedsHostTitleAndFrameClass) {
  const WindowCase cases[] = {
      {"AutoCAD 2016 - [Drawing1.dwg]", kHostMainClass, true},
      {"AutoCAD LT 2016 - [a.dwg]", u"AfxMDIFrame140u", true},
      // A viewer that cannot draw or insert is never the host.
      {"DWG TrueView 2016 - [a.dwg]", u"Afx:00400000:8:0001:0:0", false},
      {"Autodesk DWG TrueView 2018 - [a.dwg]", u"Afx:00400000:8:0001:0:0", false},
      {"Autodesk AutoCAD 2019 - [a.dwg]", u"Afx:00400000:8:0001:0:0", true},
      {"AutoCADLT 2016 - [a.dwg]", kHostMainClass, false},  // no blank after the name
      {"AutoCAD", kHostMainClass, false},
      {"autocad 2016", kHostMainClass, false},  // case matters
      {" AutoCAD 2016", kHostMainClass, false},
      {"", kHostMainClass, false},
      {"AutoCAD 2016", kHostTextClass, false},           // ":b:" is the text window
      {"AutoCAD 2016", u"afx:00400000:8:0001", false},   // case matters
      {"AutoCAD 2016", u"Xfx:00400000:8:0001", false},   // ":8:" but no "Afx:"
      {"AutoCAD 2016", u"Afx:00400000:80:0001", false},  // no ":8:"
      {"AutoCAD 2016", u"AfxFrameOrView140u", false},
  };
  for (const auto& c : cases) {
    platform::StandinWorld w;
    platform::ScopedPorts p(w.ports());
    channel = {};
    const auto h = w.windows.CreateTopLevel(Utf8ToUtf16(c.title), c.className, 7);
    EXPECT_EQ(FindAcadWindow(link), c.isHost ? h : 0) << c.title;
    EXPECT_EQ(channel.processId, c.isHost ? 7u : 0u) << c.title;
  }
}

TEST_F(ChannelTest, FirstPassingWindowInEnumerationOrderWins) {
  auto& ws = world.windows;
  ws.CreateTopLevel(u"AutoCAD 2016 テキスト ウィンドウ", kHostTextClass, 1);
  ws.CreateTopLevel(u"Explorer", kHostMainClass, 2);
  const auto first = ws.CreateTopLevel(u"AutoCAD 2016 - [a.dwg]", kHostMainClass, 3);
  ws.CreateTopLevel(u"AutoCAD 2017 - [b.dwg]", kHostMainClass, 4);
  EXPECT_EQ(FindAcadWindow(link), first);
  EXPECT_EQ(channel.processId, 3u);
}

TEST_F(ChannelTest, TrueViewIsToldApartAndAnAutoCadBesideItIsTheHost) {
  auto& ws = world.windows;
  EXPECT_FALSE(TrueViewIsOpen());
  ws.CreateTopLevel(u"DWG TrueView 2016 テキスト ウィンドウ", kHostTextClass, 1);
  EXPECT_FALSE(TrueViewIsOpen());  // its text window alone is no main window
  ws.CreateTopLevel(u"DWG TrueView 2016 - [a.dwg]", kHostMainClass, 1);
  EXPECT_TRUE(TrueViewIsOpen());
  EXPECT_EQ(FindAcadWindow(link), 0u);
  const auto autocad = ws.CreateTopLevel(u"AutoCAD 2016 - [b.dwg]", kHostMainClass, 2);
  EXPECT_EQ(FindAcadWindow(link), autocad);
  EXPECT_EQ(channel.processId, 2u);
}

TEST_F(ChannelTest, TextWindowOfAnotherProcessIsSkipped) {
  auto& ws = world.windows;
  // A second host's text window comes first in the enumeration; it must not be read.
  const HostWindows other = CreateHostWindows(ws, 1111);
  ws.Destroy(other.main);
  const HostWindows host = CreateHostWindows(ws, 2222);
  SetControlText(ws, other.currentLine, "線分の始点を指定:");
  SetControlText(ws, host.currentLine, "コマンド: ");
  SetControlText(ws, host.history, "コマンド: _line\nキャンセル");

  EXPECT_EQ(FindTextWindow(link), host.text);
  EXPECT_EQ(channel.hCurrentLine, host.currentLine);
  EXPECT_EQ(channel.hHistory, host.history);
  const auto before = world.clock.TickCount();
  EXPECT_EQ(ReadCurrentLine(link), "コマンド: ");
  EXPECT_EQ(world.clock.TickCount() - before, 100u);
  EXPECT_EQ(ReadPreviousLine(link), "コマンド: _line\nキャンセル");
}

TEST_F(ChannelTest, TextWindowNeedsTitleMarkerAndTextClass) {
  auto& ws = world.windows;
  const auto host = ws.CreateTopLevel(u"AutoCAD 2016 - [a.dwg]", kHostMainClass, 5);
  ws.CreateTopLevel(u"AutoCAD 2016 - テキスト", kHostTextClass, 5);           // no marker
  ws.CreateTopLevel(u"AutoCAD 2016 テキスト ウィンドウ", kHostMainClass, 5);  // ":8:"
  ws.CreateTopLevel(u"Notepad テキスト ウィンドウ", kHostTextClass, 5);       // title
  EXPECT_EQ(FindTextWindow(link), 0u);
  EXPECT_EQ(ReadCurrentLine(link), "");
  EXPECT_EQ(FindAcadWindow(link), host);
}

TEST_F(ChannelTest, ReadsFollowTheLastTextWindowFoundUntilItIsGone) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  SetControlText(ws, host.currentLine, "点を指定:");
  EXPECT_EQ(ReadCurrentLine(link), "点を指定:");
  // Retitled so that no search finds it: the controls found before still read.
  ws.SetText(host.text, u"AutoCAD LT 2016");
  EXPECT_EQ(ReadCurrentLine(link), "点を指定:");
  ws.Destroy(host.text);
  EXPECT_EQ(ReadCurrentLine(link), "");
  EXPECT_EQ(ReadPreviousLine(link), "");
}

TEST_F(ChannelTest, MissingLevelBelowTextWindowReadsEmpty) {
  auto& ws = world.windows;
  ws.CreateTopLevel(u"AutoCAD 2016 - [a.dwg]", kHostMainClass, 5);
  const auto text = ws.CreateTopLevel(u"AutoCAD 2016 テキスト ウィンドウ", kHostTextClass, 5);
  ws.CreateChild(ws.CreateChild(text, u"Afx:0"), u"Edit", u"two levels only");
  EXPECT_EQ(FindTextWindow(link), text);
  EXPECT_EQ(channel.hCurrentLine, 0u);
  EXPECT_EQ(channel.hHistory, 0u);
  EXPECT_EQ(ReadCurrentLine(link), "");
  EXPECT_EQ(ReadPreviousLine(link), "");
}

TEST_F(ChannelTest, EmptyControlIsReadWithoutGetText) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  SetControlText(ws, host.currentLine, "");
  EXPECT_EQ(ReadCurrentLine(link), "");
  EXPECT_EQ(ws.GetTextCalls(host.currentLine), 0);
  SetControlText(ws, host.currentLine, "コマンド: ");
  EXPECT_EQ(ReadCurrentLine(link), "コマンド: ");
  EXPECT_EQ(ws.GetTextCalls(host.currentLine), 1);
  EXPECT_EQ(ReadWindowText(0), "");
}

TEST_F(ChannelTest, CommandMessageCarriesTextZeroAndSize) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  std::vector<std::size_t> nullPostsAtDelivery;
  ws.OnCopyData(host.main, [&](std::uintptr_t, const void*, std::uint32_t) {
    nullPostsAtDelivery.push_back(ws.nullPosts.size());
  });
  const struct {
    std::string command;
    std::uint32_t cbData;
  } cases[] = {
      {"", 2},
      {"0123456789ABCDE", 32},  // 15 units
      {"\x03\x03_iD\r", 14},    // 6 units
      {"-LAYER M 画層 ", 26},   // 12 units, the Japanese ones one unit each
      {"\xF0\xA0\xAE\xB7", 6},  // one character outside the BMP: two units
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(SendCommand(link, c.command));
    const auto& sent = ws.sent.back();
    EXPECT_EQ(sent.to, host.main);
    EXPECT_EQ(sent.dwData, 1u);
    EXPECT_EQ(sent.cbData, c.cbData) << c.command;
    EXPECT_EQ(sent.text, Utf8ToUtf16(c.command));
  }
  // WM_NULL follows every message, to the same window, after the message was delivered.
  ASSERT_EQ(ws.nullPosts.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ws.nullPosts[i], host.main);
    EXPECT_EQ(nullPostsAtDelivery[i], i);
  }
}

TEST_F(ChannelTest, CommandOverBufferIsRefusedNotCut) {
  auto& ws = world.windows;
  CreateHostWindows(ws);
  const std::string fits(511, 'a');
  ASSERT_TRUE(SendCommand(link, fits));
  EXPECT_EQ(ws.sent.back().cbData, 1024u);
  EXPECT_EQ(ws.sent.back().text.size(), 511u);

  std::string japanese;  // 511 units but 1533 bytes of UTF-8
  for (int i = 0; i < 511; ++i) japanese += "画";
  EXPECT_TRUE(SendCommand(link, japanese));

  const std::size_t sentBefore = ws.sent.size();
  EXPECT_FALSE(SendCommand(link, std::string(512, 'a')));
  EXPECT_FALSE(SendCommand(link, std::string(510, 'a') + "\xF0\xA0\xAE\xB7"));  // 512 units
  EXPECT_EQ(ws.sent.size(), sentBefore);
  EXPECT_EQ(ws.nullPosts.size(), sentBefore);
}

TEST_F(ChannelTest, NoHostMeansNothingSentAndNoActivation) {
  auto& ws = world.windows;
  ws.CreateTopLevel(u"AutoCAD 2016 テキスト ウィンドウ", kHostTextClass, 5);
  EXPECT_FALSE(SendCommand(link, "LINE "));
  EXPECT_FALSE(ActivateHost(link));
  EXPECT_FALSE(HostIsReady(link));
  EXPECT_TRUE(ws.sent.empty());
  EXPECT_TRUE(ws.nullPosts.empty());
  EXPECT_EQ(ws.foreground, 0u);
}

TEST_F(ChannelTest, ActivateBringsHostToFront) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  EXPECT_TRUE(ActivateHost(link));
  EXPECT_EQ(ws.foreground, host.main);
}

TEST_F(ChannelTest, VanishedHostIsNotTypedInto) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  ASSERT_TRUE(SendCommand(link, "A"));
  ws.Destroy(host.main);
  EXPECT_EQ(FindAcadWindow(link), host.main);  // the old handle stays stored
  EXPECT_FALSE(SendCommand(link, "B"));
  EXPECT_FALSE(ActivateHost(link));
  EXPECT_EQ(ws.sent.size(), 1u);
}

TEST_F(ChannelTest, HostIsReadyOnlyForAVisibleEnabledHostFoundNow) {
  auto& ws = world.windows;
  const HostWindows host = CreateHostWindows(ws);
  EXPECT_TRUE(HostIsReady(link));
  ws.SetEnabled(host.main, false);  // a modal dialogue of the host is open
  EXPECT_FALSE(HostIsReady(link));
  ws.SetEnabled(host.main, true);
  ws.SetVisible(host.main, false);
  EXPECT_FALSE(HostIsReady(link));
  ws.SetVisible(host.main, true);
  EXPECT_TRUE(HostIsReady(link));
  // Still a visible, enabled window, but no longer one that passes the tests.
  ws.SetText(host.main, u"Drawing1.dwg");
  EXPECT_FALSE(HostIsReady(link));
  ws.SetText(host.main, u"AutoCAD LT 2016 - [Drawing1.dwg]");
  EXPECT_TRUE(HostIsReady(link));
  ws.Destroy(host.main);
  EXPECT_FALSE(HostIsReady(link));
}

}  // namespace
