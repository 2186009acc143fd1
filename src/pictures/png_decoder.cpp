// PNG through libpng.
#include "pictures/png_decoder.h"

#include <csetjmp>
#include <cstring>

#include <png.h>

#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {

const char kInvalidPngMessage[] = "PNG イメージが不正です";

namespace {

// Chunks that change nothing of what is shown; dropped unread, so that their
// compressed texts and profiles cost nothing. tRNS, gAMA and sRGB are kept.
const png_byte kIgnoredChunks[] =
    "bKGD\0cHRM\0eXIf\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0tEXt\0tIME\0zTXt";
constexpr int kIgnoredChunkCount = sizeof kIgnoredChunks / 5;
// What one ancillary chunk may ask the library to hold.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

// The library reports errors through OnError, which must not return: it jumps
// back to the frame that set `jump`. That frame and the library's own hold no
// objects with destructors, so nothing is skipped on the way.
struct Guard {
  std::jmp_buf jump;
  const std::uint8_t* data;
  std::size_t size;
  std::size_t read = 0;
};

void OnError(png_structp png, png_const_charp) {
  std::longjmp(static_cast<Guard*>(png_get_error_ptr(png))->jump, 1);
}
void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep out, std::size_t length) {
  auto* guard = static_cast<Guard*>(png_get_io_ptr(png));
  if (length > guard->size - guard->read) png_error(png, "truncated");
  std::memcpy(out, guard->data + guard->read, length);
  guard->read += length;
}

struct DecodeRequest {
  PngHeader header;                     // as read
  const PngHeader* expected = nullptr;  // what the rows were made for
  int rows = 0;
  std::uint8_t* topRow = nullptr;
  std::ptrdiff_t rowStep = 0;
};

using DecoderTask = void (*)(png_structp png, png_infop info, DecodeRequest& request);

void ReadHeaderTask(png_structp png, png_infop info, DecodeRequest& request) {
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (std::uint64_t{width} * height * 4 > kMaxBitmapBytes) png_error(png, "too big");
  request.header.width = static_cast<int>(width);
  request.header.height = static_cast<int>(height);
  request.header.interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  request.header.transparent = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                               png_get_valid(png, info, PNG_INFO_tRNS) != 0;
}

void DecodeRowsTask(png_structp png, png_infop info, DecodeRequest& request) {
  ReadHeaderTask(png, info, request);
  const PngHeader& wanted = *request.expected;
  if (wanted.width != request.header.width || wanted.height != request.header.height ||
      wanted.interlaced != request.header.interlaced) {
    png_error(png, "another picture");
  }
  png_set_expand(png);  // palettes, low depths and tRNS become RGB(A) of 8 or 16 bits
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xff, PNG_FILLER_AFTER);  // only where there is no alpha
  // A file that names its gamma is shown as on an sRGB display; one that
  // does not is taken as made for one.
  png_fixed_point fileGamma = 0;
  if (png_get_gAMA_fixed(png, info, &fileGamma) && fileGamma > 0) {
    png_set_gamma_fixed(png, PNG_DEFAULT_sRGB, fileGamma);
  }
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(wanted.width) * 4) {
    png_error(png, "unexpected row layout");
  }
  const int rows = passes > 1 ? wanted.height : request.rows;
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < rows; ++y) png_read_row(png, request.topRow + y * request.rowStep, nullptr);
  }
  // What follows the last row is read only when the rows reach it.
  if (rows == wanted.height) png_read_end(png, nullptr);
}

// Runs `task` on a fresh reader over the bytes; false after a library error.
bool RunGuarded(DecoderTask task, Guard& guard, DecodeRequest& request) {
  // Created with the library's own error handling: ours jumps to `guard`,
  // which is set only below.
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(guard.jump)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_error_fn(png, &guard, OnError, OnWarning);
  png_set_read_fn(png, &guard, OnRead);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
  task(png, info, request);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void Run(DecoderTask task, const std::uint8_t* data, std::size_t size, DecodeRequest& request) {
  Guard guard;
  guard.data = data;
  guard.size = size;
  if (!RunGuarded(task, guard, request)) throw InvalidPicture(kInvalidPngMessage);
}

}  // namespace

PngHeader ReadPngHeader(const std::uint8_t* data, std::size_t size) {
  DecodeRequest request;
  Run(ReadHeaderTask, data, size, request);
  return request.header;
}

void DecodePng(const std::uint8_t* data, std::size_t size, const PngHeader& header, int rows,
               std::uint8_t* topRow, std::ptrdiff_t rowStep) {
  if (rows < 0 || rows > header.height) throw InvalidPicture(kInvalidPngMessage);
  DecodeRequest request;
  request.expected = &header;
  request.rows = rows;
  request.topRow = topRow;
  request.rowStep = rowStep;
  Run(DecodeRowsTask, data, size, request);
}

}  // namespace zarumo
