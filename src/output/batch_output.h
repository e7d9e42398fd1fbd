// The batch output: every photo of the queue framed, fitted into the output box and written
// as a JPEG, TIFF or BMP file, for the window's six commands and for lumabord-cli frame.
//
// Decisions beyond the plain sequence:
// - A failed photo ends the batch in order: the progress window closes and the title returns
//   (BatchProgress::end), the batch's images are freed, the queue is as before, and the error
//   is passed on once to the caller, who shows it. Files written before stay.
// - The queue is read once at the start; the batch works on its own copy, so the placeholder
//   entry of an empty queue never enters the caller's queue. The window disables the commands
//   that change the queue or start a batch or a print while running() is true.
// - The design is taken once at the start, so every photo of a batch gets the same frame; the
//   output box is read afresh for every photo.
// - With one photo the replace question is asked for the written name when it differs from
//   the name confirmed in the save dialog (x.jpeg chosen, x.jpg written).
// - A fitted size with a side of 0 (a box far narrower than the picture) is raised to 1, so
//   that every file holds pixels.
// - Photo i + 1 is loaded and framed on a worker thread while photo i is resampled and
//   written; the files are written in queue order and all user contact stays on the
//   caller's thread.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "base/image.h"
#include "codecs/image_writers.h"
#include "compose/frame_spec.h"
#include "output/batch_ui.h"
#include "output/frame_engine.h"

namespace lumabord {

// The main window's state the batch reads and changes; it outlives the BatchOutput.
struct BatchModel {
  const std::vector<std::filesystem::path>& queue;  // Queue
  Image& workPhoto;                   // WorkPhoto: the last loaded photo after a batch
  JpegOptions& jpeg;                  // JPEGQuality, JPEGProgressive, JPEGSmoothing
  std::function<FrameSpec()> design;  // the controls' snapshot, output box included
  // Whether workPhoto must hold the last photo afterwards (the window shows it); without,
  // photos are framed while they decode and never held whole.
  bool keepLastPhoto = false;
  // WorkIndex: with keepLastPhoto, set to the queue entry workPhoto holds afterwards.
  size_t* workIndex = nullptr;
};

struct BatchSummary {
  int written = 0;
  int skipped = 0;  // the replace question answered No
  bool cancelled = false;
};

class BatchOutput {
 public:
  BatchOutput(BatchModel model, FrameEngine& engine);

  // Asks for the destination (the JPEG options first for JPEG, then a file name for a queue
  // of at most one photo or a folder for more) and runs the batch. Cancel in any dialog stops
  // with nothing written.
  void CreateFramedFiles(OutputFormat format, DestinationPrompts& prompts, BatchProgress& progress);

  // Runs the batch into destination: a file path for a queue of at most one photo, a folder
  // otherwise. confirmedFile is the file whose replacement the user already confirmed (the
  // save dialog's question); empty when none was. Throws the Error of a failed photo after
  // the orderly end.
  BatchSummary WriteFramedFiles(const std::filesystem::path& destination, OutputFormat format,
                                BatchProgress& progress,
                                const std::filesystem::path& confirmedFile = {});

  // True when path may be written: no such file, Yes to All given earlier in this batch, or
  // the user's Yes / Yes to All.
  bool ConfirmReplace(const std::filesystem::path& path, BatchProgress& progress);

  [[nodiscard]] const std::filesystem::path& lastOutputFolder() const { return lastOutputFolder_; }
  [[nodiscard]] bool running() const { return running_; }

 private:
  BatchModel model_;
  FrameEngine& engine_;
  std::filesystem::path lastOutputFolder_;  // LastOutputFolder: for the whole run, never stored
  bool replaceAll_ = false;                 // ReplaceAll: for one batch
  bool running_ = false;
};

}  // namespace lumabord
