// A click with no window to type into: told at once, naming what was looked for (or that DWG
// TrueView cannot draw), with nothing typed and the window's counter where it was.
#include <gtest/gtest.h>

#include "hostlink/HostChannel.h"
#include "hostlink/UserMessages.h"
#include "shell/ClickHandlers.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::CreateHostWindows;

struct NoHostTest : hosttest::WindowsFixture {
  TForm1 form;
  NoHostTest() : WindowsFixture(ProcessHostLink()) { form.FormCreate(); }
};

const char* const kWorkflowButtons[] = {"Button1",  "Button2",  "Button3",  "Button4", "Button5",
                                        "Button6",  "Button7",  "Button8",  "Button9", "Button10",
                                        "Button11", "Button12", "Button13", "Button15"};

TEST_F(NoHostTest, EveryHostButtonSaysNoWindowWasFoundAndChangesNothing) {
  struct Case {
    const char* desktop;
    std::u16string product;  // empty: no window at all
    std::string message;
  };
  const Case cases[] = {
      {"nothing", u"", NoHostMessage()},
      {"DWG TrueView", u"DWG TrueView 2016", TrueViewMessage()},
      {"Autodesk DWG TrueView", u"Autodesk DWG TrueView 2018", TrueViewMessage()},
  };
  for (const Case& c : cases) {
    platform::StandinWorld desktop;
    platform::ScopedPorts scoped(desktop.ports());
    if (!c.product.empty()) CreateHostWindows(desktop.windows, 77, c.product);
    for (const char* button : kWorkflowButtons) {
      SCOPED_TRACE(testing::Message() << c.desktop << ", " << button);
      desktop.messages.shown.clear();
      form.UpDown4.SetPosition(7);
      const ClickHandler handler = ClickHandlerOf(button);
      ASSERT_TRUE(IsWorkflowHandler(handler));
      form.RunHandler(handler);
      ASSERT_EQ(desktop.messages.shown.size(), 1u);
      EXPECT_EQ(desktop.messages.shown[0].first, c.message);
      EXPECT_TRUE(desktop.windows.sent.empty());
      EXPECT_EQ(form.UpDown4.Position(), 7);  // 最大 does not start the count again
    }
  }
}

TEST(NoHostMessages, NameWhatWasLookedFor) {
  for (const char* part : {"AutoCAD ", "Autodesk ", "Afx:", ":8:", "AfxMDIFrame"})
    EXPECT_NE(NoHostMessage().find(part), std::string::npos) << part;
  EXPECT_NE(TrueViewMessage().find("DWG TrueView"), std::string::npos);
}

}  // namespace
