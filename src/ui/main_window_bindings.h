#pragma once
// The event table of the main window: which handler serves which event.

#include "app/session.h"
#include "toolkit/event.h"

namespace molvane {

[[nodiscard]] toolkit::Bindings BindMainWindow(App& app);

}  // namespace molvane
