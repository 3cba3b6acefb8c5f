#include "vault/rc4.h"

#include <utility>

#include "vault/byte_order.h"
#include "vault/wipe.h"

namespace molvane {
namespace {

// One step of the generator. The positions are the caller's locals, kept
// apart from the state so that the byte stores into it cannot alias them.
[[nodiscard, gnu::always_inline]] inline std::uint8_t NextByte(std::array<std::uint8_t, 256>& s,
                                                               std::uint8_t& i, std::uint8_t& j) {
  i = static_cast<std::uint8_t>(i + 1);
  const std::uint8_t a = s[i];
  j = static_cast<std::uint8_t>(j + a);
  const std::uint8_t b = s[j];
  s[i] = b;
  s[j] = a;
  return s[static_cast<std::uint8_t>(a + b)];
}

// The next eight keystream bytes as a little-endian word. The comma fold
// unrolls the steps and keeps them in order.
template <std::size_t... Q>
[[nodiscard, gnu::always_inline]] inline std::uint64_t NextWord(std::array<std::uint8_t, 256>& s,
                                                                std::uint8_t& i, std::uint8_t& j,
                                                                std::index_sequence<Q...>) {
  std::uint64_t word = 0;
  ((word |= std::uint64_t{NextByte(s, i, j)} << (8 * Q)), ...);
  return word;
}

}  // namespace

Rc4::Rc4(std::span<const std::uint8_t> key) {
  for (std::size_t x = 0; x < 256; ++x) state_[x] = static_cast<std::uint8_t>(x);
  if (key.empty()) return;
  std::uint8_t j = 0;
  std::size_t k = 0;
  for (std::size_t x = 0; x < 256; ++x) {
    j = static_cast<std::uint8_t>(j + state_[x] + key[k]);
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
  std::uint8_t i = i_;
  std::uint8_t j = j_;
  // Eight keystream bytes are gathered into a word and XORed in at once.
  std::size_t p = 0;
  for (; p + 8 <= data.size(); p += 8) {
    const std::uint64_t keystream = NextWord(state_, i, j, std::make_index_sequence<8>{});
    store64_le(data.data() + p, load64_le(data.data() + p) ^ keystream);
  }
  for (; p < data.size(); ++p) data[p] ^= NextByte(state_, i, j);
  i_ = i;
  j_ = j;
}

}  // namespace molvane
