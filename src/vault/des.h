#pragma once
// DES block cipher (FIPS 46-3) in ECB mode, with one departure from the
// standard: the 64 key bits are read from each key byte starting at its
// least significant bit (key bit 1 is bit 0 of byte 0, key bit 8 is bit 7 of
// byte 0). It is standard DES keyed with every key byte bit-reversed, and
// the most significant bit of each key byte takes no part. Sealed files
// depend on that order. Data blocks keep the standard order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace molvane {

using DesKey = std::array<std::uint8_t, 8>;
inline constexpr std::size_t kDesBlockSize = 8;

// The sixteen round keys of one key, ordered for one direction. Each call
// that needs DES makes its own and the destructor wipes it.
class DesSchedule {
 public:
  enum class Direction { kEncrypt, kDecrypt };

  DesSchedule(const DesKey& key, Direction direction);
  ~DesSchedule();
  DesSchedule(const DesSchedule&) = delete;
  DesSchedule& operator=(const DesSchedule&) = delete;

  // Writes the encryption (or decryption) of each 8-byte block of `in` to
  // the same place in `out`. `in` holds a whole number of blocks, `out` is
  // as long, and the two are the same buffer or do not overlap.
  void TransformEcb(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) const;

 private:
  // Two words per round; see des.cpp for their layout.
  std::array<std::uint32_t, 32> round_keys_;
};

}  // namespace molvane
