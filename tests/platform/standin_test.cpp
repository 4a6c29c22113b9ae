// The stand-ins must behave like the system functions they replace, or tests built on them
// prove nothing about the real program.
#include <gtest/gtest.h>

#include "platform/standin/StandinWorld.h"

using namespace platform;

TEST(Cp932CodePage, ConvertsShiftJisBothWays) {
  Cp932CodePage cp;
  EXPECT_EQ(cp.Utf8ToAnsi("画層A"),
            "\x89\xE6\x91\x77"
            "A");
  EXPECT_EQ(cp.AnsiToUtf8("\x89\xE6\x91\x77"
                          "A"),
            "画層A");
  EXPECT_EQ(cp.AnsiToUtf8("\x81\x60"), "\xEF\xBD\x9E");  // 0x8160 is U+FF5E in Microsoft's table
}

TEST(Cp932CodePage, MissingCharactersAndBrokenBytes) {
  Cp932CodePage cp;
  bool usedDefault = false;
  EXPECT_EQ(cp.Utf8ToAnsi("a\xC3\xA9"
                          "b",
                          &usedDefault),
            "a?b");  // é is not in 932
  EXPECT_TRUE(usedDefault);
  cp.Utf8ToAnsi("abc", &usedDefault);
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(cp.AnsiToUtf8("x\x81"), "x\xE3\x83\xBB");  // lead byte without trail byte
}

TEST(IniProfile, ReadsLikeTheProfileFunctions) {
  StandinWorld w;
  w.files.WriteAll("a.ini",
                   "[Other]\r\nKey=wrong\r\n[velsarom]\r\n  kakudo =  90.5 \r\nQ=\"quoted\"\r\n"
                   "J=\x89\xE6\x91\x77\r\n");
  EXPECT_EQ(w.profile.GetString("a.ini", "Velsarom", "Kakudo", "d", 2047), "90.5");
  EXPECT_EQ(w.profile.GetString("a.ini", "Velsarom", "Q", "d", 2047), "quoted");
  EXPECT_EQ(w.profile.GetString("a.ini", "Velsarom", "J", "d", 2047), "画層");
  EXPECT_EQ(w.profile.GetString("a.ini", "Velsarom", "Key", "d", 2047), "d");
  EXPECT_EQ(w.profile.GetString("missing.ini", "Velsarom", "Key", "d", 2047), "d");
  EXPECT_EQ(w.profile.GetString("a.ini", "Velsarom", "Kakudo", "d", 2), "90");
}

TEST(IniProfile, WritesKeysIntoTheirSectionsInAnsi) {
  StandinWorld w;
  ASSERT_TRUE(w.profile.WriteString("b.ini", "Form", "Top", "10"));
  ASSERT_TRUE(w.profile.WriteString("b.ini", "Velsarom", "M_Layer", "文字"));
  ASSERT_TRUE(w.profile.WriteString("b.ini", "Form", "Left", "20"));
  ASSERT_TRUE(w.profile.WriteString("b.ini", "form", "top", "11"));
  EXPECT_EQ(w.files.files().at("b.ini"),
            "[Form]\r\ntop=11\r\nLeft=20\r\n[Velsarom]\r\nM_Layer=\x95\xB6\x8E\x9A\r\n");
  EXPECT_EQ(w.profile.GetString("b.ini", "Velsarom", "M_Layer", "", 2047), "文字");
}

