// The wish ticker's arithmetic.
#include "saver/ticker.h"

#include <gtest/gtest.h>

#include <map>

namespace zarumo {
namespace {

struct Traced {
  int entry;
  TickerStep step;
};

// Runs ticks 1..count from a ticker at 0, as the saver does.
std::map<int, Traced> Trace(int screenWidth, int wishWidth, int count) {
  std::map<int, Traced> ticks;
  int t = 0;
  for (int tick = 1; tick <= count; ++tick) {
    TickerStep step = ComputeTick(t, screenWidth, wishWidth);
    ticks[tick] = {t, step};
    t = step.tickerX;
  }
  return ticks;
}

void ExpectLeading(const TickerStep& step, int destX, int sourceX, int width) {
  ASSERT_TRUE(step.leading);
  EXPECT_EQ(step.leadingCopy.destX, destX);
  EXPECT_EQ(step.leadingCopy.sourceX, sourceX);
  EXPECT_EQ(step.leadingCopy.width, width);
}

void ExpectNext(const TickerStep& step, int destX, int width) {
  ASSERT_TRUE(step.next);
  EXPECT_EQ(step.nextCopy.destX, destX);
  EXPECT_EQ(step.nextCopy.sourceX, 0);
  EXPECT_EQ(step.nextCopy.width, width);
}

TEST(Ticker, FollowsTheWorkedTraceOnA1024ScreenWith300WidePicture) {
  auto ticks = Trace(1024, 300, 470);
  EXPECT_EQ(TickerGap(1024, 300), 362);

  EXPECT_EQ(ticks[1].entry, 0);
  EXPECT_FALSE(ticks[1].step.leading);
  ExpectNext(ticks[1].step, 662, 362);
  EXPECT_EQ(ticks[1].step.tickerX, -5);

  ExpectLeading(ticks[2].step, 0, 5, 1419);
  ExpectNext(ticks[2].step, 657, 367);
  ExpectLeading(ticks[3].step, 0, 10, 1414);
  ExpectNext(ticks[3].step, 652, 372);
  EXPECT_EQ(ticks[3].step.tickerX, -15);

  EXPECT_EQ(ticks[59].entry, -290);
  ExpectLeading(ticks[59].step, 0, 290, 1134);
  ExpectNext(ticks[59].step, 372, 652);
  EXPECT_EQ(ticks[59].step.tickerX, -295);

  ExpectLeading(ticks[60].step, 0, 295, 1129);
  ExpectNext(ticks[60].step, 367, 657);
  EXPECT_EQ(ticks[60].step.tickerX, 367);  // -300 wraps

  ExpectLeading(ticks[61].step, 367, 0, 657);
  EXPECT_FALSE(ticks[61].step.next);  // 1029 > 1024
  EXPECT_EQ(ticks[61].step.tickerX, 362);

  ExpectLeading(ticks[62].step, 362, 0, 662);
  ExpectNext(ticks[62].step, 1024, 0);
  EXPECT_EQ(ticks[62].step.tickerX, 357);

  ExpectLeading(ticks[63].step, 357, 0, 667);
  ExpectNext(ticks[63].step, 1019, 5);
  EXPECT_EQ(ticks[63].step.tickerX, 352);

  // The later wraps, and the columns left over from the first one covered again.
  EXPECT_EQ(ticks[194].entry, -298);
  EXPECT_EQ(ticks[194].step.tickerX, 364);
  EXPECT_EQ(ticks[327].step.tickerX, 366);
  EXPECT_EQ(ticks[461].step.tickerX, 363);
  EXPECT_EQ(ticks[134].entry, 2);
  EXPECT_EQ(ticks[135].entry, -3);

  // Wraps come only there: cycles of 133 or 134 ticks.
  std::vector<int> wraps;
  for (const auto& [tick, traced] : ticks)
    if (traced.step.tickerX > traced.entry) wraps.push_back(tick);
  EXPECT_EQ(wraps, (std::vector<int>{60, 194, 327, 461}));
}

TEST(Ticker, TickerAtZeroDrawsNoLeadingCopy) {
  TickerStep step = ComputeTick(0, 1024, 201);
  EXPECT_FALSE(step.leading);
  ExpectNext(step, 613, 411);  // fallback: gap 412, copies 613 apart
  EXPECT_EQ(step.tickerX, -5);
}

TEST(Ticker, GapCentresUpToHalfTheScreenThenIs100) {
  EXPECT_EQ(TickerGap(1024, 512), 256);
  EXPECT_EQ(TickerGap(1024, 513), 100);
  EXPECT_EQ(TickerGap(1024, 201), 412);
  EXPECT_EQ(TickerGap(1023, 511), 256);  // 511 - 255
  EXPECT_EQ(TickerGap(1024, 2000), 100);
}

TEST(Ticker, WrapsAtExactlyMinusTheWidth) {
  // -295 - 5 = -300 = -WishW wraps; one step earlier does not.
  EXPECT_EQ(ComputeTick(-290, 1024, 300).tickerX, -295);
  EXPECT_EQ(ComputeTick(-295, 1024, 300).tickerX, 367);
  // A picture wider than the screen: gap 100, the next copy follows at 105.
  EXPECT_EQ(ComputeTick(-1995, 1024, 2000).tickerX, 105);
}

TEST(Ticker, TinyScreenRestartsAtZero) {
  // 100 wide, a 100-wide picture: gap 100, the next copy never fits.
  auto ticks = Trace(100, 100, 25);
  EXPECT_FALSE(ticks[1].step.next);
  EXPECT_EQ(ticks[20].step.tickerX, 0);
  EXPECT_FALSE(ticks[21].step.leading);
  EXPECT_EQ(ticks[21].step.tickerX, -5);
}

TEST(Ticker, HugePicturesDoNotOverflow) {
  TickerStep step = ComputeTick(2147483000, 1024, 2147483000);
  EXPECT_FALSE(step.next);
}

TEST(ClipToSource, CutsCopiesToTheStrip) {
  const Size strip{1024, 384};
  // The leading copy reaches 400 columns past a 1024-wide strip.
  Blit blit = ClipToSource({{290, 0, 1134, 101}, 0, 568}, strip);
  EXPECT_EQ(blit.source.width, 734);
  EXPECT_EQ(blit.source.height, 101);
  EXPECT_EQ(blit.destX, 0);
  // A picture taller than the strip is cut at its bottom.
  EXPECT_EQ(ClipToSource({{0, 0, 2000, 1000}, 0, 300}, strip).source.height, 384);
  EXPECT_EQ(ClipToSource({{0, 0, 2000, 1000}, 0, 300}, strip).source.width, 1024);
  // Entirely beyond the strip: nothing.
  EXPECT_TRUE(ClipToSource({{1100, 0, 50, 50}, 0, 0}, strip).source.Empty());
  // A negative source start moves the destination along.
  Blit moved = ClipToSource({{-10, 0, 50, 20}, 100, 0}, strip);
  EXPECT_EQ(moved.source.left, 0);
  EXPECT_EQ(moved.destX, 110);
  EXPECT_EQ(moved.source.width, 40);
}

}  // namespace
}  // namespace zarumo
