#pragma once
// The sealed form of the data file and the three entry points it is built on.
//
// Sealed form of n plain bytes (n >= 1), all under one RC4 pass keyed with
// the password:
//   - the DES-ECB encryption, under FoldDesKey(password), of the envelope:
//     n as signed 32-bit little-endian, the n bytes, zeros up to a multiple
//     of 8 (m bytes in all);
//   - the 32 lowercase hex characters of the MD5 of those m encrypted bytes,
//     under an RC4 pass of their own.
// Empty plain content seals to the 32-byte tail alone. Nothing marks a sealed
// file; the plausibility of the decrypted length is the only password check,
// and the tail is never read back.
//
// Bytes are std::string and may hold zeros. The password is GBK bytes and may
// be empty. Every call derives its keys afresh and wipes them before it returns.

#include <string>
#include <string_view>

#include "vault/des.h"

namespace molvane {

inline constexpr int kDesAlgorithm = 1;
inline constexpr int kRc4Algorithm = 2;

// The sealed form of `plain`. Empty when plain is not empty but cannot be
// sealed (memory, or more than 2^31 - 1 bytes): never a tail-only file for
// content that exists.
[[nodiscard]] std::string SealVault(std::string_view plain, std::string_view password);

// The plain content of `sealed`, or empty when it cannot be opened (shorter
// than 40 bytes, its length less 32 not a multiple of 8, or the decrypted
// length implausible). A wrong password whose length header happens to pass
// yields meaningless bytes.
[[nodiscard]] std::string OpenVault(std::string_view sealed, std::string_view password);

// kRc4Algorithm: `data` under the password's RC4 keystream (its own inverse).
// Any other number: the DES envelope of `data`, empty for empty data.
[[nodiscard]] std::string EncryptData(std::string_view data, std::string_view password,
                                      int algorithm = kDesAlgorithm);

// kRc4Algorithm: as EncryptData. Any other number: the content of a DES
// envelope, empty unless the length is a positive multiple of 8 and the
// decrypted length c satisfies 0 < c, c <= length - 4, length - 12 < c.
[[nodiscard]] std::string DecryptData(std::string_view data, std::string_view password,
                                      int algorithm = kDesAlgorithm);

// MD5 of `data` as exactly 32 lowercase hexadecimal characters.
[[nodiscard]] std::string DataDigestMd5(std::string_view data);

// The DES key of a password: byte i of the password XORed into key byte i mod 8.
[[nodiscard]] DesKey FoldDesKey(std::string_view password);

}  // namespace molvane
