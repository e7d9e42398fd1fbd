// A fresh temporary folder per test, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumabord::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Writes a file (creating folders on the way) and returns its path.
  std::filesystem::path write(const std::string& relative, const std::string& bytes) const;
  std::filesystem::path write(const std::string& relative, const std::vector<unsigned char>& bytes) const;

 private:
  std::filesystem::path path_;
};

std::string readText(const std::filesystem::path& path);

}  // namespace lumabord::testing
