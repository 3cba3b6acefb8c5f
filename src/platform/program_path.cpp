#include "platform/program_path.h"

#include <unistd.h>

#include <vector>

namespace molvane {

namespace {

// The target of /proc/self/exe, read with a buffer that grows until the
// whole path fits; empty when it cannot be read.
std::string ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string ProgramDirectory() {
  const std::string executable = ExecutablePath();
  const std::size_t slash = executable.rfind('/');
  if (slash == std::string::npos) return ".";
  return executable.substr(0, slash);
}

}  // namespace molvane
