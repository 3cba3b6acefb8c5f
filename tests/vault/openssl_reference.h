#pragma once
// The vault's format built again from OpenSSL's primitives (DES-ECB and RC4
// from its legacy provider, MD5 from the default one), written apart from
// src/vault so that the two can check each other, and so that the benchmark
// compares equal work. Test and benchmark code only.

#include <string>
#include <string_view>

#include "vault/des.h"

namespace molvane::openssl_reference {

// Standard DES-ECB over whole blocks under a key in the standard's bit order.
[[nodiscard]] std::string DesEcb(std::string_view data, const DesKey& key, bool encrypt);

// RC4 keystream XORed into `data`. OpenSSL needs a key of at least one byte.
[[nodiscard]] std::string Rc4(std::string_view data, std::string_view key);

// MD5 of `data` in lowercase hexadecimal.
[[nodiscard]] std::string Md5Hex(std::string_view data);

// The sealed form and its opening, for a non-empty password.
[[nodiscard]] std::string SealVault(std::string_view plain, std::string_view password);
[[nodiscard]] std::string OpenVault(std::string_view sealed, std::string_view password);

}  // namespace molvane::openssl_reference
