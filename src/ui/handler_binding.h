#pragma once
// Binds a handler of the program to a control's event. Handlers are free
// functions that get the App and the event, so a form's event table reads
// as one line per event.

#include <string_view>

#include "app/session.h"
#include "toolkit/event.h"

namespace molvane {

using AppHandler = void (*)(App&, const toolkit::Event&);

// The source name of the window's own events (Created, Destroying).
inline constexpr std::string_view kWindowItself{};

inline toolkit::Binding On(App& app, std::string_view source, toolkit::EventKind kind,
                           AppHandler handler) {
  return {std::string(source), kind,
          [&app, handler](const toolkit::Event& event) { handler(app, event); }};
}

}  // namespace molvane
