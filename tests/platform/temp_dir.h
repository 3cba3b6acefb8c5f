#pragma once
// A fresh folder for one test, removed with everything in it at the end.

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace molvane::testing {

class TempDir {
 public:
  TempDir() {
    const char* base = std::getenv("TMPDIR");
    path_ = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/molvane-test-XXXXXX";
    if (mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    // Tests may leave folders read-only: open them up first, then remove bottom-up.
    nftw(path_.c_str(), OpenUp, 16, FTW_PHYS);
    nftw(path_.c_str(), Remove, 16, FTW_DEPTH | FTW_PHYS);
  }

  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] std::string operator/(std::string_view name) const {
    return path_ + "/" + std::string(name);
  }

 private:
  static int OpenUp(const char* path, const struct stat*, int type, FTW*) {
    if (type == FTW_D) chmod(path, 0700);
    return 0;
  }
  static int Remove(const char* path, const struct stat*, int, FTW*) {
    static_cast<void>(std::remove(path));
    return 0;
  }

  std::string path_;
};

// Writes `bytes` into the file in place (same inode), as another program might.
inline void OverwriteInPlace(const std::string& path, std::string_view bytes) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (file < 0) throw std::runtime_error("cannot open " + path);
  const bool written =
      write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  close(file);
  if (!written) throw std::runtime_error("cannot write " + path);
}

// The number of names in a folder, "." and ".." left out.
inline std::size_t CountEntries(const std::string& folder) {
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return 0;
  std::size_t count = 0;
  while (const dirent* entry = readdir(directory)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") ++count;
  }
  closedir(directory);
  return count;
}

}  // namespace molvane::testing
