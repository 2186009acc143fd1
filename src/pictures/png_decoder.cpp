// PNG through libpng.
#include "pictures/png_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

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
  int first = 0;                        // the row at `topRow`: where an earlier read stopped
  int rows = 0;                         // read up to
  int passes = 1;
  std::uint8_t* topRow = nullptr;
  std::ptrdiff_t rowStep = 0;
  // Reduced decodes: the rows are read into `scratch` (one row, or all of an
  // interlaced file) and summed into `sums`, four for each reduced pixel.
  int factor = 1;
  std::uint8_t* scratch = nullptr;
  std::uint64_t* sums = nullptr;
};

// Where row y is read to.
std::uint8_t* RowOf(const DecodeRequest& request, int y, bool interlaced) {
  if (request.factor == 1) return request.topRow + (y - request.first) * request.rowStep;
  const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(request.expected->width) * 4;
  return request.scratch + (interlaced ? y * rowBytes : 0);
}

// Adds row y to the sums of its band of reduced pixels, colours weighted by
// their opacity; the band's last row writes the band out.
void Reduce(const DecodeRequest& request, int y, const std::uint8_t* row) {
  const int factor = request.factor;
  const int width = request.expected->width;
  for (int x = 0; x < width; ++x, row += 4) {
    std::uint64_t* sum = request.sums + (x / factor) * 4;
    for (int c = 0; c < 3; ++c) sum[c] += std::uint32_t{row[c]} * row[3];
    sum[3] += row[3];
  }
  if ((y + 1) % factor != 0 && y + 1 != request.expected->height) return;
  const int bandRows = y % factor + 1;
  std::uint8_t* out = request.topRow + (y / factor) * request.rowStep;
  for (int left = 0; left < width; left += factor, out += 4) {
    std::uint64_t* sum = request.sums + (left / factor) * 4;
    const std::uint64_t count =
        static_cast<std::uint64_t>(std::min(factor, width - left)) * bandRows;
    for (int c = 0; c < 3; ++c) {
      out[c] = static_cast<std::uint8_t>(sum[3] ? (sum[c] + sum[3] / 2) / sum[3] : 0);
    }
    out[3] = static_cast<std::uint8_t>((sum[3] + count / 2) / count);
    std::fill(sum, sum + 4, 0);
  }
}

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

// Reads up to the first row and sets the transformations.
void StartRowsTask(png_structp png, png_infop info, DecodeRequest& request) {
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
  request.passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(wanted.width) * 4) {
    png_error(png, "unexpected row layout");
  }
}

// Reads on from row `first` to `rows` (all of an interlaced file's passes).
void ReadRowsTask(png_structp png, png_infop, DecodeRequest& request) {
  const PngHeader& wanted = *request.expected;
  const bool interlaced = request.passes > 1;
  const int rows = interlaced ? wanted.height : request.rows;
  for (int pass = 0; pass < request.passes; ++pass) {
    for (int y = request.first; y < rows; ++y) {
      png_read_row(png, RowOf(request, y, interlaced), nullptr);
      if (request.factor > 1 && !interlaced) Reduce(request, y, RowOf(request, y, false));
    }
  }
  if (request.factor > 1 && interlaced) {
    for (int y = 0; y < rows; ++y) Reduce(request, y, RowOf(request, y, true));
  }
  // What follows the last row is read only when the rows reach it.
  if (rows == wanted.height) png_read_end(png, nullptr);
}

void DecodeRowsTask(png_structp png, png_infop info, DecodeRequest& request) {
  StartRowsTask(png, info, request);
  ReadRowsTask(png, info, request);
}

}  // namespace

// The library's reader over the bytes, destroyed with it.
struct PngRowReader::State {
  Guard guard;
  png_structp png = nullptr;
  png_infop info = nullptr;
  DecodeRequest request;

  State(const std::uint8_t* data, std::size_t size) {
    guard.data = data;
    guard.size = size;
    // Created with the library's own error handling: ours jumps to `guard`,
    // which is set only when a task runs.
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png) info = png_create_info_struct(png);
    if (!info) return;
    png_set_error_fn(png, &guard, OnError, OnWarning);
    png_set_read_fn(png, &guard, OnRead);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
  }
  ~State() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
  State(const State&) = delete;
  State& operator=(const State&) = delete;
};

namespace {

using State = PngRowReader::State;

// Runs `task`; false after a library error, after which the reader can do
// nothing more. No object with a destructor lies between here and the jump.
bool RunGuarded(DecoderTask task, State& state) {
  if (!state.info) return false;
  if (setjmp(state.guard.jump)) return false;
  task(state.png, state.info, state.request);
  return true;
}

void Run(DecoderTask task, const std::uint8_t* data, std::size_t size, DecodeRequest& request) {
  State state(data, size);
  state.request = request;
  if (!RunGuarded(task, state)) throw InvalidPicture(kInvalidPngMessage);
  request = state.request;
}

}  // namespace

int CoveringPngFactor(const PngHeader& header, int width, int height) {
  if (width < 1 || height < 1) return 1;
  return std::max(1, std::min(header.width / width, header.height / height));
}

Size ReducedPng(const PngHeader& header, int factor) {
  return {(header.width + factor - 1) / factor, (header.height + factor - 1) / factor};
}

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

void DecodeReducedPng(const std::uint8_t* data, std::size_t size, const PngHeader& header,
                      int factor, std::uint8_t* topRow, std::ptrdiff_t rowStep) {
  if (factor < 1) throw InvalidPicture(kInvalidPngMessage);
  const std::size_t rowBytes = static_cast<std::size_t>(header.width) * 4;
  // Outside the library's reach: a jump out of it would leave them behind.
  std::vector<std::uint8_t> scratch(rowBytes * (header.interlaced ? header.height : 1));
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(ReducedPng(header, factor).width) * 4);
  DecodeRequest request;
  request.expected = &header;
  request.rows = header.height;
  request.topRow = topRow;
  request.rowStep = rowStep;
  request.factor = factor;
  request.scratch = scratch.data();
  request.sums = sums.data();
  Run(DecodeRowsTask, data, size, request);
}

PngRowReader::PngRowReader(const std::uint8_t* data, std::size_t size, const PngHeader& header)
    : header_(header), state_(std::make_unique<State>(data, size)) {
  state_->request.expected = &header_;
  if (!RunGuarded(StartRowsTask, *state_) || state_->request.passes > 1) {
    state_.reset();
    throw InvalidPicture(kInvalidPngMessage);
  }
}

PngRowReader::~PngRowReader() = default;

void PngRowReader::ReadOn(int rows, std::uint8_t* topRow, std::ptrdiff_t rowStep) {
  if (!state_ || rows < rowsRead_ || rows > header_.height) {
    throw InvalidPicture(kInvalidPngMessage);
  }
  DecodeRequest& request = state_->request;
  request.first = rowsRead_;
  request.rows = rows;
  request.topRow = topRow;
  request.rowStep = rowStep;
  if (!RunGuarded(ReadRowsTask, *state_)) {
    state_.reset();
    throw InvalidPicture(kInvalidPngMessage);
  }
  rowsRead_ = rows;
}

}  // namespace zarumo
