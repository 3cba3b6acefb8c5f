#pragma once
// Where the program's own executable file lies.

#include <string>

namespace molvane {

// The folder that holds the running executable, whatever the working
// directory is, without a trailing separator: "" for a program in the root
// folder, so that appending "/RegInfo.dat" always gives the file beside it.
// "." when the executable cannot be located (no /proc).
[[nodiscard]] std::string ProgramDirectory();

}  // namespace molvane
