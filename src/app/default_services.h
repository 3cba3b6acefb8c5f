#pragma once
// The services of the real program, backed by the operating system.

#include "app/session.h"

namespace molvane {

// The executable's folder, the local clock and the default browser.
// ip_lookup_url stays empty until the IP lookup is built; its caller checks it.
[[nodiscard]] Services DefaultServices();

}  // namespace molvane
