#pragma once
// The program's frame: start-up, the main window's creation, the caption
// counter and the clean-up at the end of the process.

#include <functional>
#include <string>
#include <string_view>

#include "app/session.h"
#include "toolkit/event.h"
#include "toolkit/form.h"
#include "toolkit/toolkit.h"
#include "toolkit/window.h"

namespace molvane {

// Gives the main window's event table for an App.
using MainWindowBinder = std::function<toolkit::Bindings(App&)>;

// Creates the process-wide records, registers ReleaseSession as the exit
// routine, loads the main window from `main_form` with the events `bind`
// gives, and runs the event loop until no window is left. Returns 0. The
// toolkit has initialised itself before.
int StartProgram(toolkit::Toolkit& toolkit, Services services, const toolkit::WindowForm& main_form,
                 const MainWindowBinder& bind);

// Loads the main window for `app`, keeping App::main_window set exactly while
// the window exists, and registers what a lost display does: while the
// window lives (unlocked, not yet locking), the register is sealed at once
// under the password held, if any. Gives the window, or null when it is
// gone (the program ended during its creation).
toolkit::Window* LoadMainWindow(App& app, const toolkit::WindowForm& main_form,
                                const MainWindowBinder& bind);

// The main window's creation handler: fixes the data file's path, has the
// file unlocked (which may end the program), then fills the title list from
// the register and sets the caption counter. An absent or empty data file
// leaves the list empty and the caption as it is, without asking.
void OnMainWindowCreated(App& app, const toolkit::Event& event);

// Sets the caption to "Molvane " followed by the number of titles in the
// list and "个项目".
void UpdateTitleCounter(toolkit::Window& main_window);

// The data file: "RegInfo.dat" in the program's folder. The separator is the
// system's own ("/" here).
[[nodiscard]] std::string DataFilePathIn(std::string_view program_directory);

// Releases the process-wide records; the password is wiped first. Runs once,
// as the process ends, when no handler runs any more.
void ReleaseSession(App& app);

}  // namespace molvane
