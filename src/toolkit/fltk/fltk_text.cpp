#include "toolkit/fltk/fltk_text.h"

#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>

#include <algorithm>

#include "text/gbk_codec.h"

namespace molvane::toolkit::fltk {

std::string LabelText(std::string_view gbk) {
  std::string utf8 = GbkToUtf8(gbk);
  std::string label;
  label.reserve(utf8.size());
  for (char c : utf8) {
    if (c == '@') label += '@';
    label += c;
  }
  return label;
}

std::string FromWidget(const char* utf8) { return utf8 ? Utf8ToGbk(utf8) : std::string(); }

std::string ToLfLines(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lines += text[i];
      continue;
    }
    lines += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return lines;
}

std::string ToCrLfLines(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return lines;
}

namespace {

int WidthOf(std::string_view utf8) {
  return static_cast<int>(fl_width(utf8.data(), static_cast<int>(utf8.size())));
}

// Bytes of the UTF-8 character starting at `text[at]`; a stray byte counts
// as a character of its own.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const int length = fl_utf8len1(text[at]);
  return std::min<std::size_t>(length > 0 ? static_cast<std::size_t>(length) : 1, text.size() - at);
}

}  // namespace

std::string WrapToWidth(std::string_view utf8, int width) {
  std::string wrapped;
  std::size_t line_start = 0;
  std::size_t last_blank = std::string::npos;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::string_view character = utf8.substr(at, CharacterLength(utf8, at));
    at += character.size();
    if (character == "\n") {
      wrapped += '\n';
      line_start = wrapped.size();
      last_blank = std::string::npos;
      continue;
    }
    wrapped += character;
    const std::size_t line_length = wrapped.size() - line_start;
    const bool fits = line_length == character.size() ||
                      WidthOf(std::string_view(wrapped).substr(line_start)) <= width;
    if (fits) {
      if (character == " ") last_blank = wrapped.size() - 1;
      continue;
    }
    if (character == " ") {
      wrapped.back() = '\n';
      line_start = wrapped.size();
    } else if (last_blank != std::string::npos) {
      wrapped[last_blank] = '\n';
      line_start = last_blank + 1;
    } else {
      wrapped.insert(wrapped.size() - character.size(), 1, '\n');
      line_start = wrapped.size() - character.size();
    }
    last_blank = std::string::npos;
  }
  return wrapped;
}

}  // namespace molvane::toolkit::fltk
