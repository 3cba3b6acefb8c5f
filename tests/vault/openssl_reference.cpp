#include "openssl_reference.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "byte_strings.h"

namespace molvane::openssl_reference {
namespace {

// Loads the providers once and keeps the fetched algorithms for the process.
struct Algorithms {
  Algorithms()
      : legacy(OSSL_PROVIDER_load(nullptr, "legacy")),
        standard(OSSL_PROVIDER_load(nullptr, "default")),
        des_ecb(EVP_CIPHER_fetch(nullptr, "DES-ECB", nullptr)),
        rc4(EVP_CIPHER_fetch(nullptr, "RC4", nullptr)),
        md5(EVP_MD_fetch(nullptr, "MD5", nullptr)) {
    if (legacy == nullptr || standard == nullptr || des_ecb == nullptr || rc4 == nullptr ||
        md5 == nullptr) {
      std::abort();  // the comparison cannot run without them
    }
  }
  OSSL_PROVIDER* legacy;
  OSSL_PROVIDER* standard;
  EVP_CIPHER* des_ecb;
  EVP_CIPHER* rc4;
  EVP_MD* md5;
};

const Algorithms& Fetched() {
  static const Algorithms algorithms;
  return algorithms;
}

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

const unsigned char* Unsigned(std::string_view s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

std::string RunCipher(EVP_CIPHER_CTX* context, std::string_view data) {
  std::string out(data.size(), '\0');
  int written = 0;
  int final_written = 0;
  if (EVP_CipherUpdate(context, reinterpret_cast<unsigned char*>(out.data()), &written,
                       Unsigned(data), static_cast<int>(data.size())) != 1 ||
      EVP_CipherFinal_ex(context, reinterpret_cast<unsigned char*>(out.data()) + written,
                         &final_written) != 1 ||
      static_cast<std::size_t>(written + final_written) != data.size()) {
    std::abort();
  }
  return out;
}

}  // namespace

std::string DesEcb(std::string_view data, const DesKey& key, bool encrypt) {
  CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
  if (EVP_CipherInit_ex2(context.get(), Fetched().des_ecb, key.data(), nullptr, encrypt ? 1 : 0,
                         nullptr) != 1 ||
      EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
    std::abort();
  }
  return RunCipher(context.get(), data);
}

std::string Rc4(std::string_view data, std::string_view key) {
  CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
  if (key.empty() ||
      EVP_CipherInit_ex2(context.get(), Fetched().rc4, nullptr, nullptr, 1, nullptr) != 1 ||
      EVP_CIPHER_CTX_set_key_length(context.get(), static_cast<int>(key.size())) != 1 ||
      EVP_CipherInit_ex2(context.get(), nullptr, Unsigned(key), nullptr, 1, nullptr) != 1) {
    std::abort();
  }
  return RunCipher(context.get(), data);
}

std::string Md5Hex(std::string_view data) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_Digest(data.data(), data.size(), digest, &size, Fetched().md5, nullptr) != 1) {
    std::abort();
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 15];
  }
  return hex;
}

namespace {

DesKey StandardKeyOf(std::string_view password) {
  DesKey folded{};
  for (std::size_t i = 0; i < password.size(); ++i) {
    folded[i % 8] =
        static_cast<std::uint8_t>(folded[i % 8] ^ static_cast<unsigned char>(password[i]));
  }
  return test::BitReversedKey(folded);
}

}  // namespace

std::string SealVault(std::string_view plain, std::string_view password) {
  std::string inner;
  if (!plain.empty()) {
    std::string envelope(4 + plain.size() + 7 - (4 + plain.size() + 7) % 8, '\0');
    const auto n = static_cast<std::uint32_t>(plain.size());
    for (int i = 0; i < 4; ++i)
      envelope[static_cast<std::size_t>(i)] = static_cast<char>(n >> (8 * i));
    std::memcpy(envelope.data() + 4, plain.data(), plain.size());
    inner = DesEcb(envelope, StandardKeyOf(password), true);
  }
  return Rc4(inner + Rc4(Md5Hex(inner), password), password);
}

std::string OpenVault(std::string_view sealed, std::string_view password) {
  if (sealed.size() <= 32) return {};
  const std::string inner = Rc4(sealed.substr(0, sealed.size() - 32), password);
  if (inner.size() % 8 != 0) return {};
  const std::string envelope = DesEcb(inner, StandardKeyOf(password), false);
  std::uint32_t n = 0;
  for (int i = 0; i < 4; ++i)
    n |= std::uint32_t{static_cast<unsigned char>(envelope[static_cast<std::size_t>(i)])}
         << (8 * i);
  const auto c = static_cast<long long>(static_cast<std::int32_t>(n));
  const auto size = static_cast<long long>(envelope.size());
  if (c <= 0 || c > size - 4 || c <= size - 12) return {};
  return envelope.substr(4, static_cast<std::size_t>(c));
}

}  // namespace molvane::openssl_reference
