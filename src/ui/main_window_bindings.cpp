#include "ui/main_window_bindings.h"

#include "app/startup.h"
#include "ui/handler_binding.h"

namespace molvane {

// No other event is bound: the title box, the labels other than the site
// address's and the request to close the window have no handler.
toolkit::Bindings BindMainWindow(App& app) {
  using enum toolkit::EventKind;
  // clang-format off
  return {
      On(app, kWindowItself, Created, OnMainWindowCreated),
  };
  // clang-format on
}

}  // namespace molvane
