#pragma once
// MD5 message digest (RFC 1321).

#include <array>
#include <cstdint>
#include <span>

namespace molvane {

using Md5Digest = std::array<std::uint8_t, 16>;

// The digest of `data`, which may be empty.
[[nodiscard]] Md5Digest ComputeMd5(std::span<const std::uint8_t> data);

}  // namespace molvane
