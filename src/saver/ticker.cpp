// The wish ticker's arithmetic.
#include "saver/ticker.h"

#include <algorithm>

namespace zarumo {

int TickerGap(int screenWidth, int wishWidth) {
  if (screenWidth / 2 < wishWidth) return 100;
  return screenWidth / 2 - wishWidth / 2;
}

TickerStep ComputeTick(int t, int screenWidth, int wishWidth) {
  TickerStep step;
  if (t > 0) {
    step.leading = true;
    step.leadingCopy = {0, t, screenWidth - t};
  } else if (t < 0) {
    step.leading = true;
    step.leadingCopy = {-t, 0, screenWidth + kLeadingCopyOverreach + t};
  }
  // Widened so that a huge picture cannot overflow the sum.
  long long next = static_cast<long long>(t) + wishWidth + TickerGap(screenWidth, wishWidth);
  int restart = 0;
  if (next <= screenWidth) {
    step.next = true;
    step.nextCopy = {0, static_cast<int>(next), screenWidth - static_cast<int>(next)};
    restart = static_cast<int>(next);
  }
  step.tickerX = t - kTickerStep;
  if (step.tickerX <= -wishWidth) step.tickerX = restart;
  return step;
}

Blit ClipToSource(const Blit& blit, Size source) {
  const Rect inside = Intersection(blit.source, {0, 0, source.width, source.height});
  return {inside, blit.destX + inside.left - blit.source.left,
          blit.destY + inside.top - blit.source.top};
}

}  // namespace zarumo
