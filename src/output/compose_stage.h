// The first stage of the batch pipeline: a worker thread that opens the photos in queue
// order and decodes each a band of rows at a time into its place in a ring of rows of the
// framed picture; the caller paints the frame around the rows as it takes them, resamples
// them and then writes the file.
#pragma once

#include <array>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "base/image.h"
#include "base/pixel_buffer.h"
#include "compose/frame_spec.h"
#include "compose/row_source.h"
#include "output/frame_engine.h"

namespace lumabord {

class ComposeStage {
 public:
  // Starts framing photos[0], photos[1], ... with spec. With placeholder set nothing is
  // loaded and the single entry frames workPhoto as it is (a zero side becomes 800 or
  // 600, white). With keepPhoto set each photo is decoded whole into workPhoto first, so
  // that it holds the last photo afterwards, and keptIndex (when given) the index of that
  // photo. workPhoto and keptIndex belong to the stage until it is destroyed.
  ComposeStage(FrameEngine& engine, const FrameSpec& spec,
               std::vector<std::filesystem::path> photos, bool placeholder, bool keepPhoto,
               Image& workPhoto, size_t* keptIndex = nullptr);
  // Stops after the band in hand and waits for the worker.
  ~ComposeStage();
  ComposeStage(const ComposeStage&) = delete;
  ComposeStage& operator=(const ComposeStage&) = delete;

  // Waits until the framed picture of photo index (taken in order) is laid out and returns
  // its rows, which arrive as they are painted; rethrows the failure of opening or laying
  // it out. Reading a row rethrows a failure met while painting it.
  RowSource& take(size_t index);
  // What photo index carried beside its pixels; valid from take(index) to release(index).
  const PhotoTags& tags(size_t index) const { return slots_[index % 2].tags; }
  // Ends photo index: the worker stops painting it and may begin photo index + 2.
  void release(size_t index);

 private:
  // One framed picture in the making, seen by the caller as a RowSource.
  class Slot final : public RowSource {
   public:
    explicit Slot(ComposeStage& stage) : stage_(stage) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void reserveRows(int rows) override;
    const uint8_t* row(int y) override;
    void release(int y) override;

   private:
    friend class ComposeStage;
    void reset();
    [[nodiscard]] size_t stride() const { return 3 * static_cast<size_t>(width_); }
    // Where row y of the picture lies in the ring.
    [[nodiscard]] uint8_t* ringRow(int y) {
      return ring.data() + static_cast<size_t>(y % capacity) * stride();
    }
    void paintBand(int y, int count);
    ComposeStage& stage_;
    std::unique_ptr<PhotoReader> reader;
    PhotoTags tags;  // the photo's, kept when reader is replaced by the decoded photo
    std::unique_ptr<FramePainter> painter;
    // The photo's conversion to sRGB, when the caller makes it while painting the frame.
    std::shared_ptr<const SrgbConversion> conversion;
    int width_ = 0;
    int height_ = 0;
    PixelBuffer ring;            // capacity rows of the framed picture, row y at y % capacity
    int capacity = 0;            // rows the ring holds
    int wanted = 0;              // rows the caller needs at once, 0 until it has said
    int decoded = 0;             // rows whose photo pixels are in place
    int painted = 0;             // rows complete, frame included
    int released = 0;            // rows the caller no longer needs
    bool ended = false;          // the caller is done with the picture
    std::exception_ptr failure;  // a failure while painting
  };

  void run();
  void frame(size_t index, Slot& slot);
  void decode(Slot& slot);

  FrameEngine& engine_;
  const FrameSpec spec_;
  const std::vector<std::filesystem::path> photos_;
  const bool placeholder_;
  const bool keepPhoto_;
  Image& workPhoto_;
  size_t* const keptIndex_;

  // Two pictures, so that photo i + 1 is opened and painted while photo i is finished.
  std::array<Slot, 2> slots_{Slot(*this), Slot(*this)};
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t laidOut_ = 0;   // photos laid out (or failed) so far
  size_t released_ = 0;  // photos the caller has ended
  bool stop_ = false;
  std::exception_ptr failure_;  // the failure of photo laidOut_ - 1 before its rows

  std::thread worker_;  // last: starts after every other member is ready
};

}  // namespace lumabord
