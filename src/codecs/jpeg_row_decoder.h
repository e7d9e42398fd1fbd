// Row-by-row JPEG decoding, for callers that take the photo a band at a time and never need
// it whole: the decoded rows go straight to where the caller wants them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "codecs/photo_reader.h"
#include "codecs/picture_source.h"

namespace lumabord {

class JpegRowDecoder final : public PhotoReader {
 public:
  // Reads the header and starts decoding, with the checks and messages of readJpeg. bytes
  // must outlive the decoder.
  JpegRowDecoder(std::span<const uint8_t> bytes, const PictureSource& source);
  ~JpegRowDecoder() override;

  int width() const override { return width_; }
  int height() const override { return height_; }
  void readRows(uint8_t* const* rows, int count) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace lumabord
