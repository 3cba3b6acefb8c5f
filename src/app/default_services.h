#pragma once
// The services of the real program, backed by the operating system.

#include "app/session.h"

namespace molvane {

// The executable's folder and the local clock. open_address and
// ip_lookup_url stay empty until the browser hand-off and the IP lookup are
// built; their callers check them.
[[nodiscard]] Services DefaultServices();

}  // namespace molvane
