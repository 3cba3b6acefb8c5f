#pragma once
// Questions about a register held as bytes rather than as a file.

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// Whether `bytes` read as a plain profile register: no zero byte nor any
// other control byte but the blanks and line ends, and the first line that
// is not blank is a section header. A sealed file almost never passes,
// since its bytes look random.
[[nodiscard]] bool IsPlainRegister(std::string_view bytes);

// The titles of the register whose plain text is `bytes`, as ListTitles
// gives them for a file holding these bytes.
[[nodiscard]] std::vector<std::string> TitlesIn(std::string_view bytes);

}  // namespace molvane
