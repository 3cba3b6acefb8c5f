#include "byte_strings.h"

#include <cstdint>
#include <stdexcept>

namespace molvane::test {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw std::invalid_argument("not a hex digit in a test vector");
}

}  // namespace

std::string FromHex(std::string_view hex) {
  std::string bytes;
  int high = -1;
  for (const char c : hex) {
    if (c == ' ') continue;
    if (high < 0) {
      high = DigitValue(c);
    } else {
      bytes += static_cast<char>(high * 16 + DigitValue(c));
      high = -1;
    }
  }
  if (high >= 0) throw std::invalid_argument("odd number of hex digits in a test vector");
  return bytes;
}

std::string ToHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::string RandomBytes(std::mt19937& random, std::size_t size) {
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

DesKey BitReversedKey(const DesKey& key) {
  DesKey reversed{};
  for (std::size_t i = 0; i < key.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      if ((key[i] >> bit) & 1) reversed[i] = static_cast<std::uint8_t>(reversed[i] | (0x80 >> bit));
    }
  }
  return reversed;
}

std::string VaultDes(std::string_view data, const DesKey& key, DesSchedule::Direction direction) {
  std::string out(data.size(), '\0');
  const DesSchedule des(key, direction);
  des.TransformEcb({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()},
                   {reinterpret_cast<std::uint8_t*>(out.data()), out.size()});
  return out;
}

}  // namespace molvane::test
