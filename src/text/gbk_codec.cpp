#include "text/gbk_codec.h"

#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace molvane {

namespace {

// Bytes 0x80..0xFF that are not valid GB18030 travel as U+F780..U+F7FF.
// GB18030 gives these private-use characters four-byte codes, so they cannot
// be confused with the two-byte user-defined characters a user may have.
constexpr char32_t kEscapeBase = 0xF780;

unsigned char Byte(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// Whether there is a byte at `i` and it lies in [lo, hi].
bool ByteIn(std::string_view text, std::size_t i, unsigned lo, unsigned hi) {
  return i < text.size() && Byte(text, i) >= lo && Byte(text, i) <= hi;
}

void AppendUtf8(std::string& out, char32_t cp) {
  // Only escape characters are written here: three UTF-8 bytes each.
  out += static_cast<char>(0xE0 | (cp >> 12));
  out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (cp & 0x3F));
}

// One open iconv conversion, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != Failed()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // All of `in` converted, or nothing when any part of it does not convert.
  std::optional<std::string> Convert(std::string_view in) {
    if (cd_ == Failed()) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 8, '\0');
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    const std::size_t result = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
    if (result != 0 || in_left != 0) return std::nullopt;
    out.resize(out.size() - out_left);
    return out;
  }

 private:
  static iconv_t Failed() { return reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1)); }
  iconv_t cd_;
};

// Opening a conversion costs more than converting a short text, so each
// thread keeps one of each direction; Convert resets its state before every use.
Converter& ToUtf8() {
  thread_local Converter converter("UTF-8", "GB18030");
  return converter;
}

Converter& ToGb() {
  thread_local Converter converter("GB18030", "UTF-8");
  return converter;
}

// Length of the GB18030 character whose lead byte (0x81..0xFE) stands at
// `i`, by the shape of its bytes: 2, 4, or 0 when the shape is invalid.
std::size_t GbCharLength(std::string_view gb, std::size_t i) {
  const auto in = [&](std::size_t k, unsigned lo, unsigned hi) {
    return ByteIn(gb, i + k, lo, hi);
  };
  if (!in(0, 0x81, 0xFE)) return 0;
  if (in(1, 0x30, 0x39)) return in(2, 0x81, 0xFE) && in(3, 0x30, 0x39) ? 4 : 0;
  if (in(1, 0x40, 0x7E) || in(1, 0x80, 0xFE)) return 2;
  return 0;
}

bool IsEscapeUtf8(std::string_view utf8) {
  // U+F780..U+F7FF are EF 9E 80 .. EF 9F BF.
  return utf8.size() == 3 && Byte(utf8, 0) == 0xEF && (Byte(utf8, 1) & 0xFE) == 0x9E;
}

// Length of the well-formed UTF-8 sequence at `i` (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when the byte there starts none.
std::size_t Utf8SequenceLength(std::string_view utf8, std::size_t i) {
  const auto in = [&](std::size_t k, unsigned lo, unsigned hi) {
    return ByteIn(utf8, i + k, lo, hi);
  };
  const auto tail = [&](std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
      if (!in(k, 0x80, 0xBF)) return false;
    }
    return true;
  };
  const unsigned b = Byte(utf8, i);
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return tail(1, 2) ? 2 : 0;
  if (b == 0xE0) return in(1, 0xA0, 0xBF) && tail(2, 3) ? 3 : 0;
  if (b == 0xED) return in(1, 0x80, 0x9F) && tail(2, 3) ? 3 : 0;
  if (b >= 0xE1 && b <= 0xEF) return tail(1, 3) ? 3 : 0;
  if (b == 0xF0) return in(1, 0x90, 0xBF) && tail(2, 4) ? 4 : 0;
  if (b >= 0xF1 && b <= 0xF3) return tail(1, 4) ? 4 : 0;
  if (b == 0xF4) return in(1, 0x80, 0x8F) && tail(2, 4) ? 4 : 0;
  return 0;
}

char32_t EscapeCodePoint(std::string_view utf8) {
  return ((Byte(utf8, 0) & 0x0Fu) << 12) | ((Byte(utf8, 1) & 0x3Fu) << 6) | (Byte(utf8, 2) & 0x3Fu);
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (std::size_t i = 0; i < gbk.size();) {
    const unsigned char b = Byte(gbk, i);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    // A character is taken only when it converts back to the very same
    // bytes and is not one of the escape characters; anything else is
    // carried over as an escaped byte, and the bytes after it are read anew.
    const std::size_t n = GbCharLength(gbk, i);
    if (n != 0) {
      const std::string_view unit = gbk.substr(i, n);
      const std::optional<std::string> utf8 = ToUtf8().Convert(unit);
      if (utf8 && !utf8->empty() && !IsEscapeUtf8(*utf8) && ToGb().Convert(*utf8) == unit) {
        out += *utf8;
        i += n;
        continue;
      }
    }
    AppendUtf8(out, kEscapeBase + (b - 0x80u));
    ++i;
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = Utf8SequenceLength(utf8, i);
    if (n <= 1) {
      out += utf8[i];  // ASCII, or a byte that is not valid UTF-8: kept as it is
      ++i;
      continue;
    }
    const std::string_view sequence = utf8.substr(i, n);
    i += n;
    if (IsEscapeUtf8(sequence)) {
      const char32_t cp = EscapeCodePoint(sequence);
      out += static_cast<char>(0x80u + (cp - kEscapeBase));
      continue;
    }
    const std::optional<std::string> gb = ToGb().Convert(sequence);
    out += gb ? *gb : std::string(sequence);
  }
  return out;
}

}  // namespace molvane
