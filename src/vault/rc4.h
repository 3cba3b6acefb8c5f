#pragma once
// RC4 stream cipher with no keystream bytes discarded. An empty key skips the
// key schedule and leaves the identity permutation.

#include <array>
#include <cstdint>
#include <span>

namespace molvane {

// One keystream, positioned at its start when made. The destructor wipes it.
class Rc4 {
 public:
  explicit Rc4(std::span<const std::uint8_t> key);
  ~Rc4();
  Rc4(const Rc4&) = delete;
  Rc4& operator=(const Rc4&) = delete;

  // Combines `data` with the next data.size() keystream bytes by XOR;
  // encryption and decryption are this same operation.
  void Apply(std::span<std::uint8_t> data);

 private:
  std::array<std::uint8_t, 256> state_;
  std::uint8_t i_ = 0;
  std::uint8_t j_ = 0;
};

}  // namespace molvane
