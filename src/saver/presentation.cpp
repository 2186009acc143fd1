#include <windows.h>

#include "forms/failure.h"
#include "forms/handles.h"
#include "saver/scene.h"
#include "saver/ssform.h"
#include "saver/ticker.h"

namespace zarumo {

void TScreenSaverForm::movchr() {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  const int bandTop = h - kTickerBandFromBottom;
  BitmapPicture& composition = Image0.Canvas();
  BitmapPicture& strip = Image4.Canvas();

  TickerStep step = ComputeTick(TickerX, w, WishW);
  // Copies are cut to the strip. What a copy would take from beyond it is
  // black: keeping the old pixels there smears the strip's last columns
  // along the band when the picture is wider than the screen.
  auto copy = [&](const StripCopy& c) {
    const Blit whole{c.sourceX, 0, c.destX, bandTop, c.width, WishH};
    const Blit blit = ClipToSource(whole, strip.Width(), strip.Height());
    if (blit.width < whole.width || blit.height < whole.height)
      PatBlt(composition.Dc(), whole.destX, whole.destY, whole.width, whole.height, BLACKNESS);
    if (!blit.Empty())
      BitBlt(composition.Dc(), blit.destX, blit.destY, blit.width, blit.height, strip.Dc(),
             blit.sourceX, blit.sourceY, SRCCOPY);
  };
  if (step.leading) copy(step.leadingCopy);
  if (step.next) copy(step.nextCopy);
  TickerX = step.tickerX;
}

void TScreenSaverForm::Timer1Timer() {
  movchr();
  if (!Handle()) return;
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  BitmapPicture& composition = Image0.Canvas();
  WindowDc dc(Handle());
  if (!dc.Get()) throw Failure("デバイス コンテキストの作成に失敗しました");
  if (composition.BitsPerPixel() != 1) SetStretchBltMode(dc.Get(), COLORONCOLOR);
  StretchBlt(dc.Get(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
             composition.Dc(), 0, 0, composition.Width(), composition.Height(), SRCCOPY);
}

}  // namespace zarumo
