#pragma once
// A profile (INI) file held as its bytes plus a small index of its sections.
// Changes are made by producing new bytes in which only the lines that
// change differ; every other byte stays as it was, so comments, blank lines,
// odd line ends and bytes that are not valid text all survive.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/profile_lines.h"

namespace molvane {

// One key and the value to write under it.
struct ProfileSetting {
  std::string_view key;
  std::string_view value;
};

// Sections and keys are found by name ignoring ASCII case and blanks at both
// ends; where a name occurs twice, the first occurrence is the one used.
class ProfileDocument {
 public:
  // Any bytes at all make a document. A UTF-8 byte order mark at the start
  // is skipped when reading and kept when writing.
  explicit ProfileDocument(std::string bytes);

  [[nodiscard]] const std::string& Bytes() const { return bytes_; }

  // The section names in file order, as written between the brackets.
  // Sections with an empty or blank name are left out; duplicates are not.
  [[nodiscard]] std::vector<std::string> SectionNames() const;

  // The whole value of the key in the section, byte for byte; nullopt when
  // the section or the key is not there.
  [[nodiscard]] std::optional<std::string_view> Value(std::string_view section,
                                                      std::string_view key) const;

  // The bytes with each setting written into the section: a key already
  // there gets the new value in place (a line holding just the key's name
  // becomes its key line); the other keys follow, in the given order, after
  // the section's last non-blank line; a missing section is appended at the
  // end with its keys. New lines end with CR LF. Nullopt, to refuse the
  // write, when CR or LF occurs anywhere, the section name is blank, a key
  // holds '=' or starts with '[' (it would read back as another line), or a
  // key is given twice.
  [[nodiscard]] std::optional<std::string> WithSettings(
      std::string_view section, std::span<const ProfileSetting> settings) const;

  // The bytes without the section: its header and every line up to the next
  // header go. Nullopt when there is no such section.
  [[nodiscard]] std::optional<std::string> WithoutSection(std::string_view section) const;

 private:
  struct Section {
    profile::Line header;
    std::size_t name_begin;  // the name between '[' and the last ']'
    std::size_t name_end;
    std::size_t end;  // first byte of the next header line, or the end of the bytes
  };

  // A change of the bytes: [begin, end) becomes `text`.
  struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string text;
  };

  [[nodiscard]] const Section* Find(std::string_view name) const;
  [[nodiscard]] std::string_view NameOf(const Section& section) const;
  // The first key line, or line holding just the name, of `key` in the section.
  [[nodiscard]] std::optional<std::pair<profile::Line, profile::LineParts>> FindKeyLine(
      const Section& section, std::string_view key, bool text_lines_too) const;
  [[nodiscard]] profile::Line LastNonBlankLine(const Section& section) const;
  [[nodiscard]] std::string AppendSection(std::string_view section,
                                          std::span<const ProfileSetting> settings) const;
  [[nodiscard]] std::string Apply(std::vector<Edit> edits) const;

  std::string bytes_;
  std::size_t content_begin_ = 0;  // after a byte order mark
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> first_section_;  // NameKey -> index
};

}  // namespace molvane
