#include "store/profile_cache.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_services.h"
#include "platform/file_stamp.h"

namespace molvane {

namespace {

constexpr std::int64_t kSecondNs = 1'000'000'000;

// Up to this many reads are tried when the file changes while it is read.
constexpr int kReadAttempts = 3;

struct CachedProfile {
  std::string path;
  FileStamp stamp;
  bool stamp_trusted = false;  // the stamp alone proves the file unchanged
  std::shared_ptr<const ProfileDocument> document;
};

// The last file loaded. Only the GUI thread calls the store.
std::optional<CachedProfile>& Cache() {
  static std::optional<CachedProfile> cache;
  return cache;
}

// How far apart two changes must lie to get different stamps. File systems
// stamp a change with the time of the kernel clock's last tick (at most 10 ms
// apart); those that keep whole seconds show it in the stamp, and the
// coarsest of them keeps two seconds.
std::int64_t StampTickNs(const FileStamp& stamp) {
  const bool whole_seconds =
      stamp.modified_ns % kSecondNs == 0 && stamp.changed_ns % kSecondNs == 0;
  return whole_seconds ? 2 * kSecondNs : kSecondNs / 20;
}

// Whether the stamp alone can tell any later change of the file: a change
// within the tick of the last one, to the same size, would keep the stamp
// as it is, so the last change must lie a tick before the read began.
bool SettledBefore(const FileStamp& stamp, std::int64_t read_began_ns) {
  return std::max(stamp.modified_ns, stamp.changed_ns) + StampTickNs(stamp) < read_began_ns;
}

std::shared_ptr<const ProfileDocument> EmptyDocument() {
  static const auto empty = std::make_shared<const ProfileDocument>(std::string());
  return empty;
}

}  // namespace

std::shared_ptr<const ProfileDocument> LoadProfile(std::string_view path) {
  auto& cache = Cache();
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    const auto before = StampOf(path);
    if (!before) return EmptyDocument();
    const bool same_file = cache && cache->path == path;
    if (same_file && cache->stamp_trusted && cache->stamp == *before) return cache->document;

    // A clock that cannot be read gives 0, and a stamp is then never trusted.
    const std::int64_t read_began_ns = StampClockNowNs();
    std::string bytes = ReadFileBytes(path);
    if (StampOf(path) != before) continue;  // changed while being read
    if (bytes.size() != static_cast<std::size_t>(before->size)) return nullptr;

    // A file whose stamp cannot be trusted yet is compared byte by byte,
    // which still spares parsing it again.
    auto document = same_file && cache->document->Bytes() == bytes
                        ? cache->document
                        : std::make_shared<const ProfileDocument>(std::move(bytes));
    cache =
        CachedProfile{std::string(path), *before, SettledBefore(*before, read_began_ns), document};
    return document;
  }
  return nullptr;
}

}  // namespace molvane
