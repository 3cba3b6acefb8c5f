#include "vault/vault_cipher.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "byte_strings.h"
#include "vault/des.h"

namespace molvane {
namespace {

using test::FromHex;
using test::RandomBytes;
using test::ToHex;

// Passwords of every shape: empty, one byte, longer than the DES key and the
// RC4 state, and GBK text.
std::vector<std::string> SamplePasswords() {
  std::mt19937 random(11);
  std::string long_password;
  for (int i = 0; i < 300; ++i) long_password += static_cast<char>(1 + random() % 255);
  return {"", "a", "\xff", "correct horse battery staple", long_password, "密码", "注册信息123"};
}

// DES-ECB under the key the vault folds from `password`, outside the envelope.
std::string DesUnderPassword(std::string_view data, std::string_view password,
                             DesSchedule::Direction direction) {
  return test::VaultDes(data, FoldDesKey(password), direction);
}

TEST(FoldDesKeyTest, XorsPasswordBytesIntoEightPlaces) {
  struct Case {
    std::string password;
    const char* key;
  };
  const Case cases[] = {
      {"", "0000000000000000"},
      {"a", "6100000000000000"},
      {"12345678", "3132333435363738"},
      {"123456789", "0832333435363738"},             // '1' ^ '9'
      {"1234567812345678", "0000000000000000"},      // every byte cancelled
      {"密码", "c3dcc2eb00000000"},                  // GBK bytes
      {std::string("a\0b", 3), "6100620000000000"},  // a zero byte counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToHex(c.password));
    const DesKey key = FoldDesKey(c.password);
    EXPECT_EQ(ToHex({reinterpret_cast<const char*>(key.data()), key.size()}), c.key);
  }
}

TEST(VaultCipherTest, SealedSizes) {
  struct Case {
    std::size_t plain;
    std::size_t sealed;
  };
  const Case cases[] = {{0, 32}, {1, 40}, {4, 40}, {5, 48}, {12, 48}, {13, 56}, {100, 136}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plain);
    EXPECT_EQ(SealVault(std::string(c.plain, 'x'), "pw").size(), c.sealed);
  }
}

// The envelope is the signed little-endian length, the data and zeros to a
// multiple of 8, under DES; algorithm numbers other than 2 all mean DES.
TEST(VaultCipherTest, EnvelopeLayout) {
  const std::string data = "abcdefghijk";  // 4 + 11 = 15, so one zero byte of fill
  const std::string envelope = EncryptData(data, "pw", 1);
  EXPECT_EQ(ToHex(DesUnderPassword(envelope, "pw", DesSchedule::Direction::kDecrypt)),
            "0b000000" + ToHex(data) + "00");
  EXPECT_EQ(EncryptData(data, "pw"), envelope);
  EXPECT_EQ(EncryptData(data, "pw", 0), envelope);
  EXPECT_EQ(EncryptData(data, "pw", 7), envelope);
  EXPECT_EQ(DecryptData(envelope, "pw", -1), data);
  EXPECT_EQ(EncryptData("", "pw", 1), "");
  EXPECT_EQ(EncryptData("", "pw", 2), "");
}

// The decrypted header c of an envelope of L bytes is accepted only when
// c > 0, c <= L - 4 and c > L - 12; the fill after the content is not read.
TEST(VaultCipherTest, EnvelopeAcceptanceTest) {
  struct Case {
    std::size_t length;
    std::int32_t claimed;
    bool accepted;
  };
  const Case cases[] = {
      {8, 1, true},    {8, 4, true},           {8, 5, false},          {8, 0, false},
      {8, -1, false},  {16, 4, false},         {16, 5, true},          {16, 12, true},
      {16, 13, false}, {24, 12, false},        {24, 13, true},         {24, 20, true},
      {24, 21, false}, {16, INT32_MIN, false}, {16, INT32_MAX, false},
  };
  std::mt19937 random(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.length) + " bytes claiming " + std::to_string(c.claimed));
    std::string plain_envelope = RandomBytes(random, c.length);  // fill is not zero here
    for (int i = 0; i < 4; ++i) {
      plain_envelope[static_cast<std::size_t>(i)] =
          static_cast<char>(static_cast<std::uint32_t>(c.claimed) >> (8 * i));
    }
    const std::string envelope =
        DesUnderPassword(plain_envelope, "pw", DesSchedule::Direction::kEncrypt);
    const std::string expected =
        c.accepted ? plain_envelope.substr(4, static_cast<std::size_t>(c.claimed)) : "";
    EXPECT_EQ(DecryptData(envelope, "pw", 1), expected);
  }
}

TEST(VaultCipherTest, EnvelopeLengthNotAPositiveMultipleOfEight) {
  std::mt19937 random(5);
  for (const std::size_t length : {0u, 1u, 4u, 7u, 9u, 12u, 15u, 17u, 33u}) {
    SCOPED_TRACE(length);
    EXPECT_EQ(DecryptData(RandomBytes(random, length), "pw", 1), "");
  }
}

