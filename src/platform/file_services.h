#pragma once
// Whole-file access for the data file. Paths are the operating system's own bytes.

#include <string>
#include <string_view>

namespace molvane {

// The file's size in bytes, or -1 when it does not exist (or is not a regular file).
[[nodiscard]] long long FileSizeOf(std::string_view path);

// The whole content; empty when the file cannot be read.
[[nodiscard]] std::string ReadFileBytes(std::string_view path);

// Replaces the file with `bytes` atomically: a temporary file in the same
// folder is written, flushed to disk and renamed over the target, keeping
// the target's permissions. A file it creates is readable and writable by
// its owner only. On any failure (a read-only target included) the old file
// is left whole and the result is false.
[[nodiscard]] bool WriteFileBytes(std::string_view path, std::string_view bytes);

}  // namespace molvane
