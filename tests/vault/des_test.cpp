#include "vault/des.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "byte_strings.h"

namespace molvane {
namespace {

using test::FromHex;
using test::ToHex;
using test::VaultDes;

// Standard DES reads each key byte from its most significant bit; this cipher
// from its least. Reversing the bits of the standard vectors' key bytes must
// therefore give the standard results.
DesKey VaultKeyFromStandard(std::string_view hex) {
  const std::string standard = FromHex(hex);
  DesKey key{};
  std::memcpy(key.data(), standard.data(), key.size());
  return test::BitReversedKey(key);
}

struct DesVector {
  const char* source;
  const char* key;
  const char* plain;
  const char* cipher;
};

// clang-format off
constexpr DesVector kDesVectors[] = {
    {"FIPS 81 Appendix B, ECB (\"Now is the time for all \")", "0123456789abcdef",
     "4e6f772069732074 68652074696d6520 666f7220616c6c20",
     "3fa40e8a984d4815 6a271787ab8883f9 893d51ec4b563b53"},
    {"SP 800-17 Table A.1, variable plaintext, round 1",   "0101010101010101", "8000000000000000", "95f8a5e5dd31d900"},
    {"SP 800-17 Table A.1, variable plaintext, round 2",   "0101010101010101", "4000000000000000", "dd7f121ca5015619"},
    {"SP 800-17 Table A.1, variable plaintext, round 64",  "0101010101010101", "0000000000000001", "166b40b44aba4bd6"},
    {"SP 800-17 Table A.2, variable key, round 1",         "8001010101010101", "0000000000000000", "95a8d72813daa94d"},
    {"SP 800-17 Table A.2, variable key, round 2",         "4001010101010101", "0000000000000000", "0eec1487dd8c26d5"},
    {"SP 800-17 Table A.2, variable key, round 56",        "0101010101010102", "0000000000000000", "869efd7f9f265a09"},
    {"SP 800-17 Table A.3, permutation operation, round 1", "1046913489980131", "0000000000000000", "88d55e54f54c97b4"},
    {"SP 800-17 Table A.4, substitution table, round 1",   "7ca110454a1a6e57", "01a1d6d039776742", "690f5b0d9a26939b"},
    {"SP 800-17 Table A.4, substitution table, round 2",   "0131d9619dc1376e", "5cd54ca83def57da", "7a389d10354bd271"},
    {"Grabbe, The DES Algorithm Illustrated",              "133457799bbcdff1", "0123456789abcdef", "85e813540f0ab405"},
};
// clang-format on

TEST(DesTest, StandardVectorsThroughBitReversedKey) {
  for (const DesVector& v : kDesVectors) {
    SCOPED_TRACE(v.source);
    const DesKey key = VaultKeyFromStandard(v.key);
    const std::string plain = FromHex(v.plain);
    const std::string cipher = FromHex(v.cipher);
    EXPECT_EQ(ToHex(VaultDes(plain, key, DesSchedule::Direction::kEncrypt)), ToHex(cipher));
    EXPECT_EQ(ToHex(VaultDes(cipher, key, DesSchedule::Direction::kDecrypt)), ToHex(plain));
  }
}

// Runs of blocks go through the interleaved path and the single-block path;
// every block of a run must come out as it does alone, also in place.
TEST(DesTest, ManyBlocksEqualOneAtATime) {
  std::mt19937 random(7);
  DesKey key{};
  for (auto& byte : key) byte = static_cast<std::uint8_t>(random());
  for (std::size_t blocks = 1; blocks <= 13; ++blocks) {
    SCOPED_TRACE(blocks);
    std::string data(blocks * kDesBlockSize, '\0');
    for (auto& c : data) c = static_cast<char>(random());
    for (const auto direction :
         {DesSchedule::Direction::kEncrypt, DesSchedule::Direction::kDecrypt}) {
      std::string one_at_a_time;
      for (std::size_t b = 0; b < blocks; ++b) {
        one_at_a_time += VaultDes(data.substr(b * kDesBlockSize, kDesBlockSize), key, direction);
      }
      EXPECT_EQ(VaultDes(data, key, direction), one_at_a_time);

      std::string in_place = data;
      const DesSchedule des(key, direction);
      const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t*>(in_place.data()),
                                          in_place.size());
      des.TransformEcb(bytes, bytes);
      EXPECT_EQ(in_place, one_at_a_time);
    }
  }
}

}  // namespace
}  // namespace molvane
