#pragma once
// What tells one state of a file on disk from another without reading it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace molvane {

// Identity, size and change times of a regular file. Replacing or rewriting
// the file gives a new stamp, except that a rewrite in place to the same size
// within one tick of the file system's clock keeps the times unchanged.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modified_ns = 0;  // since the epoch
  std::int64_t changed_ns = 0;   // status change, since the epoch

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the regular file at `path`; nullopt when there is none.
[[nodiscard]] std::optional<FileStamp> StampOf(std::string_view path);

// Now, on the wall clock that stamps are taken from, in nanoseconds since
// the epoch; 0 when the clock cannot be read.
[[nodiscard]] std::int64_t StampClockNowNs();

}  // namespace molvane
