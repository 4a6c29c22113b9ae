// The window is closed while a workflow waits for the user in the host. Regression: the close
// was held until the wait ran out (ten minutes and more for a selection, hours for a pick).
// Now the close ends the wait as the user's cancel would, the workflow unwinds with nothing
// written into the drawing, and then the window saves its settings and goes.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Ports.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

struct CloseDuringWaitTest : WorkflowFixture {
  // The close arrives as a message, ms into the run.
  void CloseAfter(std::uint64_t ms, bool& closedAtOnce) {
    const std::uint64_t at = world.clock.TickCount() + ms;
    // Shared: the clock calls a copy of the listener.
    auto posted = std::make_shared<bool>(false);
    world.clock.AddListener([this, at, &closedAtOnce, posted](std::uint64_t now) {
      if (now < at || *posted) return;
      *posted = true;
      world.clock.PostTask([this, &closedAtOnce] { closedAtOnce = form.RequestClose(); });
    });
  }
};

TEST_F(CloseDuringWaitTest, TheCloseEndsTheWaitAndFollowsOnceTheWorkflowHasUnwound) {
  AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
  AddLine(0, 10000, 10000, 0);
  form.Edit12.SetText("H_CLOSE");  // a setting of this session, to be saved on closing
  bool closedAtOnce = true;
  CloseAfter(5000, closedAtOnce);  // nobody selects anything
  const std::uint64_t start = world.clock.TickCount();
  form.RunHandler(&TForm1::Button13Click);

  EXPECT_FALSE(closedAtOnce);  // held while the workflow ran
  EXPECT_LT(world.clock.TickCount() - start, 6000u);
  EXPECT_TRUE(Messages().empty());
  // Nothing half-written: no export, no insertion, the drawing and the counter as they were,
  // and the host's selection ended rather than left waiting for nobody.
  EXPECT_EQ(CountSent("DXFOUT"), 0);
  EXPECT_EQ(CountSent("_-INSERT"), 0);
  EXPECT_EQ(EntityCount(), 2u);
  EXPECT_EQ(form.Edit16.Text(), "1");
  host.Settle();
  EXPECT_EQ(host.currentLine(), "コマンド: ");

  // The held close goes on once, and the window saves its settings.
  EXPECT_FALSE(platform::Loop().CancelRequested());
  EXPECT_TRUE(form.TakeHeldClose());
  EXPECT_FALSE(form.TakeHeldClose());
  form.RunHandler(&TForm1::FormDestroy);
  EXPECT_EQ(world.profile.GetString(form.SettingsPath(), "Velsarom", "M_Layer", "", 2047),
            "H_CLOSE");
}

TEST_F(CloseDuringWaitTest, ACloseWithNothingRunningGoesAtOnce) {
  EXPECT_TRUE(form.RequestClose());
  EXPECT_FALSE(form.TakeHeldClose());
  EXPECT_FALSE(platform::Loop().CancelRequested());
}

// After a close was held and the window stayed (the close that followed failed, say), the
// next workflow runs normally: the request ended with the run it was made in.
TEST_F(CloseDuringWaitTest, TheRequestEndsWithTheRunItWasMadeIn) {
  AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
  AddLine(0, 10000, 10000, 0);
  bool closedAtOnce = true;
  CloseAfter(1000, closedAtOnce);
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_FALSE(closedAtOnce);
  host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter();
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_EQ(Marks().size(), 2u);
}

}  // namespace
