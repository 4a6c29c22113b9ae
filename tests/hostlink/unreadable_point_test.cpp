// A host whose windows stand idle and never show LASTPOINT's value (its value prompt missing,
// nothing echoed): the pick must not pass for a pick at 0, 0, 0. (The fence, window and ALL
// selections read no point: their points come from the workflow.)
#include <gtest/gtest.h>

#include "hostlink/HostSelection.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::CreateHostWindows;

using UnreadablePointTest = hosttest::WindowsFixture;

bool DxfOutSent(const platform::MemoryWindowSystem& ws) {
  for (const auto& s : ws.sent) {
    if (s.text.rfind(u"DXFOUT ", 0) == 0) return true;
  }
  return false;
}

TEST_F(UnreadablePointTest, PickPointFails) {
  CreateHostWindows(world.windows);  // idle: "コマンド: ", empty history
  TAcadPoint p{1, 2, 3};
  EXPECT_EQ(PickPoint(link, p), HostResult::Failed);
}

// The selections that wait for the user's picks export only with a point the user gave.
// Regression: SelectObjects took the unreadable point for 0, 0, 0 and exported.
TEST_F(UnreadablePointTest, SelectionsByTheUserExportNothing) {
  CreateHostWindows(world.windows);
  EXPECT_EQ(SelectSingle(link).count, 0);
  EXPECT_FALSE(DxfOutSent(world.windows));
  EXPECT_EQ(SelectObjects(link).count, 0);
  EXPECT_FALSE(DxfOutSent(world.windows));
}

}  // namespace
