#pragma once
// Ends of the program that come from outside it.
//
// A termination signal (SIGTERM, SIGHUP, SIGINT) only notes the request and
// wakes the event loop; everything else happens on the GUI thread: the
// nested loops of dialogs and modal windows end as cancelled or closed, and
// the top-level loop then closes the program's windows as their close box
// would. Once a top-level window is closing, whoever closed it, further
// signals are ignored, so a prompt of its Destroying handler is shown and
// waits for its answer.
//
// The loss of the display runs the display-lost routine, which must touch
// no window, and ends the process with code 1, as Xlib itself would.

#include <functional>

namespace molvane::toolkit::fltk {

// Installs the handlers of the termination signals (a signal that was
// ignored when the program started stays ignored) and ignores SIGPIPE, so
// that a write to a vanished display or peer fails instead of killing the
// process.
void WatchTerminationSignals();

// Whether an end was asked and no top-level window has begun closing: a
// nested loop then ends as cancelled and the top-level loop closes its
// windows.
[[nodiscard]] bool EndAsked();

// Notes that a top-level window begins closing.
void NoteTopLevelClosing();

void SetDisplayLostRoutine(std::function<void()> routine);

// Opens the display, if that was not done yet, and from then on watches
// for its loss.
void OpenWatchedDisplay();

}  // namespace molvane::toolkit::fltk
