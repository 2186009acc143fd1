// Sizes of the two user pictures in use, kept for the life of the process.
#pragma once

namespace zarumo {

extern int NameW;
extern int NameH;
extern int WishW;
extern int WishH;
// Left edge of the leading wish copy in the composition.
extern int TickerX;

constexpr int kBannerTop = 50;
constexpr int kNameTop = 300;

}  // namespace zarumo
