// The editing tools that change a host setting for a while, against a host that does not show
// the setting's value: changed, it could not be given back, so the button names the variable
// and stops before the drawing or any setting changes.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "hostsim/Outline.h"
#include "tests/support/HostFixture.h"
#include "tools/MoveNumberMark.h"
#include "tools/RotateText.h"

namespace {

using hosttest::WorkflowFixture;

enum class Button { kMoveNumberMark, kRotateText };

struct Case {
  Button button;
  const char* variable;
  const char* message;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.variable; }

struct UnreadableToolSettingsTest : WorkflowFixture, testing::WithParamInterface<Case> {
  UnreadableToolSettingsTest() {
    hostsim::Header& h = host.drawing().header;
    h.dimasz = 2.5;
    h.dimscale = 100;
    h.dimldrblk = "_DOT";
    // A number mark at (5000, 5000) and a note to turn at (1000, 2000).
    Add(hostsim::Circle{{5000, 5000, 0}, 500});
    hostsim::Text number;
    number.value = "7";
    number.height = 400;
    number.halign = 1;
    number.valign = 2;
    number.align = {5000, 5000, 0};
    number.insert = hostsim::JustifiedInsert(number);
    Add(number);
    hostsim::Text note;
    note.value = "12.34";
    note.height = 300;
    note.insert = {1000, 2000, 0};
    Add(note);
  }
};

TEST_P(UnreadableToolSettingsTest, TheVariableIsNamedAndNothingChanges) {
  const Case& c = GetParam();
  const std::string before = DescribeEntities();
  const auto unreadable =
      Unreadable(std::string("'SETVAR ") + c.variable + "\r", u"新しい値を入力: ");
  if (c.button == Button::kMoveNumberMark) {
    host.user().SelectWindow(4000, 4000, 6000, 6000).PressEnter().PickPoint(9000, 5000);
    form.RunHandler(&TForm1::Button5Click);
  } else {
    host.user().PickObject(1100, 2150);
    form.RunHandler(&TForm1::Button2Click);
  }

  EXPECT_EQ(Messages(), (std::vector<std::string>{c.message}));
  EXPECT_EQ(DescribeEntities(), before);
  // Nothing that moves, turns or sets anything reached the host.
  for (const std::string& sent : Sent()) {
    for (const char* change :
         {"_mOvE", "_ROTATE", "_LEADER", "_LINE", "_DIMASZ", "_DIMLDRBLK", "_OSMODE"})
      EXPECT_EQ(sent.find(change), std::string::npos) << sent;
  }
  const hostsim::Header& h = host.drawing().header;
  EXPECT_EQ(h.dimasz, 2.5);
  EXPECT_EQ(h.dimldrblk, "_DOT");
  EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
}

INSTANTIATE_TEST_SUITE_P(ButtonsAndVariables, UnreadableToolSettingsTest,
                         testing::Values(Case{Button::kMoveNumberMark, "DIMASZ",
                                              "CAD からシステム変数 DIMASZ の値を読めません。"},
                                         Case{Button::kMoveNumberMark, "DIMLDRBLK",
                                              "CAD からシステム変数 DIMLDRBLK の値を読めません。"},
                                         Case{Button::kRotateText, "OSMODE",
                                              "CAD からシステム変数 OSMODE の値を読めません。"}),
                         [](const testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.button == Button::kMoveNumberMark
                                                  ? "MoveNumberMark"
                                                  : "RotateText") +
                                  info.param.variable;
                         });

}  // namespace
