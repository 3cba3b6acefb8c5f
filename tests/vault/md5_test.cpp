#include <gtest/gtest.h>

#include "vault/vault_cipher.h"

namespace molvane {
namespace {

struct Md5Vector {
  const char* message;
  const char* digest;
};

// RFC 1321, appendix A.5 (the test suite), in the lowercase hex DataDigestMd5 writes.
// clang-format off
constexpr Md5Vector kRfc1321[] = {
    {"",                           "d41d8cd98f00b204e9800998ecf8427e"},
    {"a",                          "0cc175b9c0f1b6a831c399e269772661"},
    {"abc",                        "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest",             "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};
// clang-format on

TEST(Md5Test, Rfc1321TestSuite) {
  for (const Md5Vector& v : kRfc1321) {
    SCOPED_TRACE(v.message);
    EXPECT_EQ(DataDigestMd5(v.message), v.digest);
  }
}

// The digest covers every byte, zeros included, and leading zero nibbles are written.
TEST(Md5Test, ZeroBytesAreHashed) {
  EXPECT_EQ(DataDigestMd5(std::string(1, '\0')), "93b885adfe0da089cdf634904fd59f71");
  EXPECT_NE(DataDigestMd5(std::string(2, '\0')), DataDigestMd5(std::string(1, '\0')));
}

}  // namespace
}  // namespace molvane
