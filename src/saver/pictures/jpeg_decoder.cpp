#include "saver/pictures/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "system/failure.h"
#include "text/message_text.h"
#include "saver/pictures/picture_limits.h"

namespace zarumo {

namespace {

constexpr int kGreyLevels = 236;
// Each scan of a progressive picture walks all of its blocks: a file made of
// nothing but tiny scans would keep the decoder busy for hours.
constexpr int kMaxScans = 1000;

// The library reports errors by calling error_exit, which must not return:
// it jumps back to the frame that set `jump`. That frame and the library's
// own hold no objects with destructors, so nothing is skipped on the way.
struct ErrorHook {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

struct ScanLimit {
  jpeg_progress_mgr manager;
};

void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorHook*>(info->err)->jump, 1); }
// Warnings and trace messages are ignored.
void OnMessage(j_common_ptr, int) {}
void OnOutput(j_common_ptr) {}

void OnProgress(j_common_ptr info) {
  if (info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    ERREXIT(info, JERR_BAD_PROGRESSION);
  }
}

struct Job {
  const std::uint8_t* data;
  std::size_t size;
  JpegHeader header;
  const JpegTarget* target;
  JpegGreys* greys;
};

using Steps = void (*)(j_decompress_ptr info, Job& job);

void ReadHeaderSteps(j_decompress_ptr info, Job& job) {
  jpeg_read_header(info, TRUE);
  if (static_cast<std::uint64_t>(info->image_width) * info->image_height > kMaxPicturePixels) {
    ERREXIT1(info, JERR_IMAGE_TOO_BIG, static_cast<unsigned>(kMaxPicturePixels));
  }
  job.header.width = static_cast<int>(info->image_width);
  job.header.height = static_cast<int>(info->image_height);
  job.header.greyscale = info->jpeg_color_space == JCS_GRAYSCALE;
}

void DecodeSteps(j_decompress_ptr info, Job& job) {
  ReadHeaderSteps(info, job);
  const JpegHeader& wanted = job.target->header;
  if (job.header.width != wanted.width || job.header.height != wanted.height ||
      job.header.greyscale != wanted.greyscale) {
    ERREXIT(info, JERR_BAD_DCTSIZE);  // not the picture the buffer was made for
  }
  info->scale_num = 1;
  info->scale_denom = 1;
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
  if (static_cast<int>(info->output_width) != wanted.width ||
      static_cast<int>(info->output_height) != wanted.height ||
      info->output_components != components) {
    ERREXIT(info, JERR_BAD_DCTSIZE);
  }
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = job.target->topRow +
                   static_cast<std::ptrdiff_t>(info->output_scanline) * job.target->rowStep;
    // A memory source never suspends; no progress would mean a loop forever.
    if (jpeg_read_scanlines(info, &row, 1) != 1) ERREXIT(info, JERR_INPUT_EOF);
  }
  if (wanted.greyscale) {
    const int count = info->actual_number_of_colors;
    if (!info->colormap || count < 1 || count > 256) ERREXIT(info, JERR_QUANT_COMPONENTS);
    job.greys->count = count;
    std::memcpy(job.greys->level, info->colormap[0], static_cast<std::size_t>(count));
  }
  jpeg_finish_decompress(info);
}

// Runs `steps` on a fresh decompressor over the bytes; 0, or the message code
// of the library's error.
int RunGuarded(Steps steps, Job& job) {
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
  limit.manager.progress_monitor = OnProgress;
  info.progress = &limit.manager;
  jpeg_mem_src(&info, job.data, static_cast<unsigned long>(job.size));
  steps(&info, job);
  jpeg_destroy_decompress(&info);
  return 0;
}

void Run(Steps steps, Job& job) {
  // The library counts input in unsigned long; the file limit keeps within it.
  if (job.size > kMaxPictureFileBytes) throw InvalidPicture(JpegTooBigMessage());
  const int code = RunGuarded(steps, job);
  if (code) throw InvalidPicture(JpegErrorMessage(code));
}

}  // namespace

std::string JpegErrorMessage(int code) { return Format("JPEG エラー #%d", code); }

std::string JpegTooBigMessage() { return JpegErrorMessage(JERR_IMAGE_TOO_BIG); }

JpegHeader ReadJpegHeader(const std::uint8_t* data, std::size_t size) {
  Job job{data, size, {}, nullptr, nullptr};
  Run(ReadHeaderSteps, job);
  return job.header;
}

void DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegTarget& target,
                JpegGreys& greys) {
  Job job{data, size, {}, &target, &greys};
  Run(DecodeSteps, job);
}

}  // namespace zarumo
