#include "store/record_store.h"

#include "platform/file_services.h"
#include "store/profile_cache.h"

namespace molvane {

namespace {

// The text without the characters of codes 1 to 32 at its start.
std::string_view SkipLeadingControls(std::string_view text) {
  while (!text.empty() && text.front() >= 1 && text.front() <= 32) text.remove_prefix(1);
  return text;
}

bool WriteSettings(std::string_view path, std::string_view title,
                   std::span<const ProfileSetting> settings) {
  const auto document = LoadProfile(path);
  if (!document) return false;
  const auto bytes = document->WithSettings(title, settings);
  return bytes && WriteFileBytes(path, *bytes);
}

}  // namespace

std::vector<std::string> ListTitles(std::string_view path) {
  const auto document = LoadProfile(path);
  return document ? document->SectionNames() : std::vector<std::string>{};
}

std::string ReadValue(std::string_view path, std::string_view title, std::string_view key) {
  path = SkipLeadingControls(path);
  title = SkipLeadingControls(title);
  key = SkipLeadingControls(key);
  if (path.empty() || title.empty() || key.empty()) return {};
  const auto document = LoadProfile(path);
  if (!document) return {};
  return std::string(document->Value(title, key).value_or(std::string_view()));
}

bool WriteValue(std::string_view path, std::string_view title, std::string_view key,
                std::string_view value) {
  const ProfileSetting setting{key, value};
  return WriteSettings(path, title, {&setting, 1});
}

bool WriteEntry(std::string_view path, std::string_view title, const EntryValues& values) {
  std::array<ProfileSetting, kFieldKeys.size()> settings;
  for (std::size_t i = 0; i < settings.size(); ++i) settings[i] = {kFieldKeys[i], values[i]};
  return WriteSettings(path, title, settings);
}

bool DeleteEntry(std::string_view path, std::string_view title) {
  const auto document = LoadProfile(path);
  if (!document) return false;
  const auto bytes = document->WithoutSection(title);
  return bytes && WriteFileBytes(path, *bytes);
}

}  // namespace molvane
