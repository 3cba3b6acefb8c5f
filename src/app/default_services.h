#pragma once
// The services of the real program, backed by the operating system.

#include "app/session.h"

namespace molvane {

// The executable's folder, the local clock, the default browser and the
// IP lookup page (MOLVANE_IP_LOOKUP_URL or the built-in one).
[[nodiscard]] Services DefaultServices();

}  // namespace molvane
