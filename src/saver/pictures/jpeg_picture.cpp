#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"
#include "saver/pictures/jpeg_decoder.h"
#include "saver/pictures/picture_readers.h"

namespace zarumo {

namespace {

class JpegPicture : public Picture {
 public:
  JpegPicture(FileBytes bytes, const JpegHeader& header)
      : bytes_(std::move(bytes)), header_(header) {}

  int Width() const override { return header_.width; }
  int Height() const override { return header_.height; }

  void Draw(HDC target, int x, int y) override {
    if (!decoded_ && !failed_) Decode();
    if (decoded_) decoded_->Draw(target, x, y);
  }

 private:
  // A picture that failed once stays failed and draws nothing, so that the
  // many repaints of a window do not report the same failure again.
  void Decode() {
    failed_ = true;
    const FileBytes bytes = std::move(bytes_);  // needed no more, whatever happens
    const bool grey = header_.greyscale;
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = header_.width;
    info.header.biHeight = header_.height;  // rows from the bottom up
    info.header.biPlanes = 1;
    info.header.biBitCount = grey ? 8 : 24;
    info.header.biCompression = BI_RGB;
    void* bits = nullptr;
    SetLastError(0);
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (!bitmap || !bits) {
      OwnedBitmap refused(bitmap);
      RaiseLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    auto picture = std::make_unique<BitmapPicture>(bitmap);

    const std::ptrdiff_t stride =
        (static_cast<std::ptrdiff_t>(header_.width) * info.header.biBitCount + 31) / 32 * 4;
    JpegTarget target;
    target.header = header_;
    target.topRow = static_cast<std::uint8_t*>(bits) + (header_.height - 1) * stride;
    target.rowStep = -stride;
    JpegGreys greys;
    DecodeJpeg(bytes.data(), bytes.size(), target, greys);
    if (grey) {
      for (int i = 0; i < greys.count; ++i) {
        info.colours[i] = RGBQUAD{greys.level[i], greys.level[i], greys.level[i], 0};
      }
      SetDIBColorTable(picture->Dc(), 0, static_cast<UINT>(greys.count), info.colours);
    }
    decoded_ = std::move(picture);
    failed_ = false;
  }

  FileBytes bytes_;
  JpegHeader header_;
  std::unique_ptr<BitmapPicture> decoded_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<Picture> ReadJpegPicture(FileBytes bytes) {
  const JpegHeader header = ReadJpegHeader(bytes.data(), bytes.size());
  return std::make_unique<JpegPicture>(std::move(bytes), header);
}

}  // namespace zarumo
