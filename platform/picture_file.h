// Reading a picture file: BMP (our own reader), PNG and JPEG decoded; enhanced metafiles
// checked and kept whole for the platform to play.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/raster.h"

namespace platform {

// Decodes the bytes of a BMP, PNG or JPEG file (recognised by their signature).
// k_ERROR_INVALID_DATA for anything else, or a damaged or empty picture;
// k_ERROR_NOT_ENOUGH_MEMORY for one too large to hold.
int PictureDecode(const unsigned char* bytes, std::size_t size, RgbPicture* picture);
// The same for a picture that will be drawn no larger than boxWidth x boxHeight: a large
// PNG or JPEG may come back reduced by a whole factor (never below the box), its file size
// kept in fileWidth x fileHeight. Where the platform has no reduced decoding (win32, BMP),
// the whole picture.
int PictureDecodeForBox(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight,
                        RgbPicture* picture);
// Reads and decodes a file: the file's own error (k_ERROR_FILE_NOT_FOUND ...) when it
// cannot be read, else as PictureDecode.
int PictureFileRead(const std::string& path, RgbPicture* picture);

// Reads and decodes a file as PictureDecodeForBox does; a PNG is decoded as it is read
// (on posix), so it is never held whole. k_ERROR_INVALID_DATA for what is no BMP, PNG or
// JPEG (a metafile among them: see MetafileDecode).
int PictureFileReadForBox(const std::string& path, int boxWidth, int boxHeight, RgbPicture* picture);

// The whole bytes of a picture file: the file's own error when it cannot be read,
// k_ERROR_NOT_ENOUGH_MEMORY past 2 GB.
int PictureFileBytes(const std::string& path, std::vector<unsigned char>* bytes);
// Whether the bytes start with an enhanced metafile's header record (type 1, " EMF").
bool IsMetafile(const unsigned char* bytes, std::size_t size);
// Checks the header (its record inside the bytes, the stated file size not past them)
// and keeps the bytes; the size comes from the bounds rectangle (negative sides are 0).
// k_ERROR_INVALID_DATA for anything else.
int MetafileDecode(const unsigned char* bytes, std::size_t size, Metafile* metafile);

}  // namespace platform
