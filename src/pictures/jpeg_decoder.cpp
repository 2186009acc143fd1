// JPEG through libjpeg.
#include "pictures/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "pictures/exif_orientation.h"
#include "pictures/jpeg_orientation.h"
#include "pictures/picture_limits.h"
#include "system/failure.h"
#include "text/message_text.h"

namespace zarumo {

namespace {

constexpr int kGreyLevels = 236;
// Each scan of a progressive picture walks all the blocks of its components:
// a file made of nothing but scans would keep the decoder busy for hours. The
// ten scans of a 48-megapixel photo walk some 6 million blocks, those of the
// largest picture within the memory bound some 15 million.
constexpr int kMaxScans = 1000;
constexpr std::uint64_t kMaxScanBlocks = std::uint64_t{1} << 25;

// The library reports errors by calling error_exit, which must not return:
// it jumps back to the frame that set `jump`. That frame and the library's
// own hold no objects with destructors, so nothing is skipped on the way.
struct ErrorHook {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

struct ScanLimit {
  jpeg_progress_mgr manager;
  int scansCounted = 0;
  std::uint64_t blocks = 0;  // walked by the scans counted
};

void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorHook*>(info->err)->jump, 1); }
// Warnings and trace messages are ignored.
void OnMessage(j_common_ptr, int) {}
void OnOutput(j_common_ptr) {}

void OnProgress(j_common_ptr common) {
  if (!common->is_decompressor) return;
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  auto* limit = reinterpret_cast<ScanLimit*>(common->progress);
  if (info->input_scan_number > kMaxScans) ERREXIT(info, JERR_BAD_PROGRESSION);
  if (info->input_scan_number == limit->scansCounted) return;
  limit->scansCounted = info->input_scan_number;
  for (int i = 0; i < info->comps_in_scan && i < MAX_COMPS_IN_SCAN; ++i) {
    const jpeg_component_info* component = info->cur_comp_info[i];
    if (component) {
      limit->blocks +=
          static_cast<std::uint64_t>(component->width_in_blocks) * component->height_in_blocks;
    }
  }
  if (limit->blocks > kMaxScanBlocks) ERREXIT(info, JERR_BAD_PROGRESSION);
}

struct DecodeRequest {
  const std::uint8_t* data;
  std::size_t size;
  JpegHeader header;
  const JpegTarget* target;
  JpegGreys* greys;
};

using DecompressorTask = void (*)(j_decompress_ptr info, DecodeRequest& request);

void ReadHeaderTask(j_decompress_ptr info, DecodeRequest& request) {
  jpeg_read_header(info, TRUE);
  request.header.width = static_cast<int>(info->image_width);
  request.header.height = static_cast<int>(info->image_height);
  request.header.greyscale = info->jpeg_color_space == JCS_GRAYSCALE;
  request.header.severalScans = jpeg_has_multiple_scans(info);
}

// The columns read for a part.
struct ColumnSpan {
  JDIMENSION left = 0;
  JDIMENSION width = 0;
};

// A colour picture's part is read with a margin, because the library treats
// the edges of what it decodes as edges of the picture: block smoothing looks
// two blocks to the left, and fancy upsampling takes each chroma sample's
// neighbours on both sides, which may lie one block further out. Within the
// margin the pixels differ from a whole decode; they are dropped. Rows need
// no margin: skipping keeps the upsampler's rows above, and smoothing reads
// the coefficients of the whole picture.
ColumnSpan ColourColumns(j_decompress_ptr info, const Rect& part) {
#if JPEG_LIB_VERSION >= 70
  const int blockWidth = info->min_DCT_h_scaled_size;
#else
  const int blockWidth = info->min_DCT_scaled_size;
#endif
  const int columns = info->max_h_samp_factor * blockWidth;
  const int left = std::max(0, part.left - 3 * columns);
  const int right = std::min(static_cast<int>(info->output_width), part.Right() + columns);
  return {static_cast<JDIMENSION>(left), static_cast<JDIMENSION>(right - left)};
}

void DecodePartTask(j_decompress_ptr info, DecodeRequest& request) {
  ReadHeaderTask(info, request);
  const JpegTarget& target = *request.target;
  const JpegHeader& wanted = target.header;
  if (request.header.width != wanted.width || request.header.height != wanted.height ||
      request.header.greyscale != wanted.greyscale || target.eighths < 1 ||
      target.eighths > kJpegFullScale) {
    ERREXIT(info, JERR_BAD_DCTSIZE);  // not the picture the buffer was made for
  }
  const Rect whole = ScaledJpeg(wanted, target.eighths);
  const Rect& shown = target.part;
  if (shown.Empty() || !whole.Contains(shown)) ERREXIT(info, JERR_BAD_CROP_SPEC);
  JpegHeader asStored = wanted;
  asStored.orientation = 1;
  const Rect stored = ScaledJpeg(asStored, target.eighths);
  const int orientation = wanted.orientation;
  const Rect part = StoredRect(orientation, stored.width, stored.height, shown);

  info->scale_num = static_cast<unsigned>(target.eighths);
  info->scale_denom = kJpegFullScale;
  info->dct_method = JDCT_FLOAT;
  info->do_block_smoothing = TRUE;
  if (wanted.greyscale) {
    info->out_color_space = JCS_GRAYSCALE;
    info->quantize_colors = TRUE;
    info->desired_number_of_colors = kGreyLevels;
  } else {
    info->out_color_space = JCS_EXT_BGR;
  }
  jpeg_start_decompress(info);
  const int components = wanted.greyscale ? 1 : 3;
  if (static_cast<int>(info->output_width) != stored.width ||
      static_cast<int>(info->output_height) != stored.height ||
      info->output_components != components) {
    ERREXIT(info, JERR_BAD_DCTSIZE);
  }

  // The greys are dithered with errors carried along each row and down to
  // the next, so a greyscale part is read from the top over the full width.
  ColumnSpan span;
  span.width = info->output_width;
  if (!wanted.greyscale) {
    span = ColourColumns(info, part);
    // The library moves the left edge to a block boundary and widens to suit.
    if (span.width < info->output_width) jpeg_crop_scanline(info, &span.left, &span.width);
    const JDIMENSION top = static_cast<JDIMENSION>(part.top);
    if (top > 0 && jpeg_skip_scanlines(info, top) != top) ERREXIT(info, JERR_INPUT_EOF);
  }
  if (span.left > static_cast<JDIMENSION>(part.left) ||
      span.left + span.width < static_cast<JDIMENSION>(part.Right()) ||
      info->output_width != span.width) {
    ERREXIT(info, JERR_BAD_CROP_SPEC);
  }

  // From the library's pool, which goes with the decompressor however it ends.
  JSAMPARRAY spare = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                span.width * components, 1);
  const std::size_t skipped = (part.left - span.left) * static_cast<std::size_t>(components);
  const std::size_t kept = static_cast<std::size_t>(part.width) * components;
  const bool asIs = orientation == 1;
  const bool direct = asIs && skipped == 0 && span.width == static_cast<JDIMENSION>(part.width);
  // Along a stored row the shown pixels lie one step apart.
  const Point first = ShownPoint(orientation, stored.width, stored.height, 0, 0);
  const Point next = ShownPoint(orientation, stored.width, stored.height, 1, 0);
  const std::ptrdiff_t step = (next.x - first.x) * components + (next.y - first.y) * target.rowStep;
  while (info->output_scanline < static_cast<JDIMENSION>(part.Bottom())) {
    const int y = static_cast<int>(info->output_scanline);
    const bool inPart = y >= part.top;
    JSAMPROW out = inPart && asIs ? target.topRow + (y - part.top) * target.rowStep : nullptr;
    JSAMPROW row = out && direct ? out : spare[0];
    // A memory source never suspends; no progress would mean a loop forever.
    if (jpeg_read_scanlines(info, &row, 1) != 1) ERREXIT(info, JERR_INPUT_EOF);
    if (out && !direct) std::memcpy(out, spare[0] + skipped, kept);
    if (!inPart || asIs) continue;
    const Point at = ShownPoint(orientation, stored.width, stored.height, part.left, y);
    std::ptrdiff_t to = (at.y - shown.top) * target.rowStep +
                        (at.x - shown.left) * static_cast<std::ptrdiff_t>(components);
    const std::uint8_t* from = spare[0] + skipped;
    for (int x = 0; x < part.width; ++x, from += components, to += step) {
      std::memcpy(target.topRow + to, from, static_cast<std::size_t>(components));
    }
  }
  if (wanted.greyscale) {
    const int count = info->actual_number_of_colors;
    if (!info->colormap || count < 1 || count > 256) ERREXIT(info, JERR_QUANT_COMPONENTS);
    request.greys->count = count;
    std::memcpy(request.greys->level, info->colormap[0], static_cast<std::size_t>(count));
  }
  // What follows the last row is read only when the part reaches it.
  if (part.Bottom() == stored.height) jpeg_finish_decompress(info);
}

