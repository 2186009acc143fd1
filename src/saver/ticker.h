// The wish ticker's arithmetic: where the copies of the wish strip go on each
// tick and where the ticker stands afterwards.
#pragma once

#include "system/geometry.h"

namespace zarumo {

// A block copy of `width` columns from column `sourceX` of the strip to column
// `destX` of the composition; rows are the ticker band's.
struct StripCopy {
  int sourceX = 0;
  int destX = 0;
  int width = 0;
};

struct TickerStep {
  bool leading = false;  // false when the ticker stands exactly at 0
  StripCopy leadingCopy;
  bool next = false;  // false when the next copy would start beyond the screen
  StripCopy nextCopy;
  int tickerX = 0;  // the ticker's position after this tick
};

constexpr int kTickerStep = 5;
constexpr int kTickerBandFromBottom = 200;
// How far past the screen's right edge the leading copy reaches while it
// stands partly off the left edge.
constexpr int kLeadingCopyOverreach = 400;

// One tick at ticker position `t` on a screen `screenWidth` wide, for a wish picture `wishWidth`
// wide.
TickerStep ComputeTick(int t, int screenWidth, int wishWidth);

// The space between copies: 100 for a picture wider than half the screen,
// otherwise whatever centres one copy on the screen.
int TickerGap(int screenWidth, int wishWidth);

// Cuts a copy down to what lies inside a source of that size; the
// destination moves with the source.
Blit ClipToSource(const Blit& blit, Size source);

}  // namespace zarumo
