// The values a user's host holds before anything is typed (hostsim.exe --set NAME=VALUE), and
// what the host does under the settings its public reference describes.
#include <gmock/gmock.h>

#include "HostFixture.h"

namespace hostsim {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class UserSettings : public HostFixture {};

TEST_F(UserSettings, PresetValuesAreReadAsSetvarReadsThemAndLeaveNoTrace) {
  struct Case {
    const char* name;
    const char* value;
    const char* complaint;  // empty: set
    const char* shown;      // as the host shows it afterwards (when set)
  };
  const Case cases[] = {
      {"OSMODE", "0", "", "0"},
      {"filedia", "0", "", "0"},
      {"OSMODE", "40000", "0 から 32767 の整数が必要です。", "0"},
      {"LUPREC", "0", "", "0"},
      {"CLAYER", "無い層", "CLAYER をその値に設定できません。", "\"0\""},
      {"VIEWSIZE", "10", "VIEWSIZE は読み込み専用です。", nullptr},
      {"NOSUCHVARIABLE", "1", "不明な変数名です。", nullptr},
  };
  const std::string history = History();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    EXPECT_EQ(host.core().Preset(c.name, c.value), c.complaint);
    if (c.shown) {
      EXPECT_EQ(host.core().Variable(c.name), c.shown);
    }
  }
  EXPECT_EQ(host.core().undoDepth(), 0u);
  EXPECT_EQ(History(), history);
  EXPECT_EQ(CurrentLine(), "コマンド: ");
}

TEST_F(UserSettings, AHostLevelPresetOutlivesTheDrawingOpenedAfterIt) {
  ASSERT_EQ(host.core().Preset("OSMODE", "512"), "");
  ASSERT_EQ(host.core().Preset("LUPREC", "0"), "");
  ASSERT_EQ(host.LoadDrawing("  0\nSECTION\n  2\nHEADER\n  9\n$LUPREC\n 70\n6\n  0\nENDSEC\n"
                             "  0\nEOF\n"),
            "");
  EXPECT_EQ(host.core().Variable("OSMODE"), "512");
  // Saved with the drawing: the drawing's own value.
  EXPECT_EQ(host.core().Variable("LUPREC"), "6");
  EXPECT_THAT(host.core().Variables(), Not(HasSubstr("LUPREC=0\n")));
}

}  // namespace
}  // namespace hostsim
