#include "web/web_text.h"

#include <cstddef>

#include "text/text_primitives.h"

namespace molvane {

namespace {

// A caller that cannot write a double quote inside a marker literal writes
// this placeholder instead.
constexpr std::string_view kQuotePlaceholder = "#引号";

}  // namespace

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right,
                        int start, bool case_insensitive) {
  const std::string left_marker = ReplaceText(left, kQuotePlaceholder, "\"");
  const std::string right_marker = ReplaceText(right, kQuotePlaceholder, "\"");
  int p = FindText(text, left_marker, start, case_insensitive);
  if (p == -1) return {};
  p += TextLength(left_marker);
  // The right marker counts only behind the left one.
  const int q = FindText(text, right_marker, p, case_insensitive);
  if (q == -1) return {};
  return MidText(text, p, q - p);
}

std::string HeaderName(std::string_view line) {
  const int colon = FindText(line, ":");
  return colon == -1 ? std::string() : TrimSpaces(LeftText(line, colon - 1));
}

std::string HeaderValue(std::string_view line) {
  const int colon = FindText(line, ":");
  return colon == -1 ? std::string() : TrimSpaces(RightText(line, TextLength(line) - colon));
}

std::string CookieName(std::string_view pair) {
  const int equals = FindText(pair, "=");
  return equals == -1 ? TrimSpaces(pair) : TrimSpaces(LeftText(pair, equals - 1));
}

std::string CookieValue(std::string_view pair) {
  const int equals = FindText(pair, "=");
  return equals == -1 ? std::string() : RightText(pair, TextLength(pair) - equals);
}

std::string Base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    // A short last group is filled with zero bytes; its padding is set below.
    const auto byte_at = [&](std::size_t k) -> unsigned {
      return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u;
    };
    const unsigned group = (byte_at(i) << 16) | (byte_at(i + 1) << 8) | byte_at(i + 2);
    out += kAlphabet[(group >> 18) & 63];
    out += kAlphabet[(group >> 12) & 63];
    out += kAlphabet[(group >> 6) & 63];
    out += kAlphabet[group & 63];
  }
  const std::size_t missing = (3 - bytes.size() % 3) % 3;
  out.replace(out.size() - missing, missing, missing, '=');
  return out;
}

}  // namespace molvane
