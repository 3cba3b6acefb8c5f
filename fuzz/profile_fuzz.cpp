// Feeds arbitrary bytes to the profile reader, then writes into and deletes
// from what it parsed, and checks that what was written reads back and that
// nothing else moved.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/profile_document.h"

namespace molvane {
namespace {

constexpr std::size_t kNamesChecked = 64;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HoldsLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Whether the document has a section that `name` finds.
bool HasSection(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& other) { return profile::SameName(other, name); });
}

// Values under `key` in every listed section other than `section`.
std::vector<std::optional<std::string_view>> OtherValues(const ProfileDocument& document,
                                                         const std::vector<std::string>& names,
                                                         const std::string& section,
                                                         const std::string& key) {
  std::vector<std::optional<std::string_view>> values;
  for (std::size_t i = 0; i < std::min(names.size(), kNamesChecked); ++i) {
    if (!profile::SameName(names[i], section)) values.push_back(document.Value(names[i], key));
  }
  return values;
}

void CheckWrite(const ProfileDocument& document, const std::vector<std::string>& names,
                const std::string& section, const std::string& key, const std::string& value) {
  const ProfileSetting setting{key, value};
  const auto written = document.WithSettings(section, {&setting, 1});
  if (!written) return;
  Require(!HoldsLineBreak(section) && !HoldsLineBreak(key) && !HoldsLineBreak(value));

  const ProfileDocument after(*written);
  Require(after.Value(section, key) == value);
  std::vector<std::string> expected_names = names;
  if (!HasSection(names, section)) expected_names.push_back(section);
  Require(after.SectionNames() == expected_names);
  Require(OtherValues(after, names, section, key) == OtherValues(document, names, section, key));
  // Writing the same value again changes nothing.
  Require(after.WithSettings(section, {&setting, 1}) == *written);
}

void CheckDelete(const ProfileDocument& document, const std::vector<std::string>& names,
                 const std::string& section) {
  const auto remaining = document.WithoutSection(section);
  Require(remaining.has_value() == HasSection(names, section));
  if (!remaining) return;
  std::vector<std::string> expected_names = names;
  expected_names.erase(
      std::find_if(expected_names.begin(), expected_names.end(),
                   [&](const std::string& n) { return profile::SameName(n, section); }));
  Require(ProfileDocument(*remaining).SectionNames() == expected_names);
}

}  // namespace
}  // namespace molvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(64);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(64);
  const molvane::ProfileDocument document(input.ConsumeRemainingBytesAsString());

  const std::vector<std::string> names = document.SectionNames();
  for (std::size_t i = 0; i < std::min(names.size(), molvane::kNamesChecked); ++i) {
    static_cast<void>(document.Value(names[i], key));
  }
  molvane::CheckWrite(document, names, section, key, value);
  molvane::CheckDelete(document, names, section);
  return 0;
}
