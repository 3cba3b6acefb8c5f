#include "vault/rc4.h"

#include <utility>

#include "vault/wipe.h"

namespace molvane {

Rc4::Rc4(std::span<const std::uint8_t> key) {
  for (std::uint32_t x = 0; x < 256; ++x) state_[x] = x;
  if (key.empty()) return;
  std::uint32_t j = 0;
  std::size_t k = 0;
  for (std::uint32_t x = 0; x < 256; ++x) {
    j = (j + state_[x] + key[k]) & 255u;
    std::swap(state_[x], state_[j]);
    if (++k == key.size()) k = 0;  // key[x mod p], without a division per step
  }
}

Rc4::~Rc4() {
  WipeObject(state_);
  WipeObject(i_);
  WipeObject(j_);
}

void Rc4::Apply(std::span<std::uint8_t> data) {
  std::uint32_t i = i_;
  std::uint32_t j = j_;
  for (std::uint8_t& byte : data) {
    i = (i + 1) & 255u;
    const std::uint32_t a = state_[i];
    j = (j + a) & 255u;
    const std::uint32_t b = state_[j];
    state_[i] = b;
    state_[j] = a;
    byte ^= static_cast<std::uint8_t>(state_[(a + b) & 255u]);
  }
  i_ = i;
  j_ = j;
}

}  // namespace molvane
