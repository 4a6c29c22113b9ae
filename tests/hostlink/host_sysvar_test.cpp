// How a system variable's value is read from the host's two command-line texts, on windows
// that show fixed texts (no host answers): the value prompt first, the echo in the history
// after the name second, and the ETX that leaves the prompt in every case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlink/HostDialogue.h"
#include "platform/Utf.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::CreateHostWindows;
using hosttest::HostWindows;
using hosttest::SetControlText;

using SysVarTest = hosttest::WindowsFixture;

TEST_F(SysVarTest, ValueFromThePromptOrFromTheEchoAfterTheName) {
  const struct {
    const char* name;
    const char* currentLine;
    const char* history;
    const char* value;
    const char* command;  // what is typed before the ETX
  } cases[] = {
      {"OSMODE", "OSMODE の新しい値を入力 <4133>: ", "", "4133", "'SETVAR OSMODE\r"},
      {"OSMODE", "値 <1> または <  37 >: ", "", "37", "'SETVAR OSMODE\r"},  // the last pair
      // ">" only before "<": no value on the line; the echo gives it.
      {"VIEWSIZE", "a > b <", "VIEWSIZE = 100.5000 (読み込み専用)", "100.5000",
       "'SETVAR VIEWSIZE\r"},
      {"VIEWSIZE", "<100", "コマンド: 'SETVAR VIEWSIZE\nVIEWSIZE = 7 (読み込み専用)", "7",
       "'SETVAR VIEWSIZE\r"},
      // The echo after the last occurrence of the name counts, not an earlier one.
      {"CLAYER", "コマンド: ", "CLAYER = \"old\" (x)\nコマンド: CLAYER = \"new\" (y)", "\"new\"",
       "'SETVAR CLAYER\r"},
      // A value with "(" of its own loses its tail when no remark follows it.
      {"DWGNAME", "コマンド: ", "DWGNAME = a (b).dwg", "a", "'SETVAR DWGNAME\r"},
      {"DWGNAME", "コマンド: ", "DWGNAME (x) = 5", "", "'SETVAR DWGNAME\r"},  // "(" before "="
      {"DWGNAME", "コマンド: ", "= 5 (x)", "", "'SETVAR DWGNAME\r"},          // name not echoed
      // These two are typed as commands of their own, whatever their case.
      {"acadver", "コマンド: ", "コマンド: acadver\nACADVER = \"22.0s (LMS Tech)\" (読み込み専用)",
       "\"22.0s (LMS Tech)\"", "acadver\r"},
      {"LayerPMode", "LAYERPMODE の新しい値を入力 <オン>: ", "", "オン", "LayerPMode\r"},
  };
  for (const auto& c : cases) {
    platform::StandinWorld w;
    platform::ScopedPorts p(w.ports());
    channel = {};
    const HostWindows host = CreateHostWindows(w.windows);
    SetControlText(w.windows, host.currentLine, c.currentLine);
    SetControlText(w.windows, host.history, c.history);
    EXPECT_EQ(GetSysVar(link, c.name), c.value) << c.name << " / " << c.currentLine;
    std::vector<std::string> sent;
    for (const auto& s : w.windows.sent) sent.push_back(platform::Utf16ToUtf8(s.text));
    EXPECT_EQ(sent, (std::vector<std::string>{c.command, "\x03"})) << c.name;
    // The history is read only when the prompt shows no value.
    const bool fromPrompt = c.history[0] == '\0';
    EXPECT_EQ(w.windows.GetTextCalls(host.history), fromPrompt ? 0 : 1) << c.name;
    EXPECT_EQ(w.clock.TickCount(), fromPrompt ? 200u : 300u) << c.name;
  }
}

}  // namespace
