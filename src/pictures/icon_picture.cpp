// The reader of icon files: the image that suits the screen, as an icon.
#include "forms/bitmap_picture.h"
#include "pictures/icon_directory.h"
#include "pictures/picture_readers.h"
#include "system/failure.h"
#include "system/handles.h"

namespace zarumo {

namespace {

// The icon resource format CreateIconFromResourceEx is told the image has.
constexpr DWORD kIconResourceVersion = 0x00030000;

class IconPicture : public Picture {
 public:
  explicit IconPicture(OwnedIcon icon)
      : icon_(std::move(icon)),
        width_(GetSystemMetrics(SM_CXICON)),
        height_(GetSystemMetrics(SM_CYICON)) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // At the image's own size, which is not always the recorded one.
  void Draw(HDC target, int x, int y) override {
    DrawIconEx(target, x, y, icon_.Get(), 0, 0, 0, nullptr, DI_NORMAL);
  }

 private:
  OwnedIcon icon_;
  int width_;
  int height_;
};

}  // namespace

std::unique_ptr<Picture> ReadIconPicture(const FileBytes& bytes) {
  const std::vector<IconImage> images = ParseIconDirectory(bytes.data(), bytes.size());
  const IconImage& image = images[ChooseIconImage(
      images, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), DisplayBitsPerPixel())];
  // The system reads the image as a resource, which it expects aligned and
  // whole: a mask-less image gets its mask.
  FileBytes resource =
      image.maskless
          ? MaskedIconImage(bytes.data(), image)
          : FileBytes(bytes.begin() + static_cast<std::ptrdiff_t>(image.offset),
                      bytes.begin() + static_cast<std::ptrdiff_t>(image.offset + image.size));
  OwnedIcon icon(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()),
                                          TRUE, kIconResourceVersion, 0, 0, LR_DEFAULTCOLOR));
  if (!icon) throw InvalidPicture(kInvalidIconMessage);
  return std::make_unique<IconPicture>(std::move(icon));
}

}  // namespace zarumo