// A file that begins with a UTF-16 byte-order mark is read and written as UTF-16 of that byte
// order, so that characters outside the code page survive; any other file stays ANSI.
TEST(IniProfile, KeepsTheFormOfTheFile) {
  StandinWorld w;
  const std::string le = std::string("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\xB2\0", 18);
  w.files.WriteAll("le.ini", le);
  EXPECT_EQ(w.profile.GetString("le.ini", "s", "k", "", 2047), "²");
  ASSERT_TRUE(w.profile.WriteString("le.ini", "S", "L", "画"));
  EXPECT_EQ(w.files.files().at("le.ini"), le + std::string("\r\0\n\0L\0=\0\x3B\x75\r\0\n\0", 14));

  const std::string be = std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0K\0=\0\xB2", 18);
  w.files.WriteAll("be.ini", be);
  EXPECT_EQ(w.profile.GetString("be.ini", "S", "K", "", 2047), "²");
  ASSERT_TRUE(w.profile.WriteString("be.ini", "S", "K", "x²"));
  EXPECT_EQ(w.files.files().at("be.ini"),
            std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0K\0=\0x\0\xB2\0\r\0\n", 24));

  // ANSI, and a new file: what the code page lacks becomes its default character.
  w.files.WriteAll("ansi.ini", "[S]\r\nK=1\r\n");
  ASSERT_TRUE(w.profile.WriteString("ansi.ini", "S", "K", "地積²"));
  ASSERT_TRUE(w.profile.WriteString("new.ini", "S", "K", "地積²"));
  for (const char* path : {"ansi.ini", "new.ini"}) {
    EXPECT_EQ(w.files.files().at(path), "[S]\r\nK=\x92\x6E\x90\xCF?\r\n") << path;
    EXPECT_EQ(w.profile.GetString(path, "S", "K", "", 2047), "地積?") << path;
  }
}

TEST(IniProfile, FailedWriteLeavesTheFileAsItWas) {
  StandinWorld w;
  ASSERT_TRUE(w.profile.WriteString("c.ini", "Form", "Top", "10"));
  w.files.SetReadOnly(true);
  EXPECT_FALSE(w.profile.WriteString("c.ini", "Form", "Top", "99"));
  EXPECT_EQ(w.profile.GetString("c.ini", "Form", "Top", "", 2047), "10");
}

TEST(MemoryWindowSystem, ChildrenSiblingsTextAndCopyData) {
  MemoryWindowSystem ws;
  const auto a = ws.CreateTopLevel(u"A", u"ClassA", 1);
  const auto b = ws.CreateTopLevel(u"B", u"ClassB", 2, /*atFront=*/true);
  EXPECT_EQ(ws.TopLevelWindows(), (std::vector<WindowHandle>{b, a}));
  const auto c1 = ws.CreateChild(a, u"Edit", u"first");
  const auto c2 = ws.CreateChild(a, u"Edit", u"second");
  EXPECT_EQ(ws.FirstChild(a), c1);
  EXPECT_EQ(ws.NextSibling(c1), c2);
  EXPECT_EQ(ws.NextSibling(c2), 0u);
  EXPECT_EQ(ws.ProcessId(c2), 1u);
  EXPECT_EQ(ws.Text(c2, 4), u"sec");  // capacity includes the terminating zero
  EXPECT_EQ(ws.GetTextCalls(c2), 1);

  std::u16string received;
  ws.OnCopyData(a, [&](std::uintptr_t, const void* data, std::uint32_t cb) {
    received.assign(static_cast<const char16_t*>(data), cb / 2 - 1);
  });
  const std::u16string cmd = u"_LINE\r";
  ws.SendCopyData(a, 1, cmd.c_str(), static_cast<std::uint32_t>((cmd.size() + 1) * 2));
  EXPECT_EQ(received, cmd);
  ASSERT_EQ(ws.sent.size(), 1u);
  EXPECT_EQ(ws.sent[0].cbData, 14u);
  EXPECT_EQ(ws.sent[0].text, cmd);

  ws.Destroy(a);
  EXPECT_FALSE(ws.IsWindow(a));
  EXPECT_FALSE(ws.IsWindow(c1));
  EXPECT_EQ(ws.TopLevelWindows(), (std::vector<WindowHandle>{b}));
}

TEST(VirtualClock, SleepAdvancesTimeAndWakesListenersAndTasksRunOnPump) {
  VirtualClock clock;
  std::vector<std::uint64_t> seen;
  const int id = clock.AddListener([&](std::uint64_t now) { seen.push_back(now); });
  clock.Sleep(100);
  clock.Sleep(10);
  clock.RemoveListener(id);
  clock.Sleep(5);
  EXPECT_EQ(seen, (std::vector<std::uint64_t>{100, 110}));
  EXPECT_EQ(clock.TickCount(), 115u);

  int ran = 0;
  clock.PostTask([&] {
    ++ran;
    clock.PostTask([&] { ++ran; });
  });
  EXPECT_EQ(ran, 0);
  clock.ProcessMessages();
  EXPECT_EQ(ran, 2);
}

TEST(MemoryFileSystem, InUseFileCannotBeReadOrDeleted) {
  MemoryFileSystem fs;
  ASSERT_TRUE(fs.WriteAll("x.dxf", "0\nEOF\n"));
  fs.SetInUse("x.dxf", true);
  EXPECT_TRUE(fs.InUse("x.dxf"));
  EXPECT_FALSE(fs.ReadAll("x.dxf").has_value());
  EXPECT_FALSE(fs.Delete("x.dxf"));
  fs.SetInUse("x.dxf", false);
  EXPECT_EQ(fs.ReadAll("x.dxf").value(), "0\nEOF\n");
  fs.FailWritesAfter(1);
  EXPECT_TRUE(fs.WriteAll("y", "1"));
  EXPECT_FALSE(fs.WriteAll("z", "2"));
}
