// A fresh temporary directory made the current directory for one test, and small file helpers;
// the previous directory is restored and the temporary one removed afterwards. Header-only so
// the report, settings and platform suites can all use it.
#pragma once
#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#endif
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

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

// The names in the current directory, sorted, one a line: shows what a test left behind.
inline std::string directoryListing() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator("."))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += name + "\n";
  return listing;
}

#if !defined(_WIN32)
// Files larger than the limit cannot be written while it is in force; the signal a write past
// it would raise is ignored, so the write fails instead (as on a full disk).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
  bool active_ = false;
};
#endif

} // namespace testing_support
