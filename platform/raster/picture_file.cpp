#include "platform/picture_file.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "platform/file.h"
#include "platform/raster/bmp_reader.h"
#include "platform/raster/library_decode.h"
#include "platform/system_error.h"

namespace platform {

namespace {

constexpr unsigned char k_pngSignature[] = {0x89, 'P', 'N', 'G'};
constexpr unsigned char k_jpegSignature[] = {0xFF, 0xD8, 0xFF};

bool StartsWith(const unsigned char* bytes, std::size_t size, const unsigned char* sig, std::size_t n) {
  return size >= n && std::memcmp(bytes, sig, n) == 0;
}

int ReadBytes(const std::string& path, std::vector<unsigned char>* bytes) {
  FileHandle file = FileOpen(path, FileAccess::Read);
  if (file == k_invalidFile) return LastSystemError();
  std::int64_t size = FileSizeOf(file);
  int error = size < 0 ? LastSystemError() : 0;
  if (error == 0 && size > INT32_MAX) error = k_ERROR_NOT_ENOUGH_MEMORY;
  if (error == 0) {
    bytes->resize(static_cast<std::size_t>(size));
    std::int32_t n = static_cast<std::int32_t>(size);
    if (FileRead(file, bytes->data(), n) != n) error = k_ERROR_READ_FAULT;
  }
  FileClose(file);
  return error;
}

}  // namespace

int PictureDecode(const unsigned char* bytes, std::size_t size, RgbPicture* picture) {
  return PictureDecodeForBox(bytes, size, 0, 0, picture);
}

int PictureDecodeForBox(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight,
                        RgbPicture* picture) {
  try {
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return BmpDecode(bytes, size, picture);
    if (StartsWith(bytes, size, k_pngSignature, sizeof k_pngSignature))
      return PngDecode(bytes, size, boxWidth, boxHeight, picture);
    if (StartsWith(bytes, size, k_jpegSignature, sizeof k_jpegSignature))
      return JpegDecode(bytes, size, boxWidth, boxHeight, picture);
    return k_ERROR_INVALID_DATA;
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
}

int PictureFileBytes(const std::string& path, std::vector<unsigned char>* bytes) {
  try {
    return ReadBytes(path, bytes);
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
}

int PictureFileReadForBox(const std::string& path, int boxWidth, int boxHeight, RgbPicture* picture) {
  FileHandle file = FileOpen(path, FileAccess::Read);
  if (file == k_invalidFile) return LastSystemError();
  static const unsigned char k_signature[k_pngSignatureSize] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[k_pngSignatureSize];
  std::int32_t n = FileRead(file, head, sizeof head);
  if (n == static_cast<std::int32_t>(sizeof head) && std::memcmp(head, k_signature, sizeof head) == 0) {
    int error = PngDecodeFile(file, boxWidth, boxHeight, picture);  // a PNG streams from the file
    FileClose(file);
    return error;
  }
  FileClose(file);
  std::vector<unsigned char> bytes;
  int error = n < 0 ? k_ERROR_READ_FAULT : PictureFileBytes(path, &bytes);
  return error != 0 ? error : PictureDecodeForBox(bytes.data(), bytes.size(), boxWidth, boxHeight, picture);
}

int PictureFileRead(const std::string& path, RgbPicture* picture) {
  std::vector<unsigned char> bytes;
  int error = PictureFileBytes(path, &bytes);
  return error != 0 ? error : PictureDecode(bytes.data(), bytes.size(), picture);
}

}  // namespace platform