// Runs `task` on a fresh decompressor over the bytes; 0, or the message code
// of the library's error.
int RunGuarded(DecompressorTask task, DecodeRequest& request) {
  jpeg_decompress_struct info;
  ErrorHook hook;
  ScanLimit limit;
  info.err = jpeg_std_error(&hook.manager);
  hook.manager.error_exit = OnError;
  hook.manager.emit_message = OnMessage;
  hook.manager.output_message = OnOutput;
  if (setjmp(hook.jump)) {
    jpeg_destroy_decompress(&info);
    return hook.manager.msg_code ? hook.manager.msg_code : JERR_NOTIMPL;
  }
  jpeg_create_decompress(&info);
  // Coefficients of a file of several scans are kept for the whole picture;
  // beyond the bound the library finds no backing store and fails.
  info.mem->max_memory_to_use = static_cast<long>(kMaxJpegDecoderBytes);
  limit.manager.progress_monitor = OnProgress;
  info.progress = &limit.manager;
  jpeg_mem_src(&info, request.data, static_cast<unsigned long>(request.size));
  task(&info, request);
  jpeg_destroy_decompress(&info);
  return 0;
}

void Run(DecompressorTask task, DecodeRequest& request) {
  // The library counts input in unsigned long; the file limit keeps within it.
  if (request.size > kMaxPictureFileBytes) throw InvalidPicture(JpegTooBigMessage());
  const int code = RunGuarded(task, request);
  if (code) throw InvalidPicture(JpegErrorMessage(code));
}

}  // namespace

