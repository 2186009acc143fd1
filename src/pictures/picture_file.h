// Reading a user picture file by the kind its extension names.
#pragma once

#include <memory>
#include <string>

#include "forms/picture.h"

namespace zarumo {

std::unique_ptr<Picture> LoadPictureFile(const std::string& fileName);

}  // namespace zarumo
