// A host setting changed for a while is given back as it was read; one that cannot be read is
// neither changed nor "given back" (an empty value typed back would leave the host at 0).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "annotation/SideLines.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostSelection.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

struct UnreadableOsmode : WorkflowFixture {};

TEST_F(UnreadableOsmode, IsNeitherTurnedOffNorSentBackAroundAFenceOrALine) {
  AddLine(0, 0, 10000, 0);
  host.Type("OSMODE 4133 ");
  world.windows.sent.clear();
  hosttest::ScopedRewrite rewrite(
      world,
      [&](platform::WindowHandle w, const std::string& last,
          const std::u16string&) -> std::optional<std::u16string> {
        if (w == host.currentLineControl() && last == "'SETVAR OSMODE\r")
          return u"新しい値を入力: ";
        return std::nullopt;
      });
  const HostLink link = ProcessHostLink();
  EXPECT_EQ(SelectByFence(link, {5000, -10, 0}, {5000, 10, 0}).count, 1);
  EXPECT_TRUE(DrawLineIfMissing(link, {0, 5000, 0}, {10000, 5000, 0}, false));
  EXPECT_EQ(CountSent("\x03OSMODE"), 0);
  EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
  EXPECT_EQ(EntityCount(), 2u);
}

}  // namespace
