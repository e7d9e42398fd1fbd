// CreateFramedFiles, WriteFramedFiles and ConfirmReplace.
#include "output/batch_output.h"

#include <algorithm>

#include "base/error.h"
#include "output/compose_stage.h"
#include "output/output_names.h"

namespace lumabord {
namespace {

constexpr size_t kNoPhotoKept = static_cast<size_t>(-1);

// Clears a flag when the scope ends, however it ends.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) {
    if (flag_) fail("A batch is already running");
    flag_ = true;
  }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

BatchOutput::BatchOutput(BatchModel model, FrameEngine& engine)
    : model_(std::move(model)), engine_(engine) {}

void BatchOutput::CreateFramedFiles(OutputFormat format, DestinationPrompts& prompts,
                                    BatchProgress& progress) {
  const std::string key = formatKey(format);
  if (format == OutputFormat::Jpeg) {
    JpegOptions edited = model_.jpeg;
    if (!prompts.editJpegOptions(edited)) return;
    model_.jpeg = edited;
  }
  if (model_.queue.size() <= 1) {
    const SaveFileRequest request{key, saveFilter(key), proposedFileName(model_.queue, key)};
    const auto file = prompts.askSaveFile(request);
    if (!file) return;
    WriteFramedFiles(*file, format, progress, *file);
    return;
  }
  const auto folder = prompts.askFolder(proposedFolder(lastOutputFolder_, model_.queue));
  if (!folder) return;
  lastOutputFolder_ = *folder;
  WriteFramedFiles(*folder, format, progress);
}

BatchSummary BatchOutput::WriteFramedFiles(const std::filesystem::path& destination,
                                           OutputFormat format, BatchProgress& progress,
                                           const std::filesystem::path& confirmedFile) {
  const RunningFlag running(running_);
  const std::string key = formatKey(format);
  const bool placeholder = model_.queue.empty();
  std::vector<std::filesystem::path> entries = model_.queue;
  if (placeholder) entries.emplace_back();
  const size_t count = entries.size();
  const int queueLength = static_cast<int>(count);

  replaceAll_ = false;
  progress.begin(static_cast<int>(model_.queue.size()));
  BatchSummary summary;
  // Written by the stage's worker; handed on once the stage has ended.
  size_t kept = kNoPhotoKept;
  const auto noteKeptPhoto = [&] {
    if (kept != kNoPhotoKept && model_.workIndex) *model_.workIndex = kept;
  };
  try {
    const FrameSpec design = model_.design();
    ComposeStage stage(engine_, design, entries, placeholder, model_.keepLastPhoto,
                       model_.workPhoto, &kept);
    engine_.prepare(design);
    Image output;
    for (size_t i = 0; i < count; ++i) {
      if (progress.cancelRequested()) {
        summary.cancelled = true;
        break;
      }
      try {
        RowSource& framed = stage.take(i);
        const FrameSpec box = model_.design();
        const Size size =
            engine_.fitWithin(framed.width(), framed.height(), std::max(1, box.OutputWidth),
                              std::max(1, box.OutputHeight));
        // A box much narrower than the picture's proportions fits it into a side of 0 pixels;
        // the file gets at least one pixel there (which the resampler makes two).
        engine_.resizeImage(framed, output, std::max(1, size.width), std::max(1, size.height));
      } catch (const Error& e) {
        // A reader's message may not say which photo it could not read.
        throw Error(messageNamingFile(entries[i].string(), e.what()));
      }
      const PhotoTags photoTags = stage.tags(i);
      stage.release(i);

      progress.step(static_cast<int>(i) + 1, queueLength, entries[i]);
      progress.processMessages();

      const std::filesystem::path target = outputPath(destination, entries[i], count, key);
      const bool confirmed = count == 1 && !confirmedFile.empty() && target == confirmedFile;
      if (confirmed || ConfirmReplace(target, progress)) {
        engine_.writeImage(target, output, format, model_.jpeg, &photoTags);
        ++summary.written;
        progress.fileWritten(target);
      } else {
        ++summary.skipped;
      }
    }
  } catch (...) {
    noteKeptPhoto();
    progress.end();
    throw;
  }
  noteKeptPhoto();
  progress.end();
  return summary;
}

bool BatchOutput::ConfirmReplace(const std::filesystem::path& path, BatchProgress& progress) {
  bool answer = true;
  std::error_code ec;
  if (!replaceAll_ && std::filesystem::exists(path, ec)) {
    switch (progress.askReplace(path, replaceQuestion(path))) {
      case ReplaceAnswer::No:
        answer = false;
        break;
      case ReplaceAnswer::YesToAll:
        replaceAll_ = true;
        break;
      case ReplaceAnswer::Yes:
        break;
    }
  }
  progress.processMessages();
  return answer;
}

}  // namespace lumabord
