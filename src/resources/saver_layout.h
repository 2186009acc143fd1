// The saver window's stored layout: what the window looks like and where its
// picture holders stand before any handler runs.
#pragma once

#include <cstddef>

#include "forms/holder_layout.h"

namespace zarumo {

// What each picture holder of the saver window is for.
enum class SaverHolder {
  kComposition,  // the whole scene, screen-sized, never shown by itself
  kBanner,       // the built-in slogan
  kNameStrip,    // the name picture, cut to the screen's width and half its height
  kWishStrip,    // the wish picture, likewise
  kLoading,      // each user picture as it is loaded
  kFallback,     // the built-in picture shown for one that cannot be
};

enum class BuiltInPicture { kNone, kBanner, kFallback };

struct SaverHolderData {
  SaverHolder role;
  HolderLayout layout;
  BuiltInPicture picture;
};

struct SaverWindowLayout {
  const char* caption;
  const SaverHolderData* holders;  // in creation order; later ones paint over earlier ones
  std::size_t holderCount;
};

const SaverWindowLayout& SaverLayout();

}  // namespace zarumo
