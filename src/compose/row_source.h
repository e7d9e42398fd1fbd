// A picture handed over top to bottom, a few rows at a time, to a consumer (the resampler)
// that never needs it whole.
#pragma once

#include <cstdint>

namespace lumabord {

class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Called once before the first row: the consumer never needs more than `rows` rows at
  // once (from the last released row to the furthest row asked for).
  virtual void reserveRows(int rows) = 0;
  // Row y (3 * width bytes), y at or after the last released row; valid until the next
  // call. Throws the producer's Error when the picture could not be made.
  virtual const uint8_t* row(int y) = 0;
  // The rows before y are not asked for again.
  virtual void release(int y) = 0;
};

}  // namespace lumabord
