#include "hostsim/Drawing.h"

#include <gtest/gtest.h>

namespace hostsim {
namespace {

TEST(Drawing, NamesCompareWithoutAsciiCase) {
  EXPECT_TRUE(SameName("h_hen", "H_HEN"));
  EXPECT_FALSE(SameName("H_HEN", "H_HEN2"));
  EXPECT_TRUE(SameName("画層", "画層"));
  Drawing d;
  ASSERT_NE(d.FindLayer("0"), nullptr);
  EXPECT_NE(d.FindStyle("STANDARD"), nullptr);
  EXPECT_TRUE(d.IsRegistered("acad"));
  EXPECT_FALSE(d.IsRegistered("VELSAROM"));
  EXPECT_EQ(d.FindBlock("X"), nullptr);
}

}  // namespace
}  // namespace hostsim
