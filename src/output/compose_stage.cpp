// The open-and-decode worker of the batch pipeline and the ring of rows it decodes into.
#include "output/compose_stage.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace lumabord {
namespace {

// Rows painted at a time: a few rows of a JPEG's blocks, few enough to stay in the cache.
constexpr int kBand = 16;

// Rows the painter may run ahead of the caller, also before the caller has asked for the
// picture (while it finishes the previous one), so that the decoder rarely waits.
constexpr int kLead = 512;

int roundUpToBand(int rows) {
  return (rows + kBand - 1) / kBand * kBand;
}

}  // namespace

ComposeStage::ComposeStage(FrameEngine& engine, const FrameSpec& spec,
                           std::vector<std::filesystem::path> photos, bool placeholder,
                           bool keepPhoto, Image& workPhoto, size_t* keptIndex)
    : engine_(engine),
      spec_(spec),
      photos_(std::move(photos)),
      placeholder_(placeholder),
      keepPhoto_(keepPhoto),
      workPhoto_(workPhoto),
      keptIndex_(keptIndex),
      worker_([this] { run(); }) {}

ComposeStage::~ComposeStage() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

RowSource& ComposeStage::take(size_t index) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return laidOut_ > index; });
  if (failure_ && laidOut_ == index + 1) std::rethrow_exception(failure_);
  return slots_[index % 2];
}

void ComposeStage::release(size_t index) {
  {
    std::lock_guard lock(mutex_);
    slots_[index % 2].ended = true;
    released_ = index + 1;
  }
  changed_.notify_all();
}

void ComposeStage::Slot::reserveRows(int rows) {
  std::unique_lock lock(stage_.mutex_);
  wanted = std::min(roundUpToBand(std::max(rows, 1)) + 2 * kBand, roundUpToBand(height_));
  stage_.changed_.notify_all();
  // The painter enlarges the ring between two bands.
  stage_.changed_.wait(lock, [&] { return capacity >= wanted || failure || stage_.stop_; });
  if (capacity < wanted && failure) std::rethrow_exception(failure);
}

const uint8_t* ComposeStage::Slot::row(int y) {
  std::unique_lock lock(stage_.mutex_);
  if (wanted == 0 || y < released || y >= height_) fail("Framed row %d asked for out of turn", y);
  for (;;) {
    stage_.changed_.wait(lock, [&] { return painted > y || decoded > painted || failure; });
    if (painted > y) return ringRow(y);
    if (decoded <= painted) std::rethrow_exception(failure);
    // The photo's rows of these bands are in place: the caller's thread, which has time to
    // spare while the photo decodes, paints the frame around them.
    const int from = painted, to = decoded;
    lock.unlock();
    for (int band = from; band < to; band += kBand) paintBand(band, std::min(kBand, to - band));
    lock.lock();
    painted = to;
  }
}

// Converts the photo's rows of the band in place to sRGB, when that is left to this thread,
// and paints the frame around them.
void ComposeStage::Slot::paintBand(int y, int count) {
  if (conversion) {
    const Rect photo = painter->photo();
    const int first = std::max(y, photo.y), last = std::min(y + count, photo.bottom());
    if (first < last) {
      conversion->convertRows(ringRow(first) + 3 * static_cast<size_t>(photo.x), stride(), photo.w,
                              last - first);
    }
  }
  painter->paintRows(y, count, ringRow(y), stride(), PhotoRows{});
}

void ComposeStage::Slot::release(int y) {
  {
    std::lock_guard lock(stage_.mutex_);
    released = std::clamp(y, released, height_);
  }
  stage_.changed_.notify_all();
}

void ComposeStage::Slot::reset() {
  reader.reset();
  tags = {};
  painter.reset();
  conversion.reset();
  width_ = height_ = capacity = wanted = decoded = painted = released = 0;
  ended = false;
  failure = nullptr;
}

void ComposeStage::run() {
  for (size_t i = 0; i < photos_.size(); ++i) {
    Slot& slot = slots_[i % 2];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || i < released_ + 2; });
      if (stop_) return;
      slot.reset();
    }
    std::exception_ptr failure;
    try {
      frame(i, slot);
    } catch (...) {
      failure = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      failure_ = failure;
      laidOut_ = i + 1;
    }
    changed_.notify_all();
    if (failure) return;
    try {
      decode(slot);
    } catch (...) {
      {
        std::lock_guard lock(mutex_);
        slot.failure = std::current_exception();
      }
      changed_.notify_all();
      return;
    }
  }
}

