// Picture files made by the tests, from a colour for each pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace wt {

using PixelColour = std::function<COLORREF(int x, int y)>;

// A colour's red, green and blue samples, in that order, as JPEG rows hold them.
inline void PutRgb(COLORREF colour, std::uint8_t* samples) {
  samples[0] = GetRValue(colour);
  samples[1] = GetGValue(colour);
  samples[2] = GetBValue(colour);
}

// A 24-bit bottom-up BMP file.
std::string MakeBmp(int width, int height, const PixelColour& colour);

// An 8-bit RGBA PNG file; `alpha` gives each pixel's opacity, 0 to 255.
std::string MakePng(int width, int height, const PixelColour& colour,
                    const std::function<int(int x, int y)>& alpha);

// A baseline JPEG file of quality 95.
std::string MakeJpeg(int width, int height, const PixelColour& colour);

// A progressive JPEG of one colour whose first scan asks for what a DC scan
// cannot have: its header reads, its decoding fails.
std::string MakeUndecodableJpeg(int width, int height, COLORREF colour);

// A baseline 8000 x 6000 JPEG, as a phone takes them: kLargePhotoTop above
// row 3000, kLargePhotoBottom below. Made once per run.
constexpr int kLargePhotoWidth = 8000;
constexpr int kLargePhotoHeight = 6000;
constexpr COLORREF kLargePhotoTop = RGB(40, 180, 60);
constexpr COLORREF kLargePhotoBottom = RGB(30, 60, 200);
const std::string& LargePhoto();

}  // namespace wt
