// lumabord-assets OUTPUT_FOLDER: writes the default asset set into the folder.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "assets/masks.h"
#include "assets/parallel.h"
#include "assets/photos.h"
#include "assets/styles.h"
#include "assets/textures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumabord-assets OUTPUT_FOLDER\n");
    return 2;
  }
  try {
    namespace fs = std::filesystem;
    const fs::path out = argv[1];
    using namespace lumabord::assets;
    // The styles first, on this thread alone: the first file written reads the process
    // umask, which can only be done by setting it for a moment.
    writeStyles(out / "Image Styles");
    // Independent files, the largest first so that the small ones fill the gaps.
    runJobs({[&] { writeSamplePhotos(out / "Sample Photos"); },
             [&] { writeTextures(out / "Image Textures"); },
             [&] { writeProfiles(out / "Image Masks"); },
             [&] {
               fs::create_directories(out / "Image Edges");
               writeMatteEdge(out / "Image Edges" / "outermattelowered.bmp");
             },
             [&] { writeShadows(out / "Shadows"); }});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lumabord-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
