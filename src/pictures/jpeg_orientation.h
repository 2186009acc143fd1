// The eight orientations of a photo's Exif tag: how the stored pixels are
// mirrored and turned to be shown. 1 shows them as stored.
#pragma once

#include "pictures/jpeg_decoder.h"

namespace zarumo {

// 5 to 8 turn the picture by a quarter: its shown width is its stored height.
bool TurnsQuarter(int orientation);

// For a picture stored as `width` x `height`: where its stored pixel (x, y) is shown.
Point ShownPoint(int orientation, int width, int height, int x, int y);

// The stored rectangle whose pixels are shown as `shown`, a rectangle within
// the shown picture.
Rect StoredRect(int orientation, int width, int height, const Rect& shown);

}  // namespace zarumo
