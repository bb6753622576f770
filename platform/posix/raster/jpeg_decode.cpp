// JPEG through libjpeg as 8-bit RGB. For a small box the library scales the blocks down
// itself (by up to 8), and only every few of its rows and columns are kept after that.
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <new>
#include <vector>

#include "platform/posix/raster/row_sampling.h"
#include "platform/raster/library_decode.h"

namespace platform {

namespace {

constexpr int k_largestBlockScale = 8;

struct JpegFailure {
  jpeg_error_mgr manager;  // first: libjpeg sees only this part
  std::jmp_buf jump;
};

// Errors jump back to ReadJpeg's setjmp; nothing is printed.
void Fail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1); }
void Quiet(j_common_ptr) {}

// The block scale the library can do itself: the largest power of two up to 8 within the
// reduction the box allows.
int BlockScale(int factor) {
  int scale = 1;
  while (scale * 2 <= std::min(factor, k_largestBlockScale)) scale *= 2;
  return scale;
}

// Only objects without destructors live in this frame: a failure inside libjpeg jumps
// back to the setjmp. The row buffer is the caller's.
int ReadJpeg(jpeg_decompress_struct* jpeg, JpegFailure* failure, int boxWidth, int boxHeight,
             std::vector<unsigned char>* row, RgbPicture* picture) {
  if (setjmp(failure->jump)) return k_ERROR_INVALID_DATA;
  jpeg_read_header(jpeg, TRUE);
  int fileWidth = static_cast<int>(jpeg->image_width), fileHeight = static_cast<int>(jpeg->image_height);
  if (fileWidth <= 0 || fileHeight <= 0) return k_ERROR_INVALID_DATA;
  jpeg->out_color_space = JCS_RGB;
  jpeg->scale_num = 1;
  jpeg->scale_denom = static_cast<unsigned>(BlockScale(ReductionFactor(fileWidth, fileHeight, boxWidth, boxHeight)));
  jpeg_start_decompress(jpeg);
  int width = static_cast<int>(jpeg->output_width), height = static_cast<int>(jpeg->output_height);
  if (width <= 0 || height <= 0 || jpeg->output_components != 3) return k_ERROR_INVALID_DATA;
  RowSampler sampler(fileWidth, fileHeight, width, height, ReductionFactor(width, height, boxWidth, boxHeight));
  if (int error = sampler.Start(picture)) return error;
  JSAMPROW line = (row->resize(static_cast<std::size_t>(width) * 3), row->data());
  for (int y = 0; y <= sampler.LastWanted(); ++y) {
    if (jpeg_read_scanlines(jpeg, &line, 1) != 1) return k_ERROR_INVALID_DATA;
    if (sampler.Wanted(y)) sampler.Keep(y, line, picture);
  }
  return 0;
}

}  // namespace

int JpegDecode(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight, RgbPicture* picture) {
  jpeg_decompress_struct jpeg;
  JpegFailure failure;
  std::vector<unsigned char> row;
  jpeg.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = Fail;
  failure.manager.output_message = Quiet;
  if (setjmp(failure.jump)) return k_ERROR_NOT_ENOUGH_MEMORY;  // the decoder could not be made
  jpeg_create_decompress(&jpeg);
  jpeg_mem_src(&jpeg, bytes, static_cast<unsigned long>(size));
  int error = 0;
  try {
    error = ReadJpeg(&jpeg, &failure, boxWidth, boxHeight, &row, picture);
  } catch (const std::bad_alloc&) {
    error = k_ERROR_NOT_ENOUGH_MEMORY;
  }
  jpeg_destroy_decompress(&jpeg);
  return error;
}

}  // namespace platform
