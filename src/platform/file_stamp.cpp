#include "platform/file_stamp.h"

#include <sys/stat.h>

#include <ctime>

#include "platform/native_path.h"

namespace molvane {

namespace {

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

std::optional<FileStamp> StampOf(std::string_view path) {
  const auto native = NativePath(path);
  struct stat info {};
  if (!native || stat(native->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                   static_cast<std::int64_t>(info.st_size), Nanoseconds(info.st_mtim),
                   Nanoseconds(info.st_ctim)};
}

std::int64_t StampClockNowNs() {
  timespec now{};
  return clock_gettime(CLOCK_REALTIME, &now) == 0 ? Nanoseconds(now) : 0;
}

}  // namespace molvane
