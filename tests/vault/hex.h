#pragma once
// Hexadecimal spellings of byte strings, for writing test vectors as in their sources.

#include <string>
#include <string_view>

namespace molvane::test {

// Bytes from hex digits in pairs ("0123ab" gives 01 23 AB); spaces are skipped.
[[nodiscard]] std::string FromHex(std::string_view hex);

// Lowercase hex digits of the bytes.
[[nodiscard]] std::string ToHex(std::string_view bytes);

}  // namespace molvane::test
