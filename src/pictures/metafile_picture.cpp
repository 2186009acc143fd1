// The reader of enhanced metafiles and of Windows metafiles, placeable or not.
#include "pictures/metafile_header.h"
#include "pictures/picture_readers.h"
#include "system/failure.h"
#include "system/geometry.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {

namespace {

class MetafilePicture : public Picture {
 public:
  MetafilePicture(OwnedEnhMetafile metafile, int width, int height)
      : metafile_(std::move(metafile)), width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC target, int x, int y) override {
    const RECT area{x, y, x + width_ - 1, y + height_ - 1};
    PlayEnhMetaFile(target, metafile_.Get(), &area);
  }

 private:
  OwnedEnhMetafile metafile_;
  int width_;
  int height_;
};

// Metafile sizes are physical; they are shown at the screen's resolution,
// in dots per inch across and down.
Size ScreenResolution() {
  WindowDc screen(nullptr);
  if (!screen.Get()) RaiseLastError();
  return {GetDeviceCaps(screen.Get(), LOGPIXELSX), GetDeviceCaps(screen.Get(), LOGPIXELSY)};
}

}  // namespace

std::unique_ptr<Picture> ReadEnhMetafilePicture(const FileBytes& bytes) {
  const Size dpi = ScreenResolution();
  const MetafileFrame frame = CheckEnhMetafile(bytes.data(), bytes.size(), dpi.width, dpi.height);
  OwnedEnhMetafile metafile(SetEnhMetaFileBits(static_cast<UINT>(frame.size), bytes.data()));
  if (!metafile) throw InvalidPicture(kInvalidMetafileMessage);
  return std::make_unique<MetafilePicture>(std::move(metafile), frame.width, frame.height);
}

std::unique_ptr<Picture> ReadWinMetafilePicture(const FileBytes& bytes) {
  const Size dpi = ScreenResolution();
  MetafileFrame frame = CheckWinMetafile(bytes.data(), bytes.size(), dpi.width, dpi.height);
  // The records set their own window; the conversion maps it onto this frame.
  // Without a stated size their units are pixels, and the converted picture's
  // frame is the bounds of what it draws.
  const bool stated = frame.width != 0;
  METAFILEPICT picture{stated ? MM_ANISOTROPIC : MM_TEXT, frame.frameWidth, frame.frameHeight,
                       nullptr};
  OwnedEnhMetafile metafile(SetWinMetaFileBits(static_cast<UINT>(frame.size),
                                               bytes.data() + frame.offset, nullptr, &picture));
  if (!metafile.Get()) throw InvalidPicture(kInvalidMetafileMessage);
  if (!stated) {
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(metafile.Get(), sizeof header, &header)) {
      throw InvalidPicture(kInvalidMetafileMessage);
    }
    const RECTL& drawn = header.rclBounds;
    frame = MeasuredFrame(std::int64_t{drawn.right} - drawn.left + 1,
                          std::int64_t{drawn.bottom} - drawn.top + 1, dpi.width, dpi.height);
  }
  return std::make_unique<MetafilePicture>(std::move(metafile), frame.width, frame.height);
}

}  // namespace zarumo
