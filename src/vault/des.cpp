#include "vault/des.h"

#include <bit>
#include <utility>

#include "vault/byte_order.h"
#include "vault/wipe.h"

namespace molvane {
namespace {

// Tables of FIPS 46-3. Bit positions count from 1 at the most significant end
// of the key, of the 56-bit C||D register and of the 32-bit S-box output.
// clang-format off
constexpr std::array<std::uint8_t, 56> kPc1 = {
    57, 49, 41, 33, 25, 17,  9,  1, 58, 50, 42, 34, 26, 18,
    10,  2, 59, 51, 43, 35, 27, 19, 11,  3, 60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15,  7, 62, 54, 46, 38, 30, 22,
    14,  6, 61, 53, 45, 37, 29, 21, 13,  5, 28, 20, 12,  4};

constexpr std::array<std::uint8_t, 48> kPc2 = {
    14, 17, 11, 24,  1,  5,  3, 28, 15,  6, 21, 10,
    23, 19, 12,  4, 26,  8, 16,  7, 27, 20, 13,  2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr std::array<std::uint8_t, 16> kRotations = {
    1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr std::array<std::uint8_t, 32> kP = {
    16,  7, 20, 21, 29, 12, 28, 17,  1, 15, 23, 26,  5, 18, 31, 10,
     2,  8, 24, 14, 32, 27,  3,  9, 19, 13, 30,  6, 22, 11,  4, 25};

// S1 to S8, each as four rows of sixteen columns.
constexpr std::uint8_t kSboxes[8][64] = {
    {14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
      0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
      4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
     15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13},
    {15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
      3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
      0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
     13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9},
    {10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
     13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
     13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
      1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12},
    { 7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
     13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
     10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
      3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14},
    { 2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
     14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
      4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
     11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3},
    {12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
     10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
      9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
      4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13},
    { 4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
     13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
      1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
      6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12},
    {13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
      1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
      7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
      2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11}};
// clang-format on

// The round function works on halves kept rotated left by 5 bits. The
// expansion E cuts the half into eight overlapping 6-bit windows, window w
// starting at bit 4w (bit 0 being bit 32); in the rotated half the windows
// 0, 6, 4, 2 are the low six bits of its bytes 0 to 3, and rotating it left by
// 4 more bits brings windows 1, 7, 5, 3 to the same places. So the eight
// S-box inputs are eight "lanes": lane k is the low six bits of byte k % 4 of
// the first (k < 4) or second word, and the round key is stored the same way.
constexpr int kHalfRotation = 5;
constexpr std::array<std::size_t, 8> kWindowOfLane = {0, 6, 4, 2, 1, 7, 5, 3};

[[nodiscard]] constexpr std::uint32_t PermuteP(std::uint32_t sbox_output) {
  std::uint32_t out = 0;
  for (std::size_t i = 0; i < 32; ++i) {
    out |= ((sbox_output >> (32 - kP[i])) & 1u) << (31 - i);
  }
  return out;
}

// For each lane, the S-box of its window followed by P, already rotated like
// the halves: the round function is eight look-ups. A lane's byte also holds
// two bits of other windows on top; each table repeats its 64 entries four
// times and takes the whole byte as index, which saves masking every lane.
using SpTables = std::array<std::array<std::uint32_t, 256>, 8>;

[[nodiscard]] constexpr SpTables MakeSpTables() {
  SpTables tables{};
  for (std::size_t lane = 0; lane < 8; ++lane) {
    const std::size_t box = kWindowOfLane[lane];
    for (unsigned x = 0; x < 256; ++x) {
      // Of the six low bits, the outer two pick the row and the inner four the column.
      const unsigned row = ((x >> 4) & 2u) | (x & 1u);
      const unsigned column = (x >> 1) & 15u;
      const std::uint32_t s = kSboxes[box][row * 16 + column];
      tables[lane][x] = std::rotl(PermuteP(s << (28 - 4 * box)), kHalfRotation);
    }
  }
  return tables;
}

constexpr SpTables kSp = MakeSpTables();

[[nodiscard, gnu::always_inline]] inline std::uint32_t Lane(std::uint32_t word, int byte) {
  return (word >> (8 * byte)) & 255u;
}

[[nodiscard, gnu::always_inline]] inline std::uint32_t RoundFunction(std::uint32_t half,
                                                                     std::uint32_t key_even,
                                                                     std::uint32_t key_odd) {
  const std::uint32_t a = half ^ key_even;
  const std::uint32_t b = std::rotl(half, 4) ^ key_odd;
  return kSp[0][Lane(a, 0)] ^ kSp[1][Lane(a, 1)] ^ kSp[2][Lane(a, 2)] ^ kSp[3][Lane(a, 3)] ^
         kSp[4][Lane(b, 0)] ^ kSp[5][Lane(b, 1)] ^ kSp[6][Lane(b, 2)] ^ kSp[7][Lane(b, 3)];
}

// Exchanges the bits of `b` selected by `mask` with the bits of `a` that
// lie `shift` places higher: the building step of IP and its inverse.
[[gnu::always_inline]] inline void SwapMove(std::uint32_t& a, std::uint32_t& b, int shift,
                                            std::uint32_t mask) {
  const std::uint32_t t = ((a >> shift) ^ b) & mask;
  b ^= t;
  a ^= t << shift;
}

// IP on the block whose halves are bytes 0-3 and 4-7 read big-endian.
[[gnu::always_inline]] inline void InitialPermutation(std::uint32_t& left, std::uint32_t& right) {
  SwapMove(left, right, 4, 0x0f0f0f0fu);
  SwapMove(left, right, 16, 0x0000ffffu);
  SwapMove(right, left, 2, 0x33333333u);
  SwapMove(right, left, 8, 0x00ff00ffu);
  SwapMove(left, right, 1, 0x55555555u);
}

// IP^-1: the same steps in reverse order, each being its own inverse.
[[gnu::always_inline]] inline void FinalPermutation(std::uint32_t& left, std::uint32_t& right) {
  SwapMove(left, right, 1, 0x55555555u);
  SwapMove(right, left, 8, 0x00ff00ffu);
  SwapMove(right, left, 2, 0x33333333u);
  SwapMove(left, right, 16, 0x0000ffffu);
  SwapMove(left, right, 4, 0x0f0f0f0fu);
}

// Key bit `position` (1 to 64) in this cipher's order: least significant bit first.
[[nodiscard]] std::uint32_t KeyBit(const DesKey& key, int position) {
  const int index = position - 1;
  return (std::uint32_t{key[static_cast<std::size_t>(index / 8)]} >> (index % 8)) & 1u;
}

[[nodiscard]] std::uint32_t Rotate28(std::uint32_t half, int count) {
  return ((half << count) | (half >> (28 - count))) & 0x0fffffffu;
}

// The six bits of window `window` of the 48-bit round key chosen by PC-2
// from C||D (bit 1 of C||D at bit 55 of `cd`).
[[nodiscard]] std::uint32_t RoundKeyWindow(std::uint64_t cd, std::size_t window) {
  std::uint32_t six = 0;
  for (std::size_t i = 0; i < 6; ++i) {
    six = (six << 1) | static_cast<std::uint32_t>((cd >> (56 - kPc2[6 * window + i])) & 1u);
  }
  return six;
}

// One block between IP and IP^-1, its halves rotated as the round function wants.
struct Halves {
  std::uint32_t left;
  std::uint32_t right;
};

[[gnu::always_inline]] inline Halves EnterRounds(const std::uint8_t* block) {
  Halves h{load32_be(block), load32_be(block + 4)};
  InitialPermutation(h.left, h.right);
  return {std::rotl(h.left, kHalfRotation), std::rotl(h.right, kHalfRotation)};
}

// The last round does not swap the halves: the output is IP^-1(R16 || L16).
[[gnu::always_inline]] inline void LeaveRounds(Halves h, std::uint8_t* block) {
  std::uint32_t left = std::rotr(h.right, kHalfRotation);
  std::uint32_t right = std::rotr(h.left, kHalfRotation);
  FinalPermutation(left, right);
  store32_be(block, left);
  store32_be(block + 4, right);
}

// Encrypts (or decrypts) one block per index side by side. The blocks are
// independent, so interleaving their rounds keeps several table look-ups in
// flight instead of waiting on one block's chain of dependent rounds. The
// pack expansions unroll the blocks whatever the optimisation level, so the
// halves live in registers.
template <std::size_t... K>
void TransformBlocks(const std::uint32_t* round_keys, const std::uint8_t* in, std::uint8_t* out,
                     std::index_sequence<K...>) {
  Halves h[] = {EnterRounds(in + kDesBlockSize * K)...};
  for (const std::uint32_t* keys = round_keys; keys != round_keys + 32; keys += 4) {
    ((h[K].left ^= RoundFunction(h[K].right, keys[0], keys[1])), ...);
    ((h[K].right ^= RoundFunction(h[K].left, keys[2], keys[3])), ...);
  }
  (LeaveRounds(h[K], out + kDesBlockSize * K), ...);
}

}  // namespace

DesSchedule::DesSchedule(const DesKey& key, Direction direction) {
  std::uint32_t c = 0;
  std::uint32_t d = 0;
  for (std::size_t i = 0; i < 28; ++i) {
    c = (c << 1) | KeyBit(key, kPc1[i]);
    d = (d << 1) | KeyBit(key, kPc1[28 + i]);
  }
  for (std::size_t round = 0; round < 16; ++round) {
    c = Rotate28(c, kRotations[round]);
    d = Rotate28(d, kRotations[round]);
    const std::uint64_t cd = (std::uint64_t{c} << 28) | d;
    std::uint32_t words[2] = {0, 0};
    for (std::size_t lane = 0; lane < 8; ++lane) {
      words[lane / 4] |= RoundKeyWindow(cd, kWindowOfLane[lane]) << (8 * (lane % 4));
    }
    // Decryption runs the rounds with the round keys in reverse order.
    const std::size_t slot = direction == Direction::kEncrypt ? round : 15 - round;
    round_keys_[2 * slot] = words[0];
    round_keys_[2 * slot + 1] = words[1];
  }
  // C and D hold 56 bits of the key itself; only the schedule may keep them.
  WipeObject(c);
  WipeObject(d);
}

DesSchedule::~DesSchedule() { WipeObject(round_keys_); }

void DesSchedule::TransformEcb(std::span<const std::uint8_t> in,
                               std::span<std::uint8_t> out) const {
  constexpr std::size_t kInterleave = 4;
  const std::size_t blocks = in.size() / kDesBlockSize;
  std::size_t block = 0;
  for (; block + kInterleave <= blocks; block += kInterleave) {
    TransformBlocks(round_keys_.data(), in.data() + block * kDesBlockSize,
                    out.data() + block * kDesBlockSize, std::make_index_sequence<kInterleave>{});
  }
  for (; block < blocks; ++block) {
    TransformBlocks(round_keys_.data(), in.data() + block * kDesBlockSize,
                    out.data() + block * kDesBlockSize, std::make_index_sequence<1>{});
  }
}

}  // namespace molvane
