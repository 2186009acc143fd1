// The scene the saver shows: the still part composed once in a screen-sized
// bitmap (black, the banner, the name picture), and the wish picture moving
// along a band near the bottom, one step a tick.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/picture_holder.h"
#include "resources/saver_layout.h"
#include "system/geometry.h"

namespace zarumo {

// The sizes of the pictures the strips hold: the user's, or the fallback's
// in place of one that could not be shown.
struct StripSizes {
  Size name;
  Size wish;
};

class Scene {
 public:
  // The holders of the stored layout, with the built-in pictures in theirs.
  Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  PictureHolder& Holder(SaverHolder role);
  const StripSizes& Strips() const { return strips_; }
  // Left edge of the leading wish copy in the composition.
  int TickerX() const { return tickerX_; }
  void SetTickerX(int x) { tickerX_ = x; }

  // Composes the still part and loads both user pictures into their strips.
  // Pictures that cannot be shown give way to the fallback; other failures
  // leave the scene as far as it got.
  void Compose();
  // Copies the wish strip into the band at the ticker's positions and moves
  // the ticker a step to the left.
  void MoveTicker();
  // The whole composition, stretched onto the window.
  void Present(HWND window);
  // The window's own painting: the visible holders in their order, each at its place.
  void PaintLayout(HDC dc);

 private:
  void LoadPictures();
  // `shown` takes the picture's size before it is drawn.
  void LoadStrip(PictureHolder& strip, const std::string& line, Size& shown);

  std::vector<std::pair<SaverHolder, std::unique_ptr<PictureHolder>>> holders_;  // creation order
  StripSizes strips_;
  int tickerX_ = 0;
};

}  // namespace zarumo
