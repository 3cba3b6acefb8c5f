#include "text/text_primitives.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace molvane {

namespace {

constexpr unsigned char kLeadByteMin = 0x80;
constexpr char kFullWidthSpaceByte = '\xA1';

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= kLeadByteMin; }

// Bytes of the character starting at `i`: a lead byte takes the next byte
// with it, except a lone lead byte at the very end.
std::size_t CharLengthAt(std::string_view text, std::size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `what` stands in `text` at byte `i`. Case folding applies to ASCII
// bytes only; a double-byte character of `what` is compared exactly, so its
// trail byte (which may lie in the ASCII letter range) is never folded.
bool MatchesAt(std::string_view text, std::size_t i, std::string_view what,
               bool case_insensitive) {
  if (what.size() > text.size() - i) return false;
  for (std::size_t k = 0; k < what.size(); ++k) {
    const char a = text[i + k];
    const char b = what[k];
    if (IsLeadByte(b)) {
      if (a != b) return false;
      if (k + 1 < what.size()) {
        ++k;
        if (text[i + k] != what[k]) return false;
      }
    } else if (case_insensitive ? FoldAscii(a) != FoldAscii(b) : a != b) {
      return false;
    }
  }
  return true;
}

// Zero-based index of the first `what` at a character start at or after
// `from`, stepping by characters from `from`; npos when there is none.
std::size_t FindFrom(std::string_view text, std::string_view what, std::size_t from,
                     bool case_insensitive) {
  for (std::size_t i = from; i < text.size(); i += CharLengthAt(text, i)) {
    if (MatchesAt(text, i, what, case_insensitive)) return i;
  }
  return std::string_view::npos;
}

std::size_t SpaceLengthAt(std::string_view text, std::size_t i) {
  if (text[i] == ' ') return 1;
  if (text[i] == kFullWidthSpaceByte && i + 1 < text.size() && text[i + 1] == kFullWidthSpaceByte) {
    return 2;
  }
  return 0;
}

// Clamps a byte count to the int that positions and lengths are given in.
int ToInt(std::size_t n) { return n > INT_MAX ? INT_MAX : static_cast<int>(n); }

}  // namespace

int FindText(std::string_view text, std::string_view what, int start, bool case_insensitive) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= text.size()) return -1;
  if (what.empty()) return 1;
  const std::size_t found = FindFrom(text, what, from, case_insensitive);
  return found == std::string_view::npos ? -1 : ToInt(found + 1);
}

std::string ReplaceText(std::string_view text, std::string_view what, std::string_view with,
                        bool case_sensitive) {
  if (text.empty() || what.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (MatchesAt(text, i, what, !case_sensitive)) {
      result += with;
      i += what.size();
    } else {
      const std::size_t n = CharLengthAt(text, i);
      result += text.substr(i, n);
      i += n;
    }
  }
  return result;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) return {std::string(text)};
  std::size_t begin = 0;
  for (std::size_t at = FindFrom(text, delimiter, 0, false); at != std::string_view::npos;
       at = FindFrom(text, delimiter, begin, false)) {
    pieces.emplace_back(text.substr(begin, at - begin));
    begin = at + delimiter.size();
  }
  if (begin < text.size()) pieces.emplace_back(text.substr(begin));
  return pieces;
}

std::string TrimSpaces(std::string_view text) {
  // Walk by characters so that A1 A1 counts only as a whole character, never
  // as the trail byte of one character and the lead byte of the next.
  std::size_t first = text.size();
  std::size_t end = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t space = SpaceLengthAt(text, i);
    const std::size_t n = space != 0 ? space : CharLengthAt(text, i);
    if (space == 0) {
      if (first == text.size()) first = i;
      end = i + n;
    }
    i += n;
  }
  return first < end ? std::string(text.substr(first, end - first)) : std::string();
}

std::string RemoveSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t space = SpaceLengthAt(text, i);
    if (space != 0) {
      i += space;
      continue;
    }
    const std::size_t n = CharLengthAt(text, i);
    result += text.substr(i, n);
    i += n;
  }
  return result;
}

std::string LeftText(std::string_view text, int n) {
  if (n < 1) return {};
  return std::string(text.substr(0, static_cast<std::size_t>(n)));
}

std::string RightText(std::string_view text, int n) {
  if (n < 1) return {};
  const std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
  return std::string(text.substr(text.size() - count));
}

std::string MidText(std::string_view text, int start, int n) {
  if (start < 1 || n < 1 || static_cast<std::size_t>(start) > text.size()) return {};
  return std::string(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

int TextLength(std::string_view text) { return ToInt(text.size()); }

Bytes TextToBytes(std::string_view text) { return Bytes(text); }

std::string BytesToText(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace molvane
