// What the batch asks of the user, behind interfaces so that the window and the command line
// drive the same batch: the destination questions before it, progress, the replace question
// and Cancel while it runs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "codecs/image_writers.h"

namespace lumabord {

enum class ReplaceAnswer { Yes, No, YesToAll };

// The save dialog's settings for a queue of at most one photo.
struct SaveFileRequest {
  std::string defaultExtension;  // the format key
  std::string filter;            // "JPEG Image (*.jpg)|*.jpg", ...
  std::string proposedName;      // file name without folder; no initial folder is set
};

// Questions asked before a batch starts (CreateFramedFiles).
class DestinationPrompts {
 public:
  virtual ~DestinationPrompts() = default;
  // The JPEG options dialog: edits options in place and returns true on OK only.
  virtual bool editJpegOptions(JpegOptions& options) = 0;
  // The save dialog (asks itself before an existing file is chosen); nullopt on Cancel.
  virtual std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest& request) = 0;
  // The folder browser "Select destination folder" showing proposed; nullopt on Cancel.
  virtual std::optional<std::filesystem::path> askFolder(const std::filesystem::path& proposed) = 0;
};

// The running batch's contact with the user. Every call comes from the thread that called
// WriteFramedFiles.
class BatchProgress {
 public:
  virtual ~BatchProgress() = default;
  // Remembers the application title and shows the progress window, range 0 to count.
  virtual void begin(int count) = 0;
  // Photo n of q (1-based) is about to be written: the bar, the caption "n/q" and the title.
  virtual void step(int n, int q, const std::filesystem::path& photo) = 0;
  // The replace question with its full text; may throw Error to end the batch instead.
  virtual ReplaceAnswer askReplace(const std::filesystem::path& path, const std::string& text) = 0;
  // The file of photo n is complete at path.
  virtual void fileWritten(const std::filesystem::path& /*path*/) {}
  // Lets pending window events run (repaints, the Cancel button).
  virtual void processMessages() = 0;
  // True once the user asked to stop; read between photos only.
  virtual bool cancelRequested() = 0;
  // Closes the progress window and restores the title; called after every batch, also after a
  // failed photo, before the error is passed on.
  virtual void end() = 0;
};

}  // namespace lumabord
