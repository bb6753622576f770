// Keeping every factor-th row and column of a picture decoded row by row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "platform/raster.h"
#include "platform/raster/bmp_reader.h"
#include "platform/system_error.h"

namespace platform {

class RowSampler {
 public:
  // A picture of fileWidth x fileHeight (after any scaling the decoder did itself: width x
  // height) whose every factor-th row and column is kept.
  RowSampler(int fileWidth, int fileHeight, int width, int height, int factor)
      : fileWidth_(fileWidth), fileHeight_(fileHeight), width_(width), height_(height), factor_(factor) {}

  // Sizes the picture; k_ERROR_NOT_ENOUGH_MEMORY past the largest picture held.
  int Start(RgbPicture* picture) const {
    std::size_t w = static_cast<std::size_t>(KeptWidth()), h = static_cast<std::size_t>(KeptHeight());
    if (w > k_maxPicturePixels / h) return k_ERROR_NOT_ENOUGH_MEMORY;
    picture->pixels.resize(w * h);
    picture->width = KeptWidth();
    picture->height = KeptHeight();
    picture->fileWidth = fileWidth_;
    picture->fileHeight = fileHeight_;
    return 0;
  }
  // Row y wanted? Rows come in order; the last wanted one ends the reading early.
  bool Wanted(int y) const { return y % factor_ == 0; }
  int LastWanted() const { return (KeptHeight() - 1) * factor_; }
  // Keeps the columns of row y (8-bit RGB, width pixels).
  void Keep(int y, const unsigned char* rgb, RgbPicture* picture) const {
    std::uint32_t* out = picture->pixels.data() + static_cast<std::size_t>(y / factor_) * KeptWidth();
    for (int x = 0, kept = KeptWidth(); x < kept; ++x) {
      const unsigned char* p = rgb + static_cast<std::size_t>(x) * factor_ * 3;
      out[x] = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
    }
  }

 private:
  int KeptWidth() const { return (width_ + factor_ - 1) / factor_; }
  int KeptHeight() const { return (height_ + factor_ - 1) / factor_; }

  int fileWidth_, fileHeight_, width_, height_, factor_;
};

}  // namespace platform
