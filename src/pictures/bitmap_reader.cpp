// The reader of bitmap files, into a device-independent bitmap or, for
// run-length data, a bitmap of the display's format.
#include <cstring>

#include "forms/bitmap_picture.h"
#include "pictures/bit_fields.h"
#include "pictures/bitmap_layout.h"
#include "pictures/picture_readers.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {

namespace {

// A refusal without an error code is the file's fault; with one, the system's.
[[noreturn]] void RaiseRefusal() {
  if (GetLastError() == 0) throw InvalidPicture(kInvalidBitmapMessage);
  RaiseLastError();
}

}  // namespace

std::unique_ptr<Picture> ReadBitmapPicture(const FileBytes& bytes) {
  BitmapLayout layout = ParseBitmapFile(bytes.data(), bytes.size());
  if (layout.Empty()) return std::make_unique<EmptyPicture>();
  const std::uint8_t* pixels = bytes.data() + layout.pixelOffset;
  std::vector<std::uint8_t> widened;
  if (!EverySystemTakes(layout)) {
    layout = WidenBitFields(layout, pixels, widened);
    pixels = widened.data();
  }
  const std::vector<std::uint8_t> info = BitmapInfoBytes(layout);
  const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(info.data());

  OwnedBitmap bitmap;
  SetLastError(0);
  if (layout.RunLength()) {
    // Run-length data becomes a bitmap of the display's format.
    WindowDc screen(nullptr);
    if (!screen.Get()) RaiseLastError();
    bitmap.Reset(CreateDIBitmap(screen.Get(), &bitmapInfo->bmiHeader, CBM_INIT, pixels, bitmapInfo,
                                DIB_RGB_COLORS));
    if (!bitmap) RaiseRefusal();
  } else {
    void* bits = nullptr;
    bitmap.Reset(CreateDIBSection(nullptr, bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) RaiseRefusal();
    // Rows the file does not hold stay as the section starts: zero.
    std::memcpy(bits, pixels, layout.pixelSize);
  }
  return std::make_unique<BitmapPicture>(std::move(bitmap));
}

}  // namespace zarumo
