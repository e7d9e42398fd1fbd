// What the window benchmarks share: a settings store of their own and a large photo with
// detail everywhere, so that no stage can take a shortcut over flat areas.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <filesystem>

#include "base/image.h"

namespace lumabord::bench {

// Points the settings store at a file in scratch; returns scratch's folder.
inline std::filesystem::path useScratchSettings(const QTemporaryDir& scratch) {
  const std::filesystem::path folder = scratch.path().toStdString();
  qputenv("LUMABORD_REGISTRY", QByteArray::fromStdString((folder / "registry.reg").string()));
  return folder;
}

inline Image detailedPhoto(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(
          x, y, Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y)});
    }
  }
  return image;
}

}  // namespace lumabord::bench
