// The saver window's stored layout: what the window looks like and where its
// picture holders and its timer stand before any handler runs.
#pragma once

#include <cstddef>

#include "forms/holder_layout.h"

namespace zarumo {

enum class BuiltInPicture { kNone, kBanner, kFallback };

struct HolderData {
  HolderLayout layout;
  BuiltInPicture picture;
};

struct TimerData {
  const char* name;
  bool enabled;
  unsigned interval;
};

struct SaverFormLayout {
  const char* componentName;
  const char* caption;
  bool border;
  bool maximized;
  unsigned long background;   // 0x00BBGGRR
  const HolderData* holders;  // in creation order; later ones paint over earlier ones
  std::size_t holderCount;
  TimerData timer;
};

const SaverFormLayout& ScreenSaverFormLayout();

}  // namespace zarumo
