#pragma once
// The password of the command-line companion: one line of standard input,
// never an argument (which any user could read from the process list).

#include "vault/secret_bytes.h"

namespace molvane {

// Reads one line of standard input into `password`, without its line end
// (LF or CR LF); the end of input also ends the line, so empty input is the
// empty password. From a terminal it asks on standard error and does not
// echo. The line is taken as UTF-8, as a terminal types it, and turned into
// the program's GBK bytes, as the program's own entry boxes do. False when
// standard input cannot be read.
[[nodiscard]] bool ReadPassword(SecretBytes& password);

}  // namespace molvane
