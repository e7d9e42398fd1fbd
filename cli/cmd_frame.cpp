// lumabord-cli frame: the window's batch output on the command line. The photos are framed
// with the stored design (or the options' values), fitted into the output box and written
// into --out: a file for one photo (its extension replaced by the format key), a folder for
// several. Exit status 0 when no error stopped the batch, 1 on an error (files written
// before it stay), 2 for usage.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/signature_state.h"
#include "base/error.h"
#include "command.h"
#include "console_progress.h"
#include "frame_options.h"
#include "frame_settings.h"
#include "output/batch_output.h"

namespace lumabord::cli {
namespace {

namespace fs = std::filesystem;

// The destination WriteFramedFiles takes: for one photo a file path (an existing folder, or
// a path ending in "/", receives the photo's name); for several a folder, created if missing.
fs::path destination(const FrameOptions& options) {
  const fs::path out = options.out.value_or(".");
  std::error_code ec;
  if (options.photos.size() == 1) {
    const bool folder = !options.out || fs::is_directory(out, ec) || !out.has_filename();
    return folder ? out / options.photos.front().filename() : out;
  }
  fs::create_directories(out, ec);
  if (ec) fail("Cannot create folder %s", out.c_str());
  return out;
}

int runFrame(std::vector<std::string> arguments) {
  const FrameOptions options = parseFrameOptions(std::move(arguments));
  // Writes the glyphs it rendered to the disk cache when the command ends.
  MainSignature signature;
  const FrameJob job = loadFrameJob(options, signature);
  const fs::path target = destination(options);

  Image workPhoto;
  JpegOptions jpeg = job.jpeg;
  StandardFrameEngine engine(job.assets, &signature.signature(), job.photo);
  BatchOutput batch({options.photos, workPhoto, jpeg, [&job] { return job.spec; }}, engine);
  ConsoleProgress progress(options.existing, stderr, stdout, isatty(STDERR_FILENO) == 1);
  // The batch names a photo it could not read or frame.
  batch.WriteFramedFiles(target, job.format, progress);
  return 0;
}

const CommandRegistration kRegister{{"frame", kFrameUsage, runFrame}};

}  // namespace
}  // namespace lumabord::cli
