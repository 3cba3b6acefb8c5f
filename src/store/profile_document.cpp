#include "store/profile_document.h"

#include <algorithm>

namespace molvane {

namespace {

using profile::Line;
using profile::LineKind;
using profile::LineParts;
using profile::LineReader;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A key that reads back as itself from the line "key=value".
bool IsWritableKey(std::string_view key) {
  return !HoldsLineBreak(key) && key.find('=') == std::string_view::npos &&
         !profile::TrimBlanks(key).starts_with('[');
}

bool AreWritable(std::string_view section, std::span<const ProfileSetting> settings) {
  if (profile::TrimBlanks(section).empty() || HoldsLineBreak(section)) return false;
  for (auto it = settings.begin(); it != settings.end(); ++it) {
    if (!IsWritableKey(it->key) || HoldsLineBreak(it->value)) return false;
    const auto same_key = [&](const ProfileSetting& other) {
      return profile::SameName(other.key, it->key);
    };
    if (std::any_of(settings.begin(), it, same_key)) return false;
  }
  return true;
}

void AppendKeyLine(std::string& out, const ProfileSetting& setting) {
  out.append(setting.key).append("=").append(setting.value).append(profile::kLineEnd);
}

}  // namespace

ProfileDocument::ProfileDocument(std::string bytes) : bytes_(std::move(bytes)) {
  if (bytes_.starts_with(kByteOrderMark)) content_begin_ = kByteOrderMark.size();
  LineReader reader(bytes_, content_begin_);
  while (const auto line = reader.Next()) {
    const LineParts parts = profile::Classify(bytes_, *line);
    if (parts.kind != LineKind::kHeader) continue;
    if (!sections_.empty()) sections_.back().end = line->begin;
    sections_.push_back({*line, parts.name_begin, parts.name_end, bytes_.size()});
    std::string key = profile::NameKey(NameOf(sections_.back()));
    // A section with a blank name cannot be asked for; it stays in the file
    // and bounds its neighbours, but no lookup finds it.
    if (!key.empty()) first_section_.try_emplace(std::move(key), sections_.size() - 1);
  }
}

std::vector<std::string> ProfileDocument::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_) {
    const std::string_view name = NameOf(section);
    if (!profile::TrimBlanks(name).empty()) names.emplace_back(name);
  }
  return names;
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section,
                                                       std::string_view key) const {
  const Section* found = Find(section);
  if (found == nullptr) return std::nullopt;
  const auto line = FindKeyLine(*found, key, false);
  if (!line) return std::nullopt;
  const auto& [where, parts] = *line;
  return std::string_view(bytes_).substr(parts.value_begin, where.content_end - parts.value_begin);
}

std::optional<std::string> ProfileDocument::WithSettings(
    std::string_view section, std::span<const ProfileSetting> settings) const {
  if (!AreWritable(section, settings)) return std::nullopt;
  const Section* found = Find(section);
  if (found == nullptr) return AppendSection(section, settings);

  std::vector<Edit> edits;
  std::string new_lines;
  for (const ProfileSetting& setting : settings) {
    const auto line = FindKeyLine(*found, setting.key, true);
    if (!line) {
      AppendKeyLine(new_lines, setting);
    } else if (const auto& [where, parts] = *line; parts.kind == LineKind::kKey) {
      edits.push_back({parts.value_begin, where.content_end, std::string(setting.value)});
    } else {
      edits.push_back({where.content_end, where.content_end, "=" + std::string(setting.value)});
    }
  }
  if (!new_lines.empty()) {
    const Line last = LastNonBlankLine(*found);
    if (!last.has_line_end()) new_lines.insert(0, profile::kLineEnd);
    edits.push_back({last.end, last.end, std::move(new_lines)});
  }
  return Apply(std::move(edits));
}

std::optional<std::string> ProfileDocument::WithoutSection(std::string_view section) const {
  const Section* found = Find(section);
  if (found == nullptr) return std::nullopt;
  return Apply({{found->header.begin, found->end, {}}});
}

const ProfileDocument::Section* ProfileDocument::Find(std::string_view name) const {
  const auto it = first_section_.find(profile::NameKey(name));
  return it == first_section_.end() ? nullptr : &sections_[it->second];
}

std::string_view ProfileDocument::NameOf(const Section& section) const {
  return std::string_view(bytes_).substr(section.name_begin, section.name_end - section.name_begin);
}

std::optional<std::pair<Line, LineParts>> ProfileDocument::FindKeyLine(const Section& section,
                                                                       std::string_view key,
                                                                       bool text_lines_too) const {
  const std::string_view body = std::string_view(bytes_).substr(0, section.end);
  LineReader reader(body, section.header.end);
  while (const auto line = reader.Next()) {
    const LineParts parts = profile::Classify(body, *line);
    const bool candidate =
        parts.kind == LineKind::kKey || (text_lines_too && parts.kind == LineKind::kText);
    if (candidate &&
        profile::SameName(body.substr(parts.name_begin, parts.name_end - parts.name_begin), key)) {
      return std::pair{*line, parts};
    }
  }
  return std::nullopt;
}

Line ProfileDocument::LastNonBlankLine(const Section& section) const {
  const std::string_view body = std::string_view(bytes_).substr(0, section.end);
  LineReader reader(body, section.header.end);
  Line last = section.header;
  while (const auto line = reader.Next()) {
    if (profile::Classify(body, *line).kind != LineKind::kBlank) last = *line;
  }
  return last;
}

std::string ProfileDocument::AppendSection(std::string_view section,
                                           std::span<const ProfileSetting> settings) const {
  std::string out = bytes_;
  const bool ends_open = out.size() > content_begin_ && out.back() != '\n' && out.back() != '\r';
  if (ends_open) out.append(profile::kLineEnd);
  out.append("[").append(section).append("]").append(profile::kLineEnd);
  for (const ProfileSetting& setting : settings) AppendKeyLine(out, setting);
  return out;
}

std::string ProfileDocument::Apply(std::vector<Edit> edits) const {
  // Edits never overlap; an insertion at the end of a changed value comes
  // after that change, as it was made after it.
  std::stable_sort(edits.begin(), edits.end(),
                   [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
  std::size_t size = bytes_.size();
  for (const Edit& edit : edits) size = size - (edit.end - edit.begin) + edit.text.size();
  std::string out;
  out.reserve(size);
  std::size_t copied = 0;
  for (const Edit& edit : edits) {
    out.append(bytes_, copied, edit.begin - copied).append(edit.text);
    copied = edit.end;
  }
  out.append(bytes_, copied);
  return out;
}

}  // namespace molvane
