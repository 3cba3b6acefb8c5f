#pragma once
// The register's entries as sections of the plain profile file: the section
// name is the entry's title, the eleven fields are its keys. Every call goes
// to the file on disk, so the file is always up to date.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// The eleven keys, in the order in which a save writes them.
inline constexpr std::array<std::string_view, 11> kFieldKeys = {
    "网址", "账号", "密码", "手机", "邮箱", "注册IP",
    "注册邮箱", "注册手机", "注册地点", "注册时间", "备注信息"};

// An entry's eleven values, in kFieldKeys order.
using EntryValues = std::array<std::string, 11>;

// The titles of all entries, in the order of their sections in the file.
[[nodiscard]] std::vector<std::string> ListTitles(std::string_view path);

// The stored value, whole; "" when there is none. Characters 1 to 32 at the
// start of path, title and key are skipped first; an empty one gives "".
[[nodiscard]] std::string ReadValue(std::string_view path, std::string_view title,
                                    std::string_view key);

// Creates the section and key as needed or replaces the value in place.
// False, with the file unchanged, when it cannot be read whole or written,
// or when ProfileDocument::WithSettings refuses the setting (CR or LF in
// title, key or value, a blank title, a key that would not read back).
[[nodiscard]] bool WriteValue(std::string_view path, std::string_view title,
                              std::string_view key, std::string_view value);

// Writes all eleven values of an entry, each as WriteValue would, in one
// replacement of the file; false, with the file unchanged, where WriteValue
// would refuse any of them.
[[nodiscard]] bool WriteEntry(std::string_view path, std::string_view title,
                              const EntryValues& values);

// Removes the section with all its lines. False, with the file unchanged,
// when there is no such entry or the file cannot be written.
[[nodiscard]] bool DeleteEntry(std::string_view path, std::string_view title);

}  // namespace molvane
