#include "vault/vault_cipher.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <new>
#include <span>

#include "vault/byte_order.h"
#include "vault/md5.h"
#include "vault/rc4.h"
#include "vault/wipe.h"

namespace molvane {
namespace {

constexpr std::size_t kLengthHeaderSize = 4;
constexpr std::size_t kDigestTailSize = 32;
constexpr std::size_t kMaxEnvelopeContent = std::numeric_limits<std::int32_t>::max();

[[nodiscard]] std::span<std::uint8_t> Bytes(std::string& s) {
  return {reinterpret_cast<std::uint8_t*>(s.data()), s.size()};
}

[[nodiscard]] std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Errors are values here: a step whose working buffer cannot be had yields empty.
template <class Step>
[[nodiscard]] std::string EmptyWithoutMemory(Step step) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    return {};
  }
}

// The password's RC4 keystream, started afresh, over `data` in place.
void ApplyRc4(std::string& data, std::string_view password) {
  Rc4 keystream(Bytes(password));
  keystream.Apply(Bytes(data));
}

[[nodiscard]] std::string Rc4Copy(std::string_view data, std::string_view password) {
  std::string out(data);
  ApplyRc4(out, password);
  return out;
}

// The DES schedule of a password; the folded key is wiped once the schedule holds it.
[[nodiscard]] DesSchedule ScheduleFor(std::string_view password, DesSchedule::Direction direction) {
  struct WipedKey {
    DesKey key;
    ~WipedKey() { WipeObject(key); }
  } folded{FoldDesKey(password)};
  return DesSchedule(folded.key, direction);
}

// The length header, the content and zeros up to the next multiple of 8.
[[nodiscard]] std::size_t EnvelopeSize(std::size_t content_size) {
  const std::size_t size = kLengthHeaderSize + content_size;
  return size % kDesBlockSize == 0 ? size : size + kDesBlockSize - size % kDesBlockSize;
}

[[nodiscard]] std::string EncryptEnvelope(std::string_view content, std::string_view password) {
  if (content.empty() || content.size() > kMaxEnvelopeContent) return {};
  std::string envelope;
  envelope.reserve(EnvelopeSize(content.size()) + kDigestTailSize);  // room for SealVault's tail
  envelope.assign(EnvelopeSize(content.size()), '\0');
  const std::span<std::uint8_t> bytes = Bytes(envelope);
  // The header is the signed 32-bit length; below 2^31 it has the same bits unsigned.
  store32_le(bytes.data(), static_cast<std::uint32_t>(content.size()));
  std::ranges::copy(Bytes(content), bytes.begin() + kLengthHeaderSize);
  const DesSchedule des = ScheduleFor(password, DesSchedule::Direction::kEncrypt);
  des.TransformEcb(bytes, bytes);
  return envelope;
}

// The only password check there is: L - 12 < c <= L - 4 and c > 0, signed.
[[nodiscard]] bool PlausibleLength(std::int32_t claimed, std::size_t envelope_size) {
  const long long c = claimed;
  const long long size = static_cast<long long>(envelope_size);
  return c > 0 && c <= size - 4 && size < c + 12;
}

[[nodiscard]] std::string DecryptEnvelope(std::string_view envelope, std::string_view password) {
  if (envelope.empty() || envelope.size() % kDesBlockSize != 0) return {};
  const DesSchedule des = ScheduleFor(password, DesSchedule::Direction::kDecrypt);
  // The header is all of the first block that the check reads, so that block is
  // decrypted alone and the others only once it passes; the zero fill after
  // the content is not examined. The result is that of decrypting all at once.
  const std::span<const std::uint8_t> in = Bytes(envelope);
  std::array<std::uint8_t, kDesBlockSize> first;
  des.TransformEcb(in.first(kDesBlockSize), first);
  const auto claimed = static_cast<std::int32_t>(load32_le(first.data()));
  if (!PlausibleLength(claimed, envelope.size())) return {};

  std::string content(envelope.size() - kLengthHeaderSize, '\0');
  const std::span<std::uint8_t> out = Bytes(content);
  std::ranges::copy(std::span(first).subspan(kLengthHeaderSize), out.begin());
  des.TransformEcb(in.subspan(kDesBlockSize), out.subspan(kDesBlockSize - kLengthHeaderSize));
  content.resize(static_cast<std::size_t>(claimed));
  return content;
}

[[nodiscard]] std::string DigestHex(std::string_view data) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  const Md5Digest digest = ComputeMd5(Bytes(data));
  std::string hex;
  hex.reserve(2 * digest.size());
  for (const std::uint8_t byte : digest) {
    hex += kHexDigits[byte >> 4];
    hex += kHexDigits[byte & 15u];
  }
  return hex;
}

}  // namespace

std::string SealVault(std::string_view plain, std::string_view password) {
  return EmptyWithoutMemory([&] {
    std::string sealed = EncryptEnvelope(plain, password);
    if (sealed.empty() && !plain.empty()) return std::string();
    std::string tail = DigestHex(sealed);
    ApplyRc4(tail, password);  // the tail's first pass, of its own
    sealed += tail;
    ApplyRc4(sealed, password);  // the second pass, keystream afresh, over everything
    return sealed;
  });
}

std::string OpenVault(std::string_view sealed, std::string_view password) {
  return EmptyWithoutMemory([&] {
    // The tail is dropped unread. RC4 is a stream, so undoing the outer pass
    // on the part kept gives the same bytes as undoing it on the whole file.
    std::string inner(sealed.substr(0, std::max(sealed.size(), kDigestTailSize) - kDigestTailSize));
    ApplyRc4(inner, password);
    return DecryptEnvelope(inner, password);
  });
}

std::string EncryptData(std::string_view data, std::string_view password, int algorithm) {
  return EmptyWithoutMemory([&] {
    return algorithm == kRc4Algorithm ? Rc4Copy(data, password) : EncryptEnvelope(data, password);
  });
}

std::string DecryptData(std::string_view data, std::string_view password, int algorithm) {
  return EmptyWithoutMemory([&] {
    return algorithm == kRc4Algorithm ? Rc4Copy(data, password) : DecryptEnvelope(data, password);
  });
}

std::string DataDigestMd5(std::string_view data) {
  return EmptyWithoutMemory([&] { return DigestHex(data); });
}

DesKey FoldDesKey(std::string_view password) {
  DesKey key{};
  for (std::size_t i = 0; i < password.size(); ++i) {
    key[i % key.size()] ^= static_cast<std::uint8_t>(password[i]);
  }
  return key;
}

}  // namespace molvane
