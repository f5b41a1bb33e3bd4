// A fresh temporary directory made the current directory for one test, and small file helpers;
// the previous directory is restored and the temporary one removed afterwards. Header-only so
// the report and the settings suites can both use it.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace testing_support {

namespace fs = std::filesystem;

class ScopedTempDir {
 public:
  ScopedTempDir() {
    previous_ = fs::current_path().string();
    std::random_device seed;
    for (;;) {
      const fs::path candidate =
          fs::temp_directory_path() / ("tw32-test-" + std::to_string(seed()));
      if (fs::create_directory(candidate)) {
        path_ = candidate.string();
        break;
      }
    }
    fs::current_path(path_);
  }
  ~ScopedTempDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

inline bool fileExists(const std::string& name) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(name, ignored));
}

inline std::string readWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeWholeFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace testing_support
