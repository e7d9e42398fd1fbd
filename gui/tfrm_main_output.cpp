// TfrmMain: the output commands, which frame the whole queue into files through the batch.
#include "base/error.h"
#include "gui_batch_prompts.h"
#include "output/frame_engine.h"
#include "tfrm_main.h"

namespace lumabord {

void TfrmMain::CreateFramedFiles(OutputFormat format) {
  if (batchRunning_ || !claimRenderer()) return;
  readDesign();
  if (!batch_) {
    FrameEngine* engine = services_.engine;
    if (engine == nullptr) {
      ownEngine_ = std::make_unique<StandardFrameEngine>(model_.AppPath, &signature_.signature());
      engine = ownEngine_.get();
    }
    BatchModel batchModel{batchQueue_,
                          model_.WorkPhoto,
                          batchJpeg_,
                          [this] {
                            // The output box is read afresh for every photo.
                            readDesign();
                            return model_.Snapshot();
                          },
                          /*keepLastPhoto=*/true,
                          &model_.WorkIndex};
    batch_ = std::make_unique<BatchOutput>(std::move(batchModel), *engine);
  }
  batchQueue_.assign(model_.Queue.begin(), model_.Queue.end());
  batchJpeg_ = JpegOptions{model_.JPEGQuality, model_.JPEGProgressive, model_.JPEGSmoothing};
  batchJpeg_.keepMetadata = model_.KeepMetadata;
  batchJpeg_.keepGps = model_.KeepGps;
  if (ownEngine_) ownEngine_->setPhotoOptions(PhotoOptions{model_.AutoOrient});

  GuiBatchPrompts prompts(*this, *services_.dialogs,
                          QString::fromStdString(model_.PBFolderDialogLabel));
  // The batch frames into WorkPhoto: preview renderings wait until it has ended.
  batchRunning_ = true;
  runningPrompts_ = &prompts;
  model_.HoldRendering(true);
  updateActions();
  std::string failure;
  try {
    batch_->CreateFramedFiles(format, prompts, prompts);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  // Confirmed JPEG options stay, also when a later dialog was cancelled.
  model_.JPEGQuality = batchJpeg_.quality;
  model_.JPEGProgressive = batchJpeg_.progressive;
  model_.JPEGSmoothing = batchJpeg_.smoothing;
  model_.KeepMetadata = batchJpeg_.keepMetadata;
  model_.KeepGps = batchJpeg_.keepGps;
  batchRunning_ = false;
  runningPrompts_ = nullptr;
  updateActions();
  // The strip marks, and the signature's variables follow, the photo the batch left in
  // WorkPhoto.
  showQueueStrip();
  if (model_.WorkIndex < model_.Queue.size())
    signature_.workPhotoChanged(model_.Queue[model_.WorkIndex]);
  if (!failure.empty()) services_.dialogs->error(failure);
  model_.HoldRendering(false);
  if (closeAfterBatch_) {
    closeAfterBatch_ = false;
    close();
  }
}

}  // namespace lumabord
