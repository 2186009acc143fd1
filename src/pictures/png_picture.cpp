// A PNG picture: its bytes kept from the load, and the rows from the top down
// to the lowest one shown decoded, a later drawing that shows more reading on
// from there, so that a picture of many megapixels costs in the saver only
// what its window shows.
#include <windows.h>

#include <cstring>

#include "pictures/bgra_picture.h"
#include "pictures/picture_readers.h"
#include "pictures/png_decoder.h"
#include "pictures/visible_part.h"
#include "system/failure.h"

namespace zarumo {

namespace {

class PngPicture : public Picture {
 public:
  PngPicture(FileBytes bytes, const PngHeader& header)
      : bytes_(std::move(bytes)), header_(header) {}

  int Width() const override { return header_.width; }
  int Height() const override { return header_.height; }

  SIZE ReducedSize(int width, int height) const override {
    const Size reduced = ReducedPng(header_, CoveringPngFactor(header_, width, height));
    return {reduced.width, reduced.height};
  }

  // As the previews draw: only a row of the picture is held at a time.
  void DrawReduced(HDC target, int x, int y, int width, int height) override {
    if (failed_) return;
    const int factor = CoveringPngFactor(header_, width, height);
    if (factor == 1) return Draw(target, x, y);
    std::unique_ptr<BgraPicture> reduced;
    try {
      const Size size = ReducedPng(header_, factor);
      reduced = std::make_unique<BgraPicture>(size.width, size.height, header_.transparent,
                                              kInvalidPngMessage);
      DecodeReducedPng(bytes_.data(), bytes_.size(), header_, factor, reduced->TopRow(),
                       reduced->RowStep());
    } catch (...) {
      Fail();
      throw;
    }
    reduced->Draw(target, x, y);
  }

  void Draw(HDC target, int x, int y) override {
    if (failed_) return;
    const Rect needed = VisiblePart(target, x, y, Width(), Height());
    if (needed.Empty()) return;
    // Interlaced rows are spread over the whole file.
    const int rows = header_.interlaced ? Height() : needed.Bottom();
    if (rows > decodedRows_ && !extendFailed_) Extend(rows);
    if (decoded_) decoded_->Draw(target, x, y);
  }

 private:
  void Extend(int rows) {
    try {
      auto decoded =
          std::make_unique<BgraPicture>(Width(), rows, header_.transparent, kInvalidPngMessage);
      if (header_.interlaced) {
        DecodePng(bytes_.data(), bytes_.size(), header_, rows, decoded->TopRow(),
                  decoded->RowStep());
      } else {
        // The rows read before are kept; the reader goes on below them.
        if (!reader_)
          reader_ = std::make_unique<PngRowReader>(bytes_.data(), bytes_.size(), header_);
        const std::ptrdiff_t kept = decodedRows_ * decoded->RowStep();
        if (decoded_) std::memcpy(decoded->TopRow(), decoded_->TopRow(), kept);
        reader_->ReadOn(rows, decoded->TopRow() + kept, decoded->RowStep());
      }
      decoded_ = std::move(decoded);
      decodedRows_ = rows;
    } catch (const InvalidPicture&) {
      // Damage further down than an earlier drawing reached: what that
      // drawing showed stays, and nothing more is tried.
      extendFailed_ = true;
      if (decoded_) return;
      Fail();
      throw;
    } catch (...) {
      extendFailed_ = true;
      if (!decoded_) Fail();
      throw;
    }
  }

  // A picture that failed once stays failed and draws nothing, so that the
  // many repaints of a window do not report the same failure again.
  void Fail() {
    failed_ = true;
    reader_.reset();
    FileBytes().swap(bytes_);
  }

  FileBytes bytes_;
  PngHeader header_;
  std::unique_ptr<PngRowReader> reader_;  // reads from bytes_
  std::unique_ptr<BgraPicture> decoded_;  // rows 0 to decodedRows_ - 1
  int decodedRows_ = 0;
  bool failed_ = false;
  bool extendFailed_ = false;
};

}  // namespace

std::unique_ptr<Picture> ReadPngPicture(FileBytes bytes) {
  const PngHeader header = ReadPngHeader(bytes.data(), bytes.size());
  return std::make_unique<PngPicture>(std::move(bytes), header);
}

}  // namespace zarumo
