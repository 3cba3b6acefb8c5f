#include "vault/rc4.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "byte_strings.h"

namespace molvane {
namespace {

using test::FromHex;
using test::ToHex;

std::string Keystream(std::string_view key, std::size_t length) {
  std::string stream(length, '\0');
  Rc4 rc4({reinterpret_cast<const std::uint8_t*>(key.data()), key.size()});
  rc4.Apply({reinterpret_cast<std::uint8_t*>(stream.data()), stream.size()});
  return stream;
}

struct Rc4Vector {
  const char* key;
  std::size_t offset;
  const char* keystream;  // 16 bytes from the offset on
};

// RFC 6229, section 2: keystream bytes at several offsets, no bytes discarded.
// clang-format off
constexpr Rc4Vector kRfc6229[] = {
    {"0102030405",                          0, "b2396305f03dc027ccc3524a0a1118a8"},
    {"0102030405",                         16, "6982944f18fc82d589c403a47a0d0919"},
    {"0102030405",                        240, "28cb1132c96ce286421dcaadb8b69eae"},
    {"0102030405",                        256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
    {"0102030405",                       4096, "ff25b58995996707e51fbdf08b34d875"},
    {"01020304050607",                      0, "293f02d47f37c9b633f2af5285feb46b"},
    {"0102030405060708",                  768, "44173a103b6616c5d5ad1cee40c863d0"},
    {"0102030405060708090a0b0c0d0e0f10",    0, "9ac7cc9a609d1ef7b2932899cde41b97"},
    {"0102030405060708090a0b0c0d0e0f10", 4080, "ff38265c1642c1abe8d3c2fe5e572bf8"},
    {"0102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f20",    0,
     "eaa6bd25880bf93d3f5d1e4ca2611d91"},
    {"0102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f20", 4096,
     "f3e4c0a2e02d1d01f7f0a74618af2b48"},
    {"833222772a",                          0, "80ad97bdc973df8a2e879e92a497efda"},
    {"833222772a",                       4096, "bf42c3018c2f7c66bfde524975768115"},
    {"1ada31d5cf688221c109163908ebe51debb46227c6cc8b37641910833222772a",  240,
     "af3e30f9c095045938151575c3fb9098"},
};
// clang-format on

TEST(Rc4Test, Rfc6229Keystreams) {
  for (const Rc4Vector& v : kRfc6229) {
    SCOPED_TRACE(std::string(v.key) + " at " + std::to_string(v.offset));
    EXPECT_EQ(ToHex(Keystream(FromHex(v.key), v.offset + 16).substr(v.offset)), v.keystream);
  }
}

// With no key the state stays the identity, so the generator's first steps can
// be followed by hand: i = 1, j = 1 gives S[2] = 2; i = 2, j = 3 swaps S[2] and
// S[3] and gives S[5] = 5; then S[7] = 7, S[13] = 13 and S[13] = 13 again.
TEST(Rc4Test, EmptyKeyKeepsTheIdentityState) { EXPECT_EQ(ToHex(Keystream("", 5)), "0205070d0d"); }

TEST(Rc4Test, PiecesContinueOneKeystream) {
  const std::string key = FromHex("0102030405");
  const std::string whole = Keystream(key, 300);
  std::string pieces(300, '\0');
  Rc4 rc4({reinterpret_cast<const std::uint8_t*>(key.data()), key.size()});
  auto* bytes = reinterpret_cast<std::uint8_t*>(pieces.data());
  rc4.Apply({bytes, 1});
  rc4.Apply({bytes + 1, 0});
  rc4.Apply({bytes + 1, 254});
  rc4.Apply({bytes + 255, 45});
  EXPECT_EQ(pieces, whole);
}

}  // namespace
}  // namespace molvane
