// Picture files made by the tests, from a colour for each pixel.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace wt {

using PixelColour = std::function<COLORREF(int x, int y)>;

// A 24-bit bottom-up BMP file.
std::string MakeBmp(int width, int height, const PixelColour& colour);

// A baseline JPEG file of quality 95.
std::string MakeJpeg(int width, int height, const PixelColour& colour);

}  // namespace wt
