// The command line: the mode switch and the window handle.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

CommandLine Cp932Line(const std::string& line) { return CommandLine(line, LeadBytes::Cp932()); }

TEST(CommandLineSplitting, SkipsTheProgramAndSplitsOnControlsAndSpaces) {
  CommandLine line = Cp932Line("\"C:\\Program Files\\zarumo.scr\"  /s\t\x01 1234 ");
  EXPECT_EQ(line.ArgumentCount(), 2);
  EXPECT_EQ(line.Argument(1), "/s");
  EXPECT_EQ(line.Argument(2), "1234");
  EXPECT_EQ(line.Argument(3), "");
  EXPECT_EQ(line.Argument(0), "");
}

TEST(CommandLineSplitting, QuotedStretchesJoinAndDropTheirQuotes) {
  CommandLine line = Cp932Line("prog /p\" 12\"34 \"unterminated stretch");
  EXPECT_EQ(line.Argument(1), "/p 1234");
  EXPECT_EQ(line.Argument(2), "unterminated stretch");
  EXPECT_EQ(line.ArgumentCount(), 2);
}

TEST(CommandLineSplitting, EmptyQuotePairsBeforeAnItemAreSkipped) {
  CommandLine line = Cp932Line("prog \"\" \"\"\"\"/c 99");
  EXPECT_EQ(line.Argument(1), "/c");
  EXPECT_EQ(line.Argument(2), "99");
}

TEST(CommandLineSplitting, EmptyLineHasNoArguments) {
  EXPECT_EQ(Cp932Line("").ArgumentCount(), 0);
  EXPECT_EQ(Cp932Line("prog").ArgumentCount(), 0);
  EXPECT_EQ(Cp932Line("prog    ").Argument(1), "");
}

TEST(CommandLineSplitting, DoubleByteCharactersStepWhole) {
  // 0x83 0x22 is one character; byte by byte its 0x22 would end the quoted stretch.
  CommandLine line = Cp932Line("prog \"\x83\x22 x\" next");
  EXPECT_EQ(line.Argument(1), "\x83\x22 x");
  EXPECT_EQ(line.Argument(2), "next");
  CommandLine single("prog \"\x83\x22 x\" next", LeadBytes());
  EXPECT_EQ(single.Argument(1), "\x83");
  EXPECT_EQ(single.Argument(2), "x next");
}

TEST(ModeChoice, ComesFromTheSecondByteAlone) {
  for (const char* text : {"/A", "XA"}) EXPECT_EQ(ModeFor(text), Mode::kChangePassword) << text;
  for (const char* text : {"?C", "/C:1234"}) EXPECT_EQ(ModeFor(text), Mode::kConfigure) << text;
  EXPECT_EQ(ModeFor("-P"), Mode::kPreview);
  // "/a": the switch is upper-cased before.
  for (const char* text : {"/S", "S", "", "/a"}) EXPECT_EQ(ModeFor(text), Mode::kShow) << text;
}

TEST(ModeChoice, SwitchIsTheUpperCasedFirstArgumentOrConfigure) {
  EXPECT_EQ(ModeSwitchFor(Cp932Line("prog")), "/C");
  EXPECT_EQ(ModeSwitchFor(Cp932Line("prog -s")), "-S");
  // A double-byte character whose second byte is "a", "c" or "p".
  EXPECT_EQ(ModeFor(ModeSwitchFor(Cp932Line("prog \x83\x61"))), Mode::kChangePassword);
  EXPECT_EQ(ModeFor(ModeSwitchFor(Cp932Line("prog \x83\x43"))), Mode::kConfigure);
  EXPECT_EQ(ModeFor(ModeSwitchFor(Cp932Line("prog \x83\x70"))), Mode::kPreview);
  EXPECT_EQ(ModeFor(ModeSwitchFor(Cp932Line("prog \x83\x50 1"))), Mode::kPreview);
}

TEST(WindowHandle, AcceptsDecimalAndHexadecimalForms) {
  const struct {
    const char* text;
    std::int32_t value;
  } accepted[] = {
      {"1234", 1234},
      {"  1234", 1234},
      {"+1234", 1234},
      {"-5", -5},
      {"$4D2", 1234},
      {"0x4d2", 1234},
      {"0X4D2", 1234},
      {"x4d2", 1234},
      {"X4D2", 1234},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"0x80000000", INT32_MIN},
      {"$00000000001", 1},
      {"007", 7},
  };
  for (const auto& entry : accepted) {
    std::int32_t value = 42;
    EXPECT_TRUE(ParseWindowHandle(entry.text, value)) << entry.text;
    EXPECT_EQ(value, entry.value) << entry.text;
  }
}

TEST(WindowHandle, RefusesEverythingElse) {
  for (const char* text :
       {"", "   ", "12ab", "4294967295", "2147483648", "-2147483649", "-$10", "+0x10", "$", "0x",
        "x", "$100000000", "12 ", "1 2", "\t12", "+", "-", "0x-1", "１２"}) {
    std::int32_t value = 42;
    EXPECT_FALSE(ParseWindowHandle(text, value)) << text;
    EXPECT_EQ(value, 42) << text;
  }
}

}  // namespace
}  // namespace zarumo
