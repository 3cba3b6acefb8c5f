#pragma once
// The line level of the profile (INI) format: how the bytes split into
// lines, what each line is, and how names compare.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace molvane::profile {

inline constexpr std::string_view kLineEnd = "\r\n";  // what every line we write ends with

// One line, as offsets into the file's bytes.
struct Line {
  std::size_t begin = 0;        // first byte of the line
  std::size_t content_end = 0;  // first byte of its line end, or the end of the bytes
  std::size_t end = 0;          // first byte of the next line

  [[nodiscard]] bool has_line_end() const { return end != content_end; }
};

// Splits bytes into lines ended by CR LF, LF or a lone CR; the last line may
// have no line end. Each byte is looked at a bounded number of times, so a
// file of one huge line or of lone CRs takes linear time too.
class LineReader {
 public:
  LineReader(std::string_view bytes, std::size_t begin);

  // The next line; nullopt after the last one.
  [[nodiscard]] std::optional<Line> Next();

 private:
  [[nodiscard]] std::size_t NextOf(char byte) const;

  std::string_view bytes_;
  std::size_t position_;
  std::size_t next_cr_;  // first CR at or after position_, or the end of the bytes
  std::size_t next_lf_;  // first LF at or after position_, or the end of the bytes
};

enum class LineKind {
  kBlank,   // nothing but blanks
  kHeader,  // "[name]": first non-blank byte '[', and a ']' after it
  kKey,     // "key=value"
  kText,    // anything else: a line without '=' (a comment, a stray word)
};

// What a line says, as offsets into the file's bytes.
struct LineParts {
  LineKind kind = LineKind::kBlank;
  std::size_t name_begin = 0;   // header: after '['; key and text: the line's first byte
  std::size_t name_end = 0;     // header: the last ']'; key: the first '='; text: the line's end
  std::size_t value_begin = 0;  // key: the byte after the first '='
};

// What `line` of `bytes` is, and where its parts lie.
[[nodiscard]] LineParts Classify(std::string_view bytes, const Line& line);

// Space, TAB, VT, FF and CR: the bytes that do not count at the ends of a name.
[[nodiscard]] bool IsBlank(char byte);

// `text` without the blanks (IsBlank) at both ends.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// The form in which names are compared: blanks at both ends dropped, ASCII
// letters lowered. A byte of 0x80 or above starts a double-byte character
// and keeps the next byte as it is, so a trail byte that happens to be an
// ASCII letter is not folded.
[[nodiscard]] std::string NameKey(std::string_view name);

// Whether two names are the same under NameKey.
[[nodiscard]] bool SameName(std::string_view a, std::string_view b);

}  // namespace molvane::profile
