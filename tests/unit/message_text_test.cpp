// Texts of failures as the user sees them.
#include "text/message_text.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(Period, AddedAfterAnyCharacterAboveTheDot) {
  LeadBytes lead = LeadBytes::Cp932();
  EXPECT_EQ(WithPeriod("ファイルが見つかりません", lead), "ファイルが見つかりません.");
  EXPECT_EQ(WithPeriod("abc", lead), "abc.");
  EXPECT_EQ(WithPeriod("", lead), "");
  EXPECT_EQ(WithPeriod("done.", lead), "done.");
  EXPECT_EQ(WithPeriod("I/O エラー (32)", lead), "I/O エラー (32)");
  EXPECT_EQ(WithPeriod("a-", lead), "a-");
  EXPECT_EQ(WithPeriod("line\r\n", lead), "line\r\n");
}

TEST(Period, JudgesTheFirstByteOfADoubleByteCharacter) {
  LeadBytes lead = LeadBytes::Cp932();
  // Read as single bytes, the last byte 0x2D would keep the period off.
  EXPECT_EQ(WithPeriod("x\x81\x2D", LeadBytes()), "x\x81\x2D");
  EXPECT_EQ(WithPeriod("x\x81\x2D", lead), "x\x81\x2D.");
  // A lone lead byte at the end counts as a character of its own.
  EXPECT_EQ(WithPeriod("a\x81", lead), "a\x81.");
}

TEST(TopLevelError, NamesKindModuleAddressAndMessage) {
  std::string text =
      TopLevelErrorText("SystemFailure", "zarumo.scr", reinterpret_cast<const void*>(0x0040ABCD),
                        "boom", LeadBytes::Cp932());
  EXPECT_EQ(text, "SystemFailureがモジュール zarumo.scr の 0040ABCD で発生しました。\nboom.");
  // Only what comes before a zero byte is shown, and the period follows it.
  EXPECT_EQ(TopLevelErrorText("Failure", "z", nullptr, std::string(";\0", 2), LeadBytes()),
            "Failureがモジュール z の 00000000 で発生しました。\n;.");
}

TEST(Format, HandlesLongOutput) {
  std::string big(5000, 'x');
  EXPECT_EQ(Format("[%s]", big.c_str()), "[" + big + "]");
  EXPECT_EQ(Format("%d-%s", 7, "a"), "7-a");
}

}  // namespace
}  // namespace zarumo
