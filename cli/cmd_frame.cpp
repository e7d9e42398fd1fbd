// lumabord-cli frame: frames photos with a style of the asset folder and writes them, scaled
// into the output box, beside each other in the output folder.

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "args.h"
#include "base/error.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "command.h"
#include "compose/asset_library.h"
#include "compose/compose_frame.h"
#include "compose/resample.h"
#include "compose/style_file.h"

namespace lumabord::cli {
namespace {

std::filesystem::path executableFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

// Fills the lists from the asset folder and selects the named style (the first by default).
DesignControls loadDesign(const std::filesystem::path& assets, const std::optional<std::string>& style) {
  DesignControls controls;
  FillShadowList(controls, assets);
  FillTextureLists(controls, assets);
  FillStyleList(controls, assets, 0);
  FillMaskList(controls, assets);
  if (style) {
    const auto& names = controls.cboFrame.entries;
    const auto it = std::find(names.begin(), names.end(), *style);
    if (it == names.end()) fail("No style named \"%s\" in %s", style->c_str(), assets.c_str());
    controls.cboFrame.selected = static_cast<int>(it - names.begin());
  }
  if (controls.cboFrame.selected >= 0) ReadStyle(controls, assets);
  return controls;
}

int runFrame(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  const std::filesystem::path assets = args.option("assets").value_or(executableFolder().string());
  const auto style = args.option("style");
  int boxWidth = 800, boxHeight = 600;
  if (const auto box = args.option("box")) parseBox(*box, boxWidth, boxHeight);
  const std::filesystem::path out = args.option("out").value_or(".");
  const auto photos = args.positionals();
  if (photos.empty()) throw UsageError("name at least one photo");

  const DesignControls controls = loadDesign(assets, style);
  const FrameSpec spec = snapshot(controls, DesignSettings{});
  RenderContext context;
  context.appPath = assets;
  Image framed, scaled;
  for (size_t i = 0; i < photos.size(); ++i) {
    const std::filesystem::path photoPath = photos[i];
    std::fprintf(stderr, "%zu/%zu %s\n", i + 1, photos.size(), photoPath.filename().c_str());
    Image photo = loadPicture(photoPath);
    ComposeFrame(spec, photo, false, context, framed);
    const Size size = FitWithin(framed.width(), framed.height(), std::max(boxWidth, 1),
                                std::max(boxHeight, 1));
    ResizeImage(framed, scaled, size.width, size.height);
    const std::filesystem::path target =
        photos.size() == 1 && out.has_extension()
            ? out
            : out / photoPath.filename().replace_extension(".bmp");
    WriteBmpFile(target, scaled);
    std::printf("%s\n", target.c_str());
  }
  return 0;
}

const CommandRegistration kRegister{
    {"frame", "frame [--assets DIR] [--style NAME] [--box WxH] [--out FILE.bmp|DIR] PHOTO...",
     runFrame}};

}  // namespace
}  // namespace lumabord::cli
