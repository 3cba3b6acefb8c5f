#pragma once
// Paths handed to the operating system's calls.

#include <optional>
#include <string>
#include <string_view>

namespace molvane {

// `path` as a zero-terminated string; nullopt when it holds a zero byte,
// which the system would take for its end and so name another file.
[[nodiscard]] inline std::optional<std::string> NativePath(std::string_view path) {
  if (path.empty() || path.find('\0') != std::string_view::npos) return std::nullopt;
  return std::string(path);
}

}  // namespace molvane
