// Writes the seed corpus of every fuzz target: small files of the variants each reader
// handles, made by the same writers as the reader tests. Usage: fuzz_seed_corpus <folder>;
// the files land in <folder>/<target>/.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "codecs/seed_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seed_corpus <folder>\n";
    return 2;
  }
  try {
    for (const auto& [target, files] : lumabord::testing::seedFiles()) {
      const std::filesystem::path dir = std::filesystem::path(argv[1]) / target;
      std::filesystem::create_directories(dir);
      for (const auto& [name, bytes] : files) {
        std::ofstream out(dir / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "fuzz_seed_corpus: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
