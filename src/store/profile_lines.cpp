#include "store/profile_lines.h"

#include <algorithm>

namespace molvane::profile {

namespace {

char FoldAscii(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte;
}

bool StartsDoubleByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

}  // namespace

LineReader::LineReader(std::string_view bytes, std::size_t begin)
    : bytes_(bytes), position_(begin), next_cr_(NextOf('\r')), next_lf_(NextOf('\n')) {}

std::size_t LineReader::NextOf(char byte) const {
  return std::min(bytes_.find(byte, position_), bytes_.size());
}

std::optional<Line> LineReader::Next() {
  if (position_ >= bytes_.size()) return std::nullopt;
  if (next_cr_ < position_) next_cr_ = NextOf('\r');
  if (next_lf_ < position_) next_lf_ = NextOf('\n');
  Line line{position_, std::min(next_cr_, next_lf_), 0};
  line.end = line.content_end;
  if (line.end < bytes_.size()) {
    const bool crlf =
        bytes_[line.end] == '\r' && line.end + 1 < bytes_.size() && bytes_[line.end + 1] == '\n';
    line.end += crlf ? 2 : 1;
  }
  position_ = line.end;
  return line;
}

LineParts Classify(std::string_view bytes, const Line& line) {
  const std::string_view text = bytes.substr(line.begin, line.content_end - line.begin);
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  if (first == text.end()) return {};
  const std::size_t lead = static_cast<std::size_t>(first - text.begin());
  if (*first == '[') {
    const std::size_t close = text.rfind(']');
    if (close != std::string_view::npos && close > lead) {
      return {LineKind::kHeader, line.begin + lead + 1, line.begin + close, 0};
    }
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    return {LineKind::kText, line.begin, line.content_end, 0};
  }
  return {LineKind::kKey, line.begin, line.begin + equals, line.begin + equals + 1};
}

bool IsBlank(char byte) {
  return byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f' || byte == '\r';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string NameKey(std::string_view name) {
  const std::string_view trimmed = TrimBlanks(name);
  std::string key(trimmed);
  bool trail = false;
  for (char& byte : key) {
    if (!trail) byte = FoldAscii(byte);
    trail = !trail && StartsDoubleByte(byte);
  }
  return key;
}

bool SameName(std::string_view a, std::string_view b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  if (a.size() != b.size()) return false;
  bool trail = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    // Bytes of 0x80 and above never fold, so up to here both names have the
    // same character starts.
    if (trail ? a[i] != b[i] : FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    trail = !trail && StartsDoubleByte(a[i]);
  }
  return true;
}

}  // namespace molvane::profile
