// The open dialog's file-type list.
#include "setup/file_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace zarumo {
namespace {

TEST(FilterList, BarsBecomeNulsAndTheListEndsTwice) {
  LeadBytes lead = LeadBytes::Cp932();
  EXPECT_EQ(FilterList("画像 files (*.bmp,*.jpg)|*.BMP;*.JPG", lead),
            std::string("画像 files (*.bmp,*.jpg)\0*.BMP;*.JPG\0\0", 38));
  EXPECT_EQ(FilterList("a|*.a|b|*.b", lead), std::string("a\0*.a\0b\0*.b\0\0", 13));
  EXPECT_EQ(FilterList("", lead), std::string("\0\0", 2));
}

TEST(FilterList, ABarThatIsATrailByteStays) {
  // ポ is 0x83 0x7C in code page 932.
  const std::string po = "\x83\x7C";
  EXPECT_EQ(FilterList(po + "|*.x", LeadBytes::Cp932()), po + std::string("\0*.x\0\0", 6));
  // Without double-byte characters the same byte is a separator.
  EXPECT_EQ(FilterList(po, LeadBytes()), std::string("\x83\0\0\0", 4));
}

}  // namespace
}  // namespace zarumo
