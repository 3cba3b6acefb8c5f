#pragma once
// Small text helpers of the web routines: cutting a piece out of a page or a
// header line, splitting header lines and cookie pairs, and Base64. They
// follow the rules of the text primitives (1-based positions, ASCII-only case
// folding, spaces 0x20 and A1 A1).

#include <string>
#include <string_view>

namespace molvane {

// The text between the first `left` found at or after `start` and the next
// `right` behind it; "" when either is missing. "#引号" in a marker stands
// for a double quote.
[[nodiscard]] std::string TextBetween(std::string_view text, std::string_view left,
                                      std::string_view right, int start = 1,
                                      bool case_insensitive = false);

// The part of a header line before its first ":", trimmed; "" without a colon.
[[nodiscard]] std::string HeaderName(std::string_view line);

// The part of a header line after its first ":", trimmed; "" without a colon.
[[nodiscard]] std::string HeaderValue(std::string_view line);

// The part of a cookie pair before its first "=", trimmed; the whole pair,
// trimmed, when there is no "=".
[[nodiscard]] std::string CookieName(std::string_view pair);

// The part of a cookie pair after its first "=", spaces kept; "" without "=".
[[nodiscard]] std::string CookieValue(std::string_view pair);

// Standard Base64 (RFC 4648 alphabet, "=" padding) of the bytes.
[[nodiscard]] std::string Base64Encode(std::string_view bytes);

}  // namespace molvane
