// The frame command's design: the window's model loads the stored settings and the selected
// style, and the command line's values replace what they name.
#include "frame_settings.h"

#include <algorithm>

#include "app/main_model.h"
#include "app/program_files.h"
#include "app/user_folders.h"
#include "base/error.h"
#include "codecs/jpeg_options_model.h"
#include "compose/asset_paths.h"
#include "compose/design_controls.h"

namespace lumabord::cli {
namespace {

// The model shows a style that cannot be read through its view; the command keeps the first
// such message and ends with it.
class HeadlessView final : public MainView {
 public:
  void showError(const std::string& text) override {
    if (error.empty()) error = text;
  }
  std::string error;
};

void selectByName(ChoiceList& list, const std::string& name, const char* what,
                  const std::filesystem::path& assets) {
  const auto it = std::find(list.entries.begin(), list.entries.end(), name);
  if (it == list.entries.end())
    fail("No %s named \"%s\" in %s", what, name.c_str(), assets.c_str());
  list.selected = static_cast<int>(it - list.entries.begin());
}

}  // namespace

FrameJob loadFrameJob(const FrameOptions& options, MainSignature& signature) {
  HeadlessView view;
  MainServices services;
  services.renderer = &composeFrameRenderer();
  services.assets = &libraryAssetLists();
  MainModel model(view, services);
  model.AppPath = options.assets.value_or(programFolder());
  std::error_code ec;
  if (!std::filesystem::is_directory(model.AppPath, ec)) {
    fail("The asset folder %s does not exist", model.AppPath.c_str());
  }
  // The user's own styles and assets join the installed program's, as in the window; a
  // folder named with --assets stands alone.
  const UserFolders folders = userFolders(model.AppPath);
  model.ConfigPath = folders.config;
  if (!options.assets) setUserAssetFolder(folders.data);
  model.LoadSettings();
  model.LoadDesign();

  DesignControls& controls = model.controls;
  if (options.style) {
    selectByName(controls.cboFrame, *options.style, "style", model.AppPath);
    libraryAssetLists().ReadStyle(controls, model.AppPath);
  } else if (!view.error.empty()) {
    fail("%s", view.error.c_str());
  }
  if (options.dropShadow) {
    if (*options.dropShadow == "none") {
      controls.cboShadow.selected = 0;
    } else {
      selectByName(controls.cboShadow, *options.dropShadow, "drop shadow", model.AppPath);
    }
  }
  if (options.edgeShadow) controls.chkShadowOuter = *options.edgeShadow;
  if (options.boxWidth) controls.txtWidth = *options.boxWidth;
  if (options.boxHeight) controls.txtHeight = *options.boxHeight;
  DesignSettings& settings = model.settings;
  if (options.shadowSize) settings.ShadowSize = *options.shadowSize;
  if (options.shadowColor) settings.ShadowColor = *options.shadowColor;
  if (options.background) settings.BackgroundColor = *options.background;
  SignatureSettings design = LoadSignatureSettings();
  if (options.signatureText) design.txtSig = *options.signatureText;
  signature.Restore(design, controls, model.AppPath, settings);
  if (options.signature) controls.chkSignature = *options.signature;
  if (options.signatureOn) settings.SigDrawOn = *options.signatureOn;
  if (options.signatureAlign) settings.SigAlign = *options.signatureAlign;
  // The glyphs rendered for this run are kept for the next (the cache writes them at exit).
  if (controls.chkSignature) signature.setDiskCacheDirectory(makeFontCacheFolder(folders.cache));

  FrameJob job;
  job.assets = model.AppPath;
  job.spec = model.Snapshot();
  // A stored quality outside 1..100 is used as the options dialog would show it.
  job.jpeg.quality = options.quality.value_or(clampJpegQuality(model.JPEGQuality));
  job.jpeg.progressive = model.JPEGProgressive && !options.baseline;
  job.jpeg.smoothing = model.JPEGSmoothing;
  job.jpeg.lossless = options.lossless;
  job.jpeg.keepMetadata = model.KeepMetadata && !options.stripMetadata;
  job.jpeg.keepGps = model.KeepGps && !options.stripGps;
  job.photo.autoOrient = model.AutoOrient && !options.noAutoOrient;
  job.format = options.format.value_or(OutputFormat::Jpeg);
  return job;
}

}  // namespace lumabord::cli
