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

namespace zarumo {

// What the scene keeps from its composition to its ticks.
struct SceneState {
  int nameWidth = 0;  // the name picture in use, or the fallback's size
  int nameHeight = 0;
  int wishWidth = 0;  // likewise for the wish picture
  int wishHeight = 0;
  int tickerX = 0;  // left edge of the leading wish copy in the composition
};

class Scene {
 public:
  // The holders of the stored layout, with the built-in pictures in theirs.
  Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  PictureHolder& Part(SaverPart part);
  SceneState& State() { return state_; }

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
  void LoadStrip(PictureHolder& strip, const std::string& line, int& width, int& height);

  std::vector<std::pair<SaverPart, std::unique_ptr<PictureHolder>>> holders_;  // creation order
  SceneState state_;
};

}  // namespace zarumo