TEST(VaultCipherTest, OpenRejectsShortOrMisalignedInput) {
  const std::string sealed = SealVault("some plain content", "pw");
  for (const std::size_t length : {0u, 1u, 31u, 32u, 33u, 39u}) {
    SCOPED_TRACE(length);
    EXPECT_EQ(OpenVault(sealed.substr(0, length), "pw"), "");
  }
  EXPECT_EQ(OpenVault(sealed + "x", "pw"), "");  // length - 32 not a multiple of 8
}

// Only the seven low bits of each folded key byte reach DES; the RC4 layers
// still see every password byte.
TEST(VaultCipherTest, MostSignificantBitOfFoldedKeyByteIsIgnoredByDes) {
  const std::string data = "the register";
  const std::string password = "abcdefgh";
  std::string flipped = password;
  flipped[7] = static_cast<char>(flipped[7] ^ 0x80);
  EXPECT_EQ(EncryptData(data, flipped, 1), EncryptData(data, password, 1));
  EXPECT_NE(EncryptData(data, flipped, 2), EncryptData(data, password, 2));
  EXPECT_NE(SealVault(data, flipped), SealVault(data, password));
}

TEST(VaultCipherTest, Rc4IsItsOwnInverse) {
  std::mt19937 random(13);
  for (const std::string& password : SamplePasswords()) {
    const std::string data = RandomBytes(random, 77);
    EXPECT_NE(EncryptData(data, password, 2), data);
    EXPECT_EQ(DecryptData(EncryptData(data, password, 2), password, 2), data);
  }
}

// SealVault and OpenVault are compositions of the three entry points; the
// round trip holds for all contents, padding boundaries and passwords.
TEST(VaultCipherTest, RoundTripsAndComposition) {
  std::mt19937 random(17);
  const std::size_t lengths[] = {0,  1,  2,  3,  4,  5,  7,  8,  9,  11,  12,   13,
                                 15, 16, 17, 31, 32, 33, 63, 64, 65, 100, 1000, 4099};
  for (const std::string& password : SamplePasswords()) {
    for (const std::size_t length : lengths) {
      SCOPED_TRACE("password " + ToHex(password) + ", " + std::to_string(length) + " bytes");
      const std::string plain = RandomBytes(random, length);
      const std::string sealed = SealVault(plain, password);

      const std::string inner = EncryptData(plain, password, 1);
      const std::string tail = EncryptData(DataDigestMd5(inner), password, 2);
      EXPECT_EQ(sealed, EncryptData(inner + tail, password, 2));
      EXPECT_EQ(sealed.size(), length == 0 ? 32 : (length + 4 + 7) / 8 * 8 + 32);

      EXPECT_EQ(OpenVault(sealed, password), plain);
    }
  }
}

// The digest tail is never read back: damage confined to it does not matter.
TEST(VaultCipherTest, TailIsDiscardedUnread) {
  const std::string plain = "[网站]\r\n网址=example.com\r\n";
  const std::string sealed = SealVault(plain, "pw");
  for (std::size_t i = sealed.size() - 32; i < sealed.size(); ++i) {
    std::string damaged = sealed;
    damaged[i] = static_cast<char>(damaged[i] ^ 0x5a);
    EXPECT_EQ(OpenVault(damaged, "pw"), plain) << "damage at " << i;
  }
  std::string replaced = sealed;
  replaced.replace(sealed.size() - 32, 32, 32, '\0');
  EXPECT_EQ(OpenVault(replaced, "pw"), plain);
}

TEST(VaultCipherTest, WrongPasswordOrUnsealedDataDoesNotOpen) {
  const std::string plain = "[网站]\r\n网址=example.com\r\n账号=me\r\n";
  const std::string sealed = SealVault(plain, "密码");
  for (const char* wrong : {"", "密", "密码 ", "mima"}) {
    EXPECT_EQ(OpenVault(sealed, wrong), "") << wrong;
  }
  // A plain profile file, 48 bytes long, is opened like any sealed file and fails.
  const std::string profile = "[网站]\r\n网址=example.com\r\n账号=me\r\n密码=123456\r\n";
  ASSERT_EQ(profile.size() % 8, 0u);
  for (const std::string& password : SamplePasswords()) {
    EXPECT_EQ(OpenVault(profile, password), "") << ToHex(password);
  }
}

// A sealed file written once by an independent implementation (OpenSSL's
// DES-ECB, RC4 and MD5 composed as the format says): files must open and
// seal byte for byte alike on every platform.
TEST(VaultCipherTest, KnownSealedFile) {
  const std::string plain = "[网站]\r\n网址=example.com\r\n";
  const std::string sealed = FromHex(
      "7484789bb4b61a20cca083a90a474cdace13405e5587c31ae77493a38370a3ad"
      "0f4df470f7ef1ae1f2447463c7f97be1be8605a68aa631f4082fef059e00d615");
  EXPECT_EQ(ToHex(SealVault(plain, "密码")), ToHex(sealed));
  EXPECT_EQ(OpenVault(sealed, "密码"), plain);
}

}  // namespace
}  // namespace molvane
