// A photo's metadata read for the signature's variables: any bytes give facts, never a
// crash or an exception.
#include "codecs/photo_facts.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  const PhotoFacts facts = readPhotoFacts(writeFuzzFile("photo.jpg", data, size));
  if (facts.artist.size() > kPhotoFactBytesMax || facts.camera.size() > kPhotoFactBytesMax) {
    __builtin_trap();
  }
  return 0;
}
