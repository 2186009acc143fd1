// Reading a user picture file by the kind its extension names.
#include "pictures/picture_file.h"

#include <new>

#include "pictures/bitmap_layout.h"
#include "pictures/gif_decoder.h"
#include "pictures/icon_directory.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/metafile_header.h"
#include "pictures/picture_kind.h"
#include "pictures/picture_limits.h"
#include "pictures/picture_readers.h"
#include "pictures/png_decoder.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {

namespace {

// What a file too big to be a picture of its kind is reported as.
[[noreturn]] void RaiseTooBig(PictureKind kind) {
  switch (kind) {
    case PictureKind::kBitmap:
      throw InvalidPicture(kInvalidBitmapMessage);
    case PictureKind::kJpeg:
      throw InvalidPicture(JpegTooBigMessage());
    case PictureKind::kIcon:
      throw InvalidPicture(kInvalidIconMessage);
    case PictureKind::kPng:
      throw InvalidPicture(kInvalidPngMessage);
    case PictureKind::kGif:
      throw InvalidPicture(kInvalidGifMessage);
    case PictureKind::kWinMetafile:
    case PictureKind::kEnhMetafile:
      break;
  }
  throw InvalidPicture(kInvalidMetafileMessage);
}

// The whole file, opened for reading with others kept from writing meanwhile.
FileBytes ReadWholeFile(const std::string& fileName, PictureKind kind) {
  OwnedFile file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw OpenFailure(fileName);
  DWORD high = 0;
  const DWORD low = GetFileSize(file.Get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) RaiseLastError();
  if (high != 0 || low > kMaxPictureFileBytes) RaiseTooBig(kind);

  FileBytes bytes(low);
  DWORD done = 0;
  while (done < low) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, low - done, &got, nullptr)) RaiseLastError();
    if (got == 0) throw ReadFailure();  // shorter than it was a moment ago
    done += got;
  }
  return bytes;
}

}  // namespace

std::unique_ptr<Picture> LoadPictureFile(const std::string& fileName) {
  const PictureKind kind = PictureKindOf(fileName, SystemLeadBytes(), LowerCaseBySystem);
  try {
    FileBytes bytes = ReadWholeFile(fileName, kind);
    switch (kind) {
      case PictureKind::kBitmap:
        return ReadBitmapPicture(bytes);
      case PictureKind::kJpeg:
        return ReadJpegPicture(std::move(bytes));
      case PictureKind::kIcon:
        return ReadIconPicture(bytes);
      case PictureKind::kWinMetafile:
        return ReadWinMetafilePicture(bytes);
      case PictureKind::kEnhMetafile:
        return ReadEnhMetafilePicture(bytes);
      case PictureKind::kPng:
        return ReadPngPicture(std::move(bytes));
      case PictureKind::kGif:
        return ReadGifPicture(bytes);
    }
    return std::make_unique<EmptyPicture>();
  } catch (const std::bad_alloc&) {
    throw MemoryFailure();
  }
}

}  // namespace zarumo
