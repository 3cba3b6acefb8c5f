#include "platform/file_services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

#include "platform/native_path.h"

namespace molvane {

namespace {

// Closes a file descriptor when it goes out of scope.
class OpenFile {
 public:
  explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() {
    if (descriptor_ >= 0) close(descriptor_);
  }

  [[nodiscard]] int get() const { return descriptor_; }
  [[nodiscard]] bool is_open() const { return descriptor_ >= 0; }

  // Closes now, so that a failure of the close can be seen.
  [[nodiscard]] bool Close() {
    const int descriptor = std::exchange(descriptor_, -1);
    return close(descriptor) == 0;
  }

 private:
  int descriptor_;
};

// Reads until the end of the file; false on a read error.
bool ReadAll(int descriptor, std::string& bytes, std::size_t expected_size) {
  bytes.resize(expected_size + 1);  // one spare byte shows whether the file has grown
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = read(descriptor, bytes.data() + filled, bytes.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

// Writes every byte, going on after short writes; false on a write error.
bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a write to `path` lands in: a symbolic link is followed, so that
// the link stays a link and its target gets the new content.
std::string ResolveLink(std::string path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                         &std::free);
  return real ? std::string(real.get()) : path;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Owner, group and mode that the replacement takes over from the target.
struct Ownership {
  std::optional<uid_t> owner;  // none for a new file
  std::optional<gid_t> group;
  mode_t mode = S_IRUSR | S_IWUSR;  // a new file holds passwords: its owner's alone
};

// What the replacement of `target` keeps; nullopt when the target must not
// be replaced. Renaming over a file needs no right on the file itself, and
// root may write any file, so a read-only target is refused here on its
// mode bits as well as on the access check.
std::optional<Ownership> ReplaceableTarget(const std::string& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) return Ownership{};
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0 ||
      access(target.c_str(), W_OK) != 0) {
    return std::nullopt;
  }
  return Ownership{info.st_uid, info.st_gid, static_cast<mode_t>(info.st_mode & 07777)};
}

// Flushes the folder's entry list, so that the rename itself survives a crash.
void SyncFolder(const std::string& folder) {
  const OpenFile directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.is_open()) fsync(directory.get());
}

// Writes `bytes` into the new temporary file, with the target's ownership,
// and flushes it to disk.
bool FillTemporary(OpenFile& file, std::string_view bytes, const Ownership& ownership) {
  if (ownership.owner) {
    // Keeping the owner works only for root; a failure leaves the file ours, which is harmless.
    [[maybe_unused]] const int ignored = fchown(file.get(), *ownership.owner, *ownership.group);
  }
  const bool filled = WriteAll(file.get(), bytes) && fchmod(file.get(), ownership.mode) == 0 &&
                      fsync(file.get()) == 0;
  return file.Close() && filled;
}

}  // namespace

long long FileSizeOf(std::string_view path) {
  const auto native = NativePath(path);
  struct stat info {};
  if (!native || stat(native->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return static_cast<long long>(info.st_size);
}

std::string ReadFileBytes(std::string_view path) {
  const auto native = NativePath(path);
  if (!native) return {};
  const OpenFile file(open(native->c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!file.is_open() || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  std::string bytes;
  try {
    if (!ReadAll(file.get(), bytes, static_cast<std::size_t>(info.st_size))) return {};
  } catch (const std::exception&) {
    return {};  // too large to hold in memory: it cannot be read either
  }
  return bytes;
}

bool WriteFileBytes(std::string_view path, std::string_view bytes) {
  const auto native = NativePath(path);
  if (!native) return false;
  const std::string target = ResolveLink(*native);
  const auto ownership = ReplaceableTarget(target);
  if (!ownership) return false;

  const std::string folder = FolderOf(target);
  std::string temporary = folder + "/.molvane-XXXXXX";
  OpenFile file(mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.is_open()) return false;
  if (!FillTemporary(file, bytes, *ownership) || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace molvane
