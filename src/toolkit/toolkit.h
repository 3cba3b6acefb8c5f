#pragma once
// The window toolkit as the program sees it. One backend implements it:
// headless (tests), fltk (Linux) or win32 (Windows). Everything runs on the
// one GUI thread; modal windows and dialogs run nested loops on it.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/event.h"
#include "toolkit/form.h"
#include "toolkit/window.h"

namespace molvane::toolkit {

enum class MessageButtons { Ok = 0, OkCancel = 1 };
enum class MessageAnswer { Ok = 0, Cancel = 1 };

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Creates the window and its controls in their initial states, raises its
  // Created event, then shows it centred on the screen unless it was closed
  // or the program ended meanwhile. Gives the window, or null when it no
  // longer exists (and always null once EndProgram was called).
  virtual Window* Load(const WindowForm& form, Bindings bindings) = 0;

  // Loads the window modally over `parent` (which takes no input meanwhile)
  // and returns once the window has been destroyed. When the modal window
  // closes, `parent` becomes active again and its focused control gets the
  // focus back, raising GotFocus as a native edit box does.
  virtual void RunModal(const WindowForm& form, Bindings bindings, Window& parent) = 0;

  // Delivers events until no window of the program is left. A request from
  // outside to end the program (a termination signal) becomes the user's
  // close of its windows: the dialogs and modal windows open at that moment,
  // or opened before the closing begins, end as cancelled or closed; then
  // the loop closes its windows, raising their Destroying events as the
  // close box does. Further requests are ignored once a window of the loop
  // is closing, whoever closed it.
  virtual void RunEventLoop() = 0;

  // The prompt dialog: centred, modal, no parent. The entry starts empty.
  // Gives the entered text, or nothing when cancelled (Esc, cancel button,
  // close box). `prompt` is shown only when form.has_prompt; CR LF in it
  // starts a new line.
  virtual std::optional<std::string> RunInputDialog(const InputDialogForm& form,
                                                    std::string_view caption,
                                                    std::string_view prompt) = 0;

  // The system message box: no icon, no owner, every window of the program
  // disabled while it is open. Close box and Esc answer Cancel when there
  // is a Cancel button, else Ok.
  virtual MessageAnswer RunMessageBox(std::string_view text, std::string_view caption,
                                      MessageButtons buttons) = 0;

  // Registers the routine that runs exactly once when the process ends.
  virtual void SetExitRoutine(std::function<void()> routine) = 0;

  // Registers the routine that runs when the connection to the display is
  // lost (the desktop session ended). No window can be shown or used any
  // more, so the routine must touch none; the process then ends with code 1
  // and the exit routine runs.
  virtual void SetDisplayLostRoutine(std::function<void()> routine) = 0;

  // Ends the program with `code`: from now on no handler of any window
  // runs and the exit routine runs. The real backends end the process at
  // once; the headless backend records the code, delivers no further event
  // and unwinds normally (so a caller must return right after calling it),
  // and runs the exit routine when the test ends the process.
  virtual void EndProgram(int code) = 0;
};

// The backend compiled into this build.
std::unique_ptr<Toolkit> MakeToolkit();

}  // namespace molvane::toolkit
