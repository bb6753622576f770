// PNG through libpng, row by row as 8-bit RGB (palettes, greys, 16 bits and alpha
// brought to it), keeping only the rows and columns the box needs.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include "platform/posix/raster/row_sampling.h"
#include "platform/file.h"
#include "platform/raster/library_decode.h"

namespace platform {

namespace {

// Where libpng's bytes come from: memory, or a file read through a buffer.
struct PngSource {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t at;
  FileHandle file;
  std::vector<unsigned char>* buffer;  // the file's bytes read ahead: bytes[at ... size)
};

constexpr std::int32_t k_readAhead = 1 << 16;

// Refills a file source's buffer; false at the end of the file or on an error.
bool Refill(PngSource* source) {
  std::int32_t n = FileRead(source->file, source->buffer->data(), k_readAhead);
  if (n <= 0) return false;
  source->bytes = source->buffer->data(), source->size = static_cast<std::size_t>(n), source->at = 0;
  return true;
}

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  while (count > 0) {
    if (source->at == source->size && (source->file == k_invalidFile || !Refill(source))) png_error(png, "truncated");
    std::size_t n = std::min(count, source->size - source->at);
    std::memcpy(out, source->bytes + source->at, n);
    source->at += n, out += n, count -= n;
  }
}

// Errors jump back to ReadPng's setjmp; neither errors nor warnings are printed.
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

void ToRgb(png_structp png) {
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_gray_to_rgb(png);
}

// The rows read, and for an interlaced picture a pointer to each.
struct PngBuffers {
  std::vector<unsigned char> rows;
  std::vector<png_bytep> pointers;
};

// Only objects without destructors live in this frame: a failure inside libpng jumps
// back to the setjmp. The buffers are the caller's.
int ReadPng(png_structp png, png_infop info, int boxWidth, int boxHeight, PngBuffers* buffers, RgbPicture* picture) {
  if (setjmp(png_jmpbuf(png))) return k_ERROR_INVALID_DATA;
  png_read_info(png, info);
  int width = static_cast<int>(png_get_image_width(png, info));
  int height = static_cast<int>(png_get_image_height(png, info));
  if (width <= 0 || height <= 0) return k_ERROR_INVALID_DATA;
  ToRgb(png);
  bool interlaced = png_set_interlace_handling(png) > 1;
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 3) return k_ERROR_INVALID_DATA;
  RowSampler sampler(width, height, width, height, ReductionFactor(width, height, boxWidth, boxHeight));
  if (int error = sampler.Start(picture)) return error;
  std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  // An interlaced picture comes in passes over the whole picture: it is held whole.
  if (interlaced && static_cast<std::size_t>(width) > k_maxPicturePixels / static_cast<std::size_t>(height))
    return k_ERROR_NOT_ENOUGH_MEMORY;
  unsigned char* rows = (buffers->rows.resize(interlaced ? rowBytes * height : rowBytes), buffers->rows.data());
  if (interlaced) {
    buffers->pointers.resize(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) buffers->pointers[y] = rows + rowBytes * y;
    png_read_image(png, buffers->pointers.data());
    for (int y = 0; y <= sampler.LastWanted(); ++y)
      if (sampler.Wanted(y)) sampler.Keep(y, rows + rowBytes * y, picture);
    return 0;
  }
  for (int y = 0; y <= sampler.LastWanted(); ++y) {
    png_read_row(png, rows, nullptr);
    if (sampler.Wanted(y)) sampler.Keep(y, rows, picture);
  }
  return 0;
}

int Decode(PngSource* source, std::size_t signatureRead, int boxWidth, int boxHeight, RgbPicture* picture) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  if (png == nullptr) return k_ERROR_NOT_ENOUGH_MEMORY;
  png_infop info = png_create_info_struct(png);
  int error = k_ERROR_NOT_ENOUGH_MEMORY;
  if (info != nullptr) {
    png_set_read_fn(png, source, ReadBytes);
    png_set_sig_bytes(png, static_cast<int>(signatureRead));
    PngBuffers buffers;
    try {
      error = ReadPng(png, info, boxWidth, boxHeight, &buffers, picture);
    } catch (const std::bad_alloc&) {
      error = k_ERROR_NOT_ENOUGH_MEMORY;
    }
  }
  png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  return error;
}

}  // namespace

int PngDecode(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight, RgbPicture* picture) {
  PngSource source{bytes, size, 0, k_invalidFile, nullptr};
  return Decode(&source, 0, boxWidth, boxHeight, picture);
}

int PngDecodeFile(FileHandle file, int boxWidth, int boxHeight, RgbPicture* picture) {
  try {
    std::vector<unsigned char> buffer(k_readAhead);
    PngSource source{nullptr, 0, 0, file, &buffer};
    return Decode(&source, k_pngSignatureSize, boxWidth, boxHeight, picture);
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
}

}  // namespace platform
