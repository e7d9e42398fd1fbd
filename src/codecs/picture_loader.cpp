// The reader table. Readers are added by their own files.
#include "codecs/picture_loader.h"

#include "base/error.h"

namespace lumabord {
namespace {

class TableLoader final : public PictureLoader {
 public:
  Image load(const std::filesystem::path& path) const override {
    std::string ext = path.extension().string();
    if (!ext.empty()) ext.erase(0, 1);
    fail("Unknown picture file extension (.%s)", ext.c_str());
  }
};

}  // namespace

const PictureLoader& defaultPictureLoader() {
  static const TableLoader loader;
  return loader;
}

Image loadPicture(const std::filesystem::path& path) { return defaultPictureLoader().load(path); }

}  // namespace lumabord
