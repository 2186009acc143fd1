// Changing the case of ANSI text.
#include "text/case_mapping.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(UpperCasing, IsByteWiseIncludingTrailBytes) {
  EXPECT_EQ(UpperCaseAscii("/s:abc"), "/S:ABC");
  EXPECT_EQ(UpperCaseAscii("\x83\x61"), "\x83\x41");
  EXPECT_EQ(UpperCaseAscii("\xE0\x7A\xFF"), "\xE0\x5A\xFF");
  EXPECT_EQ(UpperCaseAscii("`{@["), "`{@[");
}

}  // namespace
}  // namespace zarumo
