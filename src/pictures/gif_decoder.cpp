// GIF through giflib.
#include "pictures/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {

const char kInvalidGifMessage[] = "GIF イメージが不正です";

namespace {

struct Source {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t read = 0;
};

// Gives what is left when less than asked for is: the library then fails.
int OnRead(GifFileType* gif, GifByteType* out, int length) {
  auto* source = static_cast<Source*>(gif->UserData);
  const std::size_t count = std::min(static_cast<std::size_t>(length), source->size - source->read);
  std::memcpy(out, source->data + source->read, count);
  source->read += count;
  return static_cast<int>(count);
}

struct CloseGif {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

[[noreturn]] void Refuse() { throw InvalidPicture(kInvalidGifMessage); }

// The file opened and read up to its first image's descriptor.
struct FirstImage {
  Source source;
  std::unique_ptr<GifFileType, CloseGif> gif;
  int transparentIndex = -1;  // from the graphic control block before the image
};

void OpenFirstImage(FirstImage& first) {
  int error = 0;
  first.gif.reset(DGifOpen(&first.source, OnRead, &error));
  GifFileType* gif = first.gif.get();
  if (!gif) Refuse();
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) Refuse();
    if (type == IMAGE_DESC_RECORD_TYPE) break;
    if (type != EXTENSION_RECORD_TYPE) Refuse();  // the end, before any image
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) Refuse();
    if (code == GRAPHICS_EXT_FUNC_CODE && block) {
      // Each graphic control block governs the image that follows it; one
      // of the wrong length says nothing, as browsers take it.
      GraphicsControlBlock control;
      first.transparentIndex = -1;
      if (DGifExtensionToGCB(block[0], block + 1, &control) != GIF_ERROR) {
        first.transparentIndex = control.TransparentColor;
      }
    }
    while (block) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) Refuse();
    }
  }
  if (DGifGetImageDesc(gif) == GIF_ERROR) Refuse();
}

GifHeader HeaderOf(const FirstImage& first) {
  const GifFileType& gif = *first.gif;
  const GifImageDesc& desc = gif.Image;
  GifHeader header;
  header.image = {desc.Left, desc.Top, desc.Width, desc.Height};
  header.width = std::max(gif.SWidth, header.image.Right());
  header.height = std::max(gif.SHeight, header.image.Bottom());
  if (header.width <= 0 || header.height <= 0 ||
      std::uint64_t(header.width) * header.height * 4 > kMaxBitmapBytes) {
    Refuse();
  }
  header.transparent =
      first.transparentIndex >= 0 || !(header.image == Rect{0, 0, header.width, header.height});
  return header;
}

}  // namespace

GifHeader ReadGifHeader(const std::uint8_t* data, std::size_t size) {
  FirstImage first{{data, size}, nullptr};
  OpenFirstImage(first);
  return HeaderOf(first);
}

void DecodeGif(const std::uint8_t* data, std::size_t size, const GifHeader& header,
               std::uint8_t* topRow, std::ptrdiff_t rowStep) {
  FirstImage first{{data, size}, nullptr};
  OpenFirstImage(first);
  const GifHeader read = HeaderOf(first);
  if (read.width != header.width || read.height != header.height || !(read.image == header.image))
    Refuse();  // not the picture the rows were made for
  for (int y = 0; y < header.height; ++y) {
    std::memset(topRow + y * rowStep, 0, static_cast<std::size_t>(header.width) * 4);
  }
  const GifFileType& gif = *first.gif;
  const ColorMapObject* map = gif.Image.ColorMap ? gif.Image.ColorMap : gif.SColorMap;
  // Without any colour table the codes are taken as grey levels.
  std::uint8_t colours[256][4];
  for (int i = 0; i < 256; ++i) {
    std::uint8_t* c = colours[i];
    if (!map) {
      c[0] = c[1] = c[2] = static_cast<std::uint8_t>(i);
    } else if (i < map->ColorCount && map->Colors) {
      c[0] = map->Colors[i].Blue;
      c[1] = map->Colors[i].Green;
      c[2] = map->Colors[i].Red;
    } else {
      c[0] = c[1] = c[2] = 0;  // beyond the table: black, as browsers show it
    }
    c[3] = i == first.transparentIndex ? 0 : 0xff;
  }

  const Rect& image = header.image;
  std::vector<GifPixelType> line(static_cast<std::size_t>(image.width));
  // Interlaced rows come as every 8th from 0, every 8th from 4, every 4th
  // from 2, and every 2nd from 1.
  static const int kStart[] = {0, 4, 2, 1};
  static const int kStep[] = {8, 8, 4, 2};
  const int passes = image.width == 0 ? 0 : gif.Image.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = passes > 1 ? kStart[pass] : 0;
    const int step = passes > 1 ? kStep[pass] : 1;
    for (int y = start; y < image.height; y += step) {
      if (DGifGetLine(first.gif.get(), line.data(), image.width) == GIF_ERROR) Refuse();
      std::uint8_t* out = topRow + (image.top + y) * rowStep + image.left * 4;
      for (int x = 0; x < image.width; ++x, out += 4) std::memcpy(out, colours[line[x]], 4);
    }
  }
}

}  // namespace zarumo
