// A GIF picture: the first image on its logical screen, decoded at the load.
#include "pictures/bgra_picture.h"
#include "pictures/gif_decoder.h"
#include "pictures/picture_readers.h"

namespace zarumo {

std::unique_ptr<Picture> ReadGifPicture(const FileBytes& bytes) {
  const GifHeader header = ReadGifHeader(bytes.data(), bytes.size());
  auto picture = std::make_unique<BgraPicture>(header.width, header.height, header.transparent,
                                               kInvalidGifMessage);
  DecodeGif(bytes.data(), bytes.size(), header, picture->TopRow(), picture->RowStep());
  return picture;
}

}  // namespace zarumo
