#pragma once
// Byte strings for the vault's tests and benchmark: hex spellings, to write
// test vectors as in their sources, random contents, and the vault's DES
// over a whole string with the key turned between the two bit orders.

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

#include "vault/des.h"

namespace molvane::test {

// Bytes from hex digits in pairs ("0123ab" gives 01 23 AB); spaces are skipped.
[[nodiscard]] std::string FromHex(std::string_view hex);

// Lowercase hex digits of the bytes.
[[nodiscard]] std::string ToHex(std::string_view bytes);

// `size` bytes drawn from `random`.
[[nodiscard]] std::string RandomBytes(std::mt19937& random, std::size_t size);

// Each key byte with its bits in reverse order. Standard DES reads a key
// byte from its most significant bit, the vault's DES from its least, so
// this turns a key of either order into the same key in the other.
[[nodiscard]] DesKey BitReversedKey(const DesKey& key);

// The vault's DES-ECB under `key` over `data`, a whole number of blocks.
[[nodiscard]] std::string VaultDes(std::string_view data, const DesKey& key,
                                   DesSchedule::Direction direction);

}  // namespace molvane::test
