#include "vault/md5.h"

#include <bit>

#include "vault/byte_order.h"

namespace molvane {
namespace {

constexpr std::size_t kBlockSize = 64;

// The four auxiliary functions of the rounds, in forms equal to the RFC's bit
// for bit. x is always the value the step before computed and the steps form
// one long chain, so each form uses x as late as it can. G adds its two terms
// instead of ORing them (they share no bit), so the add merges with the
// step's own additions.
[[nodiscard]] constexpr std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return z ^ (x & (y ^ z));
}
[[nodiscard]] constexpr std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x & z) + (y & ~z);
}
[[nodiscard]] constexpr std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ (y ^ z);
}
[[nodiscard]] constexpr std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return y ^ (x | ~z);
}

// a = b + ((a + Mix(b, c, d) + word + constant) <<< shift), adding the terms
// that do not wait for b first.
template <std::uint32_t (*Mix)(std::uint32_t, std::uint32_t, std::uint32_t)>
[[gnu::always_inline]] inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c,
                                        std::uint32_t d, std::uint32_t word, std::uint32_t constant,
                                        int shift) {
  a = b + std::rotl(Mix(b, c, d) + (a + word + constant), shift);
}

// Folds one 64-byte block into the chaining state. The constants are the
// integer parts of 2^32 * |sin(i)| for i = 1 to 64.
void CompressBlock(std::array<std::uint32_t, 4>& state, const std::uint8_t* block) {
  std::uint32_t x[16];
  for (std::size_t i = 0; i < 16; ++i) x[i] = load32_le(block + 4 * i);
  std::uint32_t a = state[0];
  std::uint32_t b = state[1];
  std::uint32_t c = state[2];
  std::uint32_t d = state[3];
  // clang-format off
  // Round 1.
  Step<F>(a, b, c, d, x[0], 0xd76aa478, 7);
  Step<F>(d, a, b, c, x[1], 0xe8c7b756, 12);
  Step<F>(c, d, a, b, x[2], 0x242070db, 17);
  Step<F>(b, c, d, a, x[3], 0xc1bdceee, 22);
  Step<F>(a, b, c, d, x[4], 0xf57c0faf, 7);
  Step<F>(d, a, b, c, x[5], 0x4787c62a, 12);
  Step<F>(c, d, a, b, x[6], 0xa8304613, 17);
  Step<F>(b, c, d, a, x[7], 0xfd469501, 22);
  Step<F>(a, b, c, d, x[8], 0x698098d8, 7);
  Step<F>(d, a, b, c, x[9], 0x8b44f7af, 12);
  Step<F>(c, d, a, b, x[10], 0xffff5bb1, 17);
  Step<F>(b, c, d, a, x[11], 0x895cd7be, 22);
  Step<F>(a, b, c, d, x[12], 0x6b901122, 7);
  Step<F>(d, a, b, c, x[13], 0xfd987193, 12);
  Step<F>(c, d, a, b, x[14], 0xa679438e, 17);
  Step<F>(b, c, d, a, x[15], 0x49b40821, 22);
  // Round 2.
  Step<G>(a, b, c, d, x[1], 0xf61e2562, 5);
  Step<G>(d, a, b, c, x[6], 0xc040b340, 9);
  Step<G>(c, d, a, b, x[11], 0x265e5a51, 14);
  Step<G>(b, c, d, a, x[0], 0xe9b6c7aa, 20);
  Step<G>(a, b, c, d, x[5], 0xd62f105d, 5);
  Step<G>(d, a, b, c, x[10], 0x02441453, 9);
  Step<G>(c, d, a, b, x[15], 0xd8a1e681, 14);
  Step<G>(b, c, d, a, x[4], 0xe7d3fbc8, 20);
  Step<G>(a, b, c, d, x[9], 0x21e1cde6, 5);
  Step<G>(d, a, b, c, x[14], 0xc33707d6, 9);
  Step<G>(c, d, a, b, x[3], 0xf4d50d87, 14);
  Step<G>(b, c, d, a, x[8], 0x455a14ed, 20);
  Step<G>(a, b, c, d, x[13], 0xa9e3e905, 5);
  Step<G>(d, a, b, c, x[2], 0xfcefa3f8, 9);
  Step<G>(c, d, a, b, x[7], 0x676f02d9, 14);
  Step<G>(b, c, d, a, x[12], 0x8d2a4c8a, 20);
  // Round 3.
  Step<H>(a, b, c, d, x[5], 0xfffa3942, 4);
  Step<H>(d, a, b, c, x[8], 0x8771f681, 11);
  Step<H>(c, d, a, b, x[11], 0x6d9d6122, 16);
  Step<H>(b, c, d, a, x[14], 0xfde5380c, 23);
  Step<H>(a, b, c, d, x[1], 0xa4beea44, 4);
  Step<H>(d, a, b, c, x[4], 0x4bdecfa9, 11);
  Step<H>(c, d, a, b, x[7], 0xf6bb4b60, 16);
  Step<H>(b, c, d, a, x[10], 0xbebfbc70, 23);
  Step<H>(a, b, c, d, x[13], 0x289b7ec6, 4);
  Step<H>(d, a, b, c, x[0], 0xeaa127fa, 11);
  Step<H>(c, d, a, b, x[3], 0xd4ef3085, 16);
  Step<H>(b, c, d, a, x[6], 0x04881d05, 23);
  Step<H>(a, b, c, d, x[9], 0xd9d4d039, 4);
  Step<H>(d, a, b, c, x[12], 0xe6db99e5, 11);
  Step<H>(c, d, a, b, x[15], 0x1fa27cf8, 16);
  Step<H>(b, c, d, a, x[2], 0xc4ac5665, 23);
  // Round 4.
  Step<I>(a, b, c, d, x[0], 0xf4292244, 6);
  Step<I>(d, a, b, c, x[7], 0x432aff97, 10);
  Step<I>(c, d, a, b, x[14], 0xab9423a7, 15);
  Step<I>(b, c, d, a, x[5], 0xfc93a039, 21);
  Step<I>(a, b, c, d, x[12], 0x655b59c3, 6);
  Step<I>(d, a, b, c, x[3], 0x8f0ccc92, 10);
  Step<I>(c, d, a, b, x[10], 0xffeff47d, 15);
  Step<I>(b, c, d, a, x[1], 0x85845dd1, 21);
  Step<I>(a, b, c, d, x[8], 0x6fa87e4f, 6);
  Step<I>(d, a, b, c, x[15], 0xfe2ce6e0, 10);
  Step<I>(c, d, a, b, x[6], 0xa3014314, 15);
  Step<I>(b, c, d, a, x[13], 0x4e0811a1, 21);
  Step<I>(a, b, c, d, x[4], 0xf7537e82, 6);
  Step<I>(d, a, b, c, x[11], 0xbd3af235, 10);
  Step<I>(c, d, a, b, x[2], 0x2ad7d2bb, 15);
  Step<I>(b, c, d, a, x[9], 0xeb86d391, 21);
  // clang-format on
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

Md5Digest ComputeMd5(std::span<const std::uint8_t> data) {
  std::array<std::uint32_t, 4> state = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  const std::size_t whole = data.size() - data.size() % kBlockSize;
  for (std::size_t offset = 0; offset < whole; offset += kBlockSize) {
    CompressBlock(state, data.data() + offset);
  }

  // The rest, the 0x80 marker, zeros and the bit length (little-endian,
  // modulo 2^64) fill one final block, or two when fewer than 9 bytes remain.
  std::uint8_t tail[2 * kBlockSize] = {};
  const std::size_t rest = data.size() - whole;
  for (std::size_t i = 0; i < rest; ++i) tail[i] = data[whole + i];
  tail[rest] = 0x80;
  const std::size_t tail_size = rest + 9 <= kBlockSize ? kBlockSize : 2 * kBlockSize;
  const std::uint64_t bit_length = static_cast<std::uint64_t>(data.size()) * 8;
  store32_le(tail + tail_size - 8, static_cast<std::uint32_t>(bit_length));
  store32_le(tail + tail_size - 4, static_cast<std::uint32_t>(bit_length >> 32));
  for (std::size_t offset = 0; offset < tail_size; offset += kBlockSize) {
    CompressBlock(state, tail + offset);
  }

  Md5Digest digest;
  for (std::size_t i = 0; i < 4; ++i) store32_le(digest.data() + 4 * i, state[i]);
  return digest;
}

}  // namespace molvane
