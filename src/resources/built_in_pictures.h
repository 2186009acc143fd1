// The pictures carried in the executable.
#pragma once

#include <memory>

#include "forms/picture.h"
#include "resources/saver_layout.h"

namespace zarumo {

// The banner or the fallback picture as a bitmap; nullptr for kNone.
std::unique_ptr<Picture> LoadBuiltInPicture(BuiltInPicture which);

}  // namespace zarumo