// Opens photo index and lays out its frame.
void ComposeStage::frame(size_t index, Slot& slot) {
  std::unique_ptr<FramePainter> early;  // laid out around the declared size
  if (placeholder_) {
    if (workPhoto_.empty()) {
      workPhoto_.reshape(workPhoto_.width() == 0 ? 800 : workPhoto_.width(),
                         workPhoto_.height() == 0 ? 600 : workPhoto_.height());
      workPhoto_.fill({255, 255, 255});
    }
    slot.reader = std::make_unique<ImageRowReader>(workPhoto_);
  } else {
    // The frame is laid out around the first size the file declares, before the photo is
    // decoded: a photo too large to frame is refused without the cost of decoding it.
    bool declared = false;
    std::unique_ptr<PhotoReader> reader =
        engine_.openPhotoChecked(photos_[index], [&](int64_t width, int64_t height) {
          if (declared) return;
          declared = true;
          early = engine_.layoutFrame(spec_, photos_[index], static_cast<int>(width),
                                      static_cast<int>(height), placeholder_);
        });
    // An empty picture must not leave the previous photo to be framed under this name.
    if (reader->width() <= 0 || reader->height() <= 0)
      fail("The picture %s holds no pixels", photos_[index].c_str());
    slot.tags = reader->tags();
    if (keepPhoto_) {
      Image decoded(reader->width(), reader->height());
      std::vector<uint8_t*> rows(static_cast<size_t>(decoded.height()));
      for (int y = 0; y < decoded.height(); ++y) rows[static_cast<size_t>(y)] = decoded.row(y);
      reader->readRows(rows.data(), decoded.height());
      workPhoto_ = std::move(decoded);
      if (keptIndex_) *keptIndex_ = index;
      reader = std::make_unique<ImageRowReader>(workPhoto_);
    }
    slot.reader = std::move(reader);
  }
  const bool keepEarly = early && early->photo().w == slot.reader->width() &&
                         early->photo().h == slot.reader->height();
  slot.painter = keepEarly ? std::move(early)
                           : engine_.layoutFrame(spec_, photos_[index], slot.reader->width(),
                                                 slot.reader->height(), placeholder_);
  slot.width_ = slot.painter->width();
  slot.height_ = slot.painter->height();
}

// Decodes the photo band by band into the ring, as fast as the caller frees rows, and
// leaves the frame around it to the caller; a photo that does not fit the picture's width
// is decoded aside and painted here. Stops when the caller ends the picture.
void ComposeStage::decode(Slot& slot) {
  const Rect photo = slot.painter->photo();
  PhotoReader& reader = *slot.reader;
  const size_t photoStride = 3 * static_cast<size_t>(reader.width());
  std::vector<uint8_t> photoBand(static_cast<size_t>(kBand) * photoStride);
  std::array<uint8_t*, kBand> photoRows{};
  int photoRead = 0;  // photo rows read so far
  const bool inPlace = photo.x >= 0 && photo.right() <= slot.width_;
  // The caller's thread paints the frame around rows decoded in place, and waits for the
  // decoder meanwhile: the colour conversion costs less there.
  if (inPlace) slot.conversion = reader.takeConversion();
  const size_t stride = slot.stride();
  const int allRows = roundUpToBand(slot.height_);
  {
    std::lock_guard lock(mutex_);
    slot.capacity = std::min(kLead, allRows);
  }
  // The ring keeps its buffer from picture to picture.
  slot.ring.reserveDiscarding(static_cast<size_t>(slot.capacity) * stride);
  for (int y = 0; y < slot.height_; y += kBand) {
    const int count = std::min(kBand, slot.height_ - y);
    int wanted = 0;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] {
        return stop_ || slot.ended || slot.wanted > slot.capacity ||
               y + count - slot.released <= slot.capacity;
      });
      if (stop_ || slot.ended) return;
      wanted = slot.wanted;
    }
    if (wanted > slot.capacity) {
      // The caller needs more rows at once than the ring holds: it has not taken any row
      // yet, so the rows made so far move to their places in a larger ring.
      PixelBuffer larger(static_cast<size_t>(wanted) * stride);
      for (int r = 0; r < slot.decoded; ++r) {
        std::memcpy(larger.data() + static_cast<size_t>(r % wanted) * stride, slot.ringRow(r),
                    stride);
      }
      {
        std::lock_guard lock(mutex_);
        slot.ring = std::move(larger);
        slot.capacity = wanted;
      }
      changed_.notify_all();
      y -= kBand;  // wait for room again with the new size
      continue;
    }
    // The photo rows of this band, photo rows first .. last - 1; rows above the picture
    // (a photo pushed out by negative margins) are read and dropped. A photo that lies
    // within the picture's width is decoded straight into its place.
    const int first = std::clamp(y - photo.y, 0, reader.height());
    const int last = std::clamp(y + count - photo.y, 0, reader.height());
    uint8_t* out = slot.ringRow(y);
    while (photoRead < last) {
      const int skip = first - photoRead;
      const int n = skip > 0 ? std::min(skip, kBand) : last - photoRead;
      for (int i = 0; i < n; ++i) {
        const size_t row = static_cast<size_t>(photo.y + first + i - y);
        photoRows[static_cast<size_t>(i)] =
            skip <= 0 && inPlace ? out + stride * row + 3 * static_cast<size_t>(photo.x)
                                 : photoBand.data() + photoStride * static_cast<size_t>(i);
      }
      reader.readRows(photoRows.data(), n);
      photoRead += n;
    }
    if (!inPlace) {
      slot.painter->paintRows(y, count, out, stride,
                              PhotoRows{photoBand.data(), photoStride, first});
    }
    {
      std::lock_guard lock(mutex_);
      slot.decoded = y + count;
      if (!inPlace) slot.painted = slot.decoded;
    }
    changed_.notify_all();
  }
}

}  // namespace lumabord
