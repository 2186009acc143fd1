// The pictures carried in the executable.
#include "resources/built_in_pictures.h"

#include <windows.h>

#include "forms/bitmap_picture.h"
#include "resources/resource_ids.h"
#include "system/system_text.h"

namespace zarumo {

std::unique_ptr<Picture> LoadBuiltInPicture(BuiltInPicture which) {
  int id;
  switch (which) {
    case BuiltInPicture::kBanner:
      id = IDB_BANNER;
      break;
    case BuiltInPicture::kFallback:
      id = IDB_FALLBACK;
      break;
    default:
      return nullptr;
  }
  // A section keeps the stored pixel format, as the picture files' reader does.
  OwnedBitmap bitmap(static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) RaiseLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return std::make_unique<BitmapPicture>(std::move(bitmap));
}

}  // namespace zarumo
