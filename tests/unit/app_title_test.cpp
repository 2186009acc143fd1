// The application title from the executable's name.
#include "app/app_title.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotWithTheRestLowered) {
  const LowerCase lower = LowerCaseAscii;
  LeadBytes lead = LeadBytes::Cp932();
  EXPECT_EQ(ApplicationTitle("C:\\Savers\\ZARUMO.SCR", lead, lower), "Zarumo");
  EXPECT_EQ(ApplicationTitle("C:\\a.b\\My.Saver.scr", lead, lower), "My");
  // ソ ends in a backslash byte that is no delimiter.
  EXPECT_EQ(ApplicationTitle("C:\\x\\\x83\x5CX.scr", lead, lower), "\x83\x5Cx");
  EXPECT_EQ(ApplicationTitle("noext", lead, lower), "noext");
  // ザ is 0x83 0x55: the lowering starts after the whole first character.
  EXPECT_EQ(ApplicationTitle("C:\\x\\\x83\x55\x83\x8B\x83\x82.scr", lead, lower),
            "\x83\x55\x83\x8B\x83\x82");
  EXPECT_EQ(ApplicationTitle("C:\\x\\\x83\x55"
                             "AB.scr",
                             lead, lower),
            "\x83\x55"
            "ab");
}

}  // namespace
}  // namespace zarumo
