// The kind of a picture file, chosen by its extension alone.
#pragma once

#include <cstddef>
#include <string>

#include "text/case_mapping.h"
#include "text/lead_bytes.h"

namespace zarumo {

enum class PictureKind { kBitmap, kJpeg, kIcon, kWinMetafile, kEnhMetafile, kPng, kGif };

// The text after the last "." that no "\" or ":" follows, scanning whole
// characters so that a trail byte never counts; empty when there is none.
std::string FileExtension(const std::string& fileName, const LeadBytes& leadBytes);

// Raises InvalidPicture, naming the extension as written, when no kind has it.
PictureKind PictureKindOf(const std::string& fileName, const LeadBytes& leadBytes,
                          LowerCase lowerCase);

}  // namespace zarumo
