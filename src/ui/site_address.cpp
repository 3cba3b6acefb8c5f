#include "ui/site_address.h"

#include <cstddef>

namespace molvane {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

// The length of the GBK character at `at`: two bytes from a lead byte on, else one.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

bool IsBlank(std::string_view character) {
  return character == kFullWidthSpace ||
         (character.size() == 1 &&
          std::string_view(" \t\n\v\f\r").find(character[0]) != std::string_view::npos);
}

// The text without blanks at its ends, stepping by characters so that the
// trail byte of one character and the lead byte of the next are never taken
// for a full-width space.
std::string_view TrimBlanks(std::string_view text) {
  std::size_t first = text.size();
  std::size_t end = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterLength(text, at);
    if (!IsBlank(text.substr(at, length))) {
      if (first == text.size()) first = at;
      end = at + length;
    }
    at += length;
  }
  return first < end ? text.substr(first, end - first) : std::string_view{};
}

bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A path of this computer, which the system would open as a file or run as a program.
bool LooksLikePath(std::string_view text) {
  return text.starts_with('/') || text.starts_with('\\') || text.starts_with('~') ||
         text.starts_with('.') || (text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':');
}

}  // namespace

std::optional<std::string> WebAddressToOpen(std::string_view text) {
  const std::string_view address = TrimBlanks(text);
  if (address.empty() || HasControlCharacter(address) || address.starts_with('-')) {
    return std::nullopt;
  }
  if (StartsWithIgnoringCase(address, "http://") || StartsWithIgnoringCase(address, "https://")) {
    return std::string(address);
  }
  if (address.find("://") != std::string_view::npos || LooksLikePath(address)) {
    return std::nullopt;
  }
  return "http://" + std::string(address);
}

}  // namespace molvane
