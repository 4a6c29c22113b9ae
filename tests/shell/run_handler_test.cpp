// A handler's exception becomes the general error message instead of ending the program.
#include <gtest/gtest.h>

#include "numbers/NumberText.h"
#include "platform/standin/StandinWorld.h"
#include "shell/TForm1.h"

namespace {

struct RunHandlerFixture : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  TForm1 form;
};

TEST_F(RunHandlerFixture, ConversionErrorShowsItsMessageNamingTheText) {
  form.FormCreate();
  form.Edit3.SetText("30O");  // a letter O typed for a zero
  bool after = false;
  form.RunGuarded([&] {
    StrToFloat(form.Edit3.Text());
    after = true;
  });
  EXPECT_FALSE(after);
  ASSERT_EQ(world.messages.shown.size(), 1u);
  const auto& [text, title] = world.messages.shown[0];
  EXPECT_EQ(title, "Velsarom");
  EXPECT_NE(text.find("30O"), std::string::npos) << text;
}

TEST_F(RunHandlerFixture, OtherExceptionsAreShownToo) {
  form.RunGuarded([] { throw std::runtime_error("disk gone"); });
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_NE(world.messages.shown[0].first.find("disk gone"), std::string::npos);
  EXPECT_EQ(world.messages.shown[0].second, "Velsarom");
}

TEST_F(RunHandlerFixture, QuietHandlerShowsNothing) {
  form.FormCreate();
  form.UpDown3.SetPosition(0);
  form.RunHandler(&TForm1::UpDown3Click);
  EXPECT_EQ(form.Edit8.Text(), "1");
  EXPECT_TRUE(world.messages.shown.empty());
}

// Regression: a close that arrived while a handler waited (its waits handle messages) took the
// window away from under the handler, which then went on with empty controls. The window holds
// such a close while Busy() says a handler runs: nested, failed, or showing its error message.
TEST_F(RunHandlerFixture, BusyWhileAHandlerRunsSoThatACloseWaitsForIt) {
  struct BusyProbe : platform::OwnedMessageBox {
    const TForm1* form = nullptr;
    bool busyWhileShown = false;
    void Show(const std::string&, const std::string&) override { busyWhileShown = form->Busy(); }
    bool Ask(const std::string&, const std::string&) override { return false; }
  } probe;
  probe.form = &form;
  platform::Ports withProbe = world.ports();
  withProbe.messageBox = &probe;
  platform::ScopedPorts scoped(withProbe);

  EXPECT_FALSE(form.Busy());
  bool busyInside = false, busyNested = false, busyAfterNested = false;
  form.RunGuarded([&] {
    busyInside = form.Busy();
    form.RunGuarded([&] { busyNested = form.Busy(); });  // a second click during a wait
    busyAfterNested = form.Busy();
    StrToFloat("x");
  });
  EXPECT_TRUE(busyInside);
  EXPECT_TRUE(busyNested);
  EXPECT_TRUE(busyAfterNested);
  EXPECT_TRUE(probe.busyWhileShown);
  EXPECT_FALSE(form.Busy());
}

}  // namespace
