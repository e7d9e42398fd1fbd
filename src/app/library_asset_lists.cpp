// AssetLists over the asset library and style files of the compose folder.
#include "compose/asset_library.h"
#include "compose/style_file.h"

#include "app/main_model.h"

namespace lumabord {
namespace {

class LibraryAssetLists final : public AssetLists {
 public:
  void FillShadowList(DesignControls& c, const std::filesystem::path& appPath) override {
    lumabord::FillShadowList(c, appPath);
  }
  void FillTextureLists(DesignControls& c, const std::filesystem::path& appPath) override {
    lumabord::FillTextureLists(c, appPath);
  }
  void FillStyleList(DesignControls& c, const std::filesystem::path& appPath, int index) override {
    lumabord::FillStyleList(c, appPath, index);
  }
  void FillMaskList(DesignControls& c, const std::filesystem::path& appPath) override {
    lumabord::FillMaskList(c, appPath);
  }
  void ReadStyle(DesignControls& c, const std::filesystem::path& appPath) override {
    lumabord::ReadStyle(c, appPath);
  }
};

}  // namespace

AssetLists& libraryAssetLists() {
  static LibraryAssetLists lists;
  return lists;
}

}  // namespace lumabord
