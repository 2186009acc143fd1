// Path delimiters in code page 932 text.
#include "text/path_delimiter.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(LastDelimiter, FindsBackslashOrColonThatIsNoTrailByte) {
  LeadBytes lead = LeadBytes::Cp932();
  EXPECT_EQ(LastDelimiter("C:\\dir\\file", lead), 6u);
  EXPECT_EQ(LastDelimiter("C:file", lead), 1u);
  EXPECT_EQ(LastDelimiter("file", lead), std::string::npos);
  EXPECT_EQ(LastDelimiter("", lead), std::string::npos);
  EXPECT_EQ(LastDelimiter("\\", lead), 0u);
  // ソ (0x83 0x5C) and 表 (0x95 0x5C) end in a backslash byte.
  EXPECT_EQ(LastDelimiter("C:\\\x83\x5C.jpg", lead), 2u);
  EXPECT_EQ(LastDelimiter("\x95\x5C", lead), std::string::npos);
  EXPECT_EQ(LastDelimiter("C:\\d\\\x83\x5C\x95\x5C\\x", lead), 9u);
  // A run of lead-byte values: 0x81 0x81 is one character, so the 0x5C after it is real.
  EXPECT_EQ(LastDelimiter("a\x81\x81\x5C", lead), 3u);
  EXPECT_EQ(LastDelimiter("a\x81\x81\x81\x5C", lead), std::string::npos);
  // Without lead bytes every delimiter byte counts.
  EXPECT_EQ(LastDelimiter("C:\\\x83\x5C", LeadBytes()), 4u);
}

TEST(PathParts, SplitAtTheLastDelimiter) {
  LeadBytes lead = LeadBytes::Cp932();
  EXPECT_EQ(DirectoryPart("C:\\a\\b.jpg", lead), "C:\\a\\");
  EXPECT_EQ(DirectoryPart("b.jpg", lead), "");
  EXPECT_EQ(DirectoryPart("\x83\x5C.jpg", lead), "");
  EXPECT_EQ(FileNamePart("C:\\a\\b.jpg", lead), "b.jpg");
  EXPECT_EQ(FileNamePart("C:\\\x95\x5C.scr", lead), "\x95\x5C.scr");
}

}  // namespace
}  // namespace zarumo
