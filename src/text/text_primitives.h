#pragma once
// Byte-text primitives shared by the window handlers and the web routines.
//
// Text is GBK bytes in a std::string and holds no zero byte. Positions are
// 1-based; a search that finds nothing gives -1. A byte of 0x80 or above
// starts a double-byte character and takes the next byte with it, so
// searches try candidates only at character starts. Case folding is ASCII
// only. A space is the byte 0x20 or the full-width space A1 A1.

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

using Bytes = std::string;  // a counted byte array; may hold zero bytes

// Position of the first `what` beginning at or after `start` (below 1 means 1), or -1.
// An empty `what` gives 1 when the text from `start` on is not empty, else -1.
[[nodiscard]] int FindText(std::string_view text, std::string_view what, int start = 1,
                           bool case_insensitive = false);

// Every `what`, found left to right without overlap, replaced by `with`.
// An empty text or `what` returns the text unchanged.
[[nodiscard]] std::string ReplaceText(std::string_view text, std::string_view what,
                                      std::string_view with = {}, bool case_sensitive = true);

// Pieces between delimiters; empty inner pieces stay, a trailing delimiter adds none.
[[nodiscard]] std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// The text without leading and trailing spaces.
[[nodiscard]] std::string TrimSpaces(std::string_view text);

// The text with every space removed.
[[nodiscard]] std::string RemoveSpaces(std::string_view text);

// The first min(n, length) bytes; "" when n is below 1.
[[nodiscard]] std::string LeftText(std::string_view text, int n);

// The last min(n, length) bytes; "" when n is below 1.
[[nodiscard]] std::string RightText(std::string_view text, int n);

// From 1-based `start` on, at most n bytes; "" when start is out of range or n is below 1.
[[nodiscard]] std::string MidText(std::string_view text, int start, int n);

// The number of bytes.
[[nodiscard]] int TextLength(std::string_view text);

// The bytes of the text, without a terminator.
[[nodiscard]] Bytes TextToBytes(std::string_view text);

// The bytes up to, not including, the first zero byte.
[[nodiscard]] std::string BytesToText(std::string_view bytes);

}  // namespace molvane
