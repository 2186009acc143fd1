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

Blit ClipToSource(Blit blit, int sourceWidth, int sourceHeight) {
  if (blit.sourceX < 0) {
    blit.destX -= blit.sourceX;
    blit.width += blit.sourceX;
    blit.sourceX = 0;
  }
  if (blit.sourceY < 0) {
    blit.destY -= blit.sourceY;
    blit.height += blit.sourceY;
    blit.sourceY = 0;
  }
  blit.width = std::min(blit.width, sourceWidth - blit.sourceX);
  blit.height = std::min(blit.height, sourceHeight - blit.sourceY);
  if (blit.width < 0) blit.width = 0;
  if (blit.height < 0) blit.height = 0;
  return blit;
}

}  // namespace zarumo