Rect ScaledJpeg(const JpegHeader& header, int eighths) {
  auto scaled = [eighths](int side) {
    return static_cast<int>((static_cast<std::int64_t>(side) * eighths + kJpegFullScale - 1) /
                            kJpegFullScale);
  };
  const int width = scaled(header.width);
  const int height = scaled(header.height);
  return TurnsQuarter(header.orientation) ? Rect{0, 0, height, width} : Rect{0, 0, width, height};
}

int CoveringJpegScale(const JpegHeader& header, int width, int height) {
  for (int eighths = 1; eighths < kJpegFullScale; ++eighths) {
    const Rect whole = ScaledJpeg(header, eighths);
    if (whole.width >= width && whole.height >= height) return eighths;
  }
  return kJpegFullScale;
}

std::string JpegErrorMessage(int code) { return Format("JPEG エラー #%d", code); }

std::string JpegTooBigMessage() { return JpegErrorMessage(JERR_IMAGE_TOO_BIG); }

JpegHeader ReadJpegHeader(const std::uint8_t* data, std::size_t size) {
  DecodeRequest request{data, size, {}, nullptr, nullptr};
  Run(ReadHeaderTask, request);
  request.header.orientation = ReadExifOrientation(data, size);
  return request.header;
}

void DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegTarget& target,
                JpegGreys& greys) {
  DecodeRequest request{data, size, {}, &target, &greys};
  Run(DecodePartTask, request);
}

}  // namespace zarumo
