// The vault's primitives and format against OpenSSL on random data.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "byte_strings.h"
#include "openssl_reference.h"
#include "vault/des.h"
#include "vault/rc4.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

using test::RandomBytes;
using test::ToHex;
using test::VaultDes;

// Standard DES keyed with the bit-reversed key bytes is this cipher.
TEST(OpenSslCrossTest, DesEcbWithBitReversedKey) {
  std::mt19937 random(101);
  for (int trial = 0; trial < 300; ++trial) {
    DesKey key{};
    for (auto& byte : key) byte = static_cast<std::uint8_t>(random());
    const std::string data = RandomBytes(random, kDesBlockSize * (1 + random() % 40));
    const DesKey standard_key = test::BitReversedKey(key);
    SCOPED_TRACE(ToHex({reinterpret_cast<const char*>(key.data()), key.size()}));
    EXPECT_EQ(VaultDes(data, key, DesSchedule::Direction::kEncrypt),
              openssl_reference::DesEcb(data, standard_key, true));
    EXPECT_EQ(VaultDes(data, key, DesSchedule::Direction::kDecrypt),
              openssl_reference::DesEcb(data, standard_key, false));
  }
}

TEST(OpenSslCrossTest, Rc4) {
  std::mt19937 random(202);
  for (int trial = 0; trial < 300; ++trial) {
    const std::string key = RandomBytes(random, 1 + random() % 256);
    const std::string data = RandomBytes(random, random() % 5000);
    SCOPED_TRACE(ToHex(key));
    EXPECT_EQ(EncryptData(data, key, 2), openssl_reference::Rc4(data, key));
  }
}

// Every remainder modulo the 64-byte block, around the padding edge at 55 and 56.
TEST(OpenSslCrossTest, Md5) {
  std::mt19937 random(303);
  for (std::size_t length = 0; length < 300; ++length) {
    const std::string data = RandomBytes(random, length);
    EXPECT_EQ(DataDigestMd5(data), openssl_reference::Md5Hex(data)) << length;
  }
}

TEST(OpenSslCrossTest, SealedFilesAreInterchangeable) {
  std::mt19937 random(404);
  for (int trial = 0; trial < 200; ++trial) {
    const std::string password = RandomBytes(random, 1 + random() % 40);
    const std::string plain = RandomBytes(random, random() % 3000);
    SCOPED_TRACE(ToHex(password) + ", " + std::to_string(plain.size()) + " bytes");
    const std::string sealed = SealVault(plain, password);
    EXPECT_EQ(sealed, openssl_reference::SealVault(plain, password));
    EXPECT_EQ(openssl_reference::OpenVault(sealed, password), plain);
  }
}

}  // namespace
}  // namespace molvane
