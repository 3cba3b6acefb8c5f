#include "toolkit/fltk/fltk_toolkit.h"

#include <FL/Fl.H>

#include <cstdlib>
#include <deque>

#include "toolkit/fltk/fltk_dialogs.h"
#include "toolkit/fltk/fltk_window.h"
#include "toolkit/fltk/outside_end.h"

namespace molvane::toolkit::fltk {

namespace {

// The look of the program's default GUI font, a 9-point face of 12 pixels,
// of its windows' button-face grey and of its selection blue. The font is a
// CJK one: the X server's core fonts and FLTK's default sans face have no
// Chinese.
constexpr const char* kFontFace = " WenQuanYi Micro Hei";
constexpr const char* kBoldFontFace = "BWenQuanYi Micro Hei";
constexpr Fl_Fontsize kNormalSize = 12;
constexpr int kScrollbarWidth = 17;

// Shows a window that its Created handler left open. Gives false when the
// handler closed it.
bool ShowAfterCreated(FltkWindow& window) {
  Fl_Widget_Tracker alive(&window);
  window.Raise({}, EventKind::Created);
  if (!alive.exists() || window.Closing()) return false;
  window.show();
  window.take_focus();
  return true;
}

std::function<void()>& ExitRoutine() {
  static std::function<void()> routine;
  return routine;
}

void RunExitRoutine() {
  if (ExitRoutine()) ExitRoutine()();
}

// Closes every window of the program as its close box would.
void CloseEveryWindow() {
  // Trackers stay where they were made: a deque never moves its items.
  std::deque<Fl_Widget_Tracker> windows;
  for (Fl_Window* window = Fl::first_window(); window != nullptr;
       window = Fl::next_window(window)) {
    windows.emplace_back(window);
  }
  // A Destroying handler may close other windows meanwhile.
  for (Fl_Widget_Tracker& tracked : windows) {
    auto* window = dynamic_cast<FltkWindow*>(tracked.widget());
    if (window != nullptr && tracked.exists()) window->Close();
  }
}

}  // namespace

FltkToolkit::FltkToolkit() {
  Fl::set_font(FL_HELVETICA, kFontFace);
  Fl::set_font(FL_HELVETICA_BOLD, kBoldFontFace);
  FL_NORMAL_SIZE = kNormalSize;
  Fl::background(240, 240, 240);
  Fl::set_color(FL_SELECTION_COLOR, 0, 120, 215);
  Fl::scrollbar_size(kScrollbarWidth);
  Fl::visible_focus(1);
  WatchTerminationSignals();
}

Window* FltkToolkit::Load(const WindowForm& form, Bindings bindings) {
  OpenWatchedDisplay();
  auto* window = new FltkWindow(form, std::move(bindings));
  return ShowAfterCreated(*window) ? window : nullptr;
}

void FltkToolkit::RunModal(const WindowForm& form, Bindings bindings, Window& parent) {
  // FLTK's own focus is the parent's focused control here; it gets the
  // focus back when the modal window is gone.
  auto* parent_window = dynamic_cast<FltkWindow*>(&parent);
  Fl_Widget* const focused = Fl::focus();
  const bool give_back = focused != nullptr && parent_window != nullptr &&
                         parent_window->contains(focused) != 0;
  Fl_Widget_Tracker focused_alive(give_back ? focused : nullptr);

  auto* window = new FltkWindow(form, std::move(bindings));
  window->set_modal();
  Fl_Widget_Tracker alive(window);
  if (ShowAfterCreated(*window)) {
    while (alive.exists() && window->shown()) {
      if (EndAsked()) {
        window->Close();
      } else {
        Fl::wait();
      }
    }
  }
  if (give_back && focused_alive.exists() && Fl::focus() != focused) focused->take_focus();
}

void FltkToolkit::RunEventLoop() {
  for (;;) {
    // Only here, where no handler is running, are the windows closed for
    // an end that was asked.
    if (EndAsked()) CloseEveryWindow();
    if (Fl::first_window() == nullptr) break;
    Fl::wait();
  }
  Fl::do_widget_deletion();
}

std::optional<std::string> FltkToolkit::RunInputDialog(const InputDialogForm& form,
                                                       std::string_view caption,
                                                       std::string_view prompt) {
  OpenWatchedDisplay();
  return fltk::RunInputDialog(form, caption, prompt);
}

MessageAnswer FltkToolkit::RunMessageBox(std::string_view text, std::string_view caption,
                                         MessageButtons buttons) {
  OpenWatchedDisplay();
  return fltk::RunMessageBox(text, caption, buttons);
}

void FltkToolkit::SetExitRoutine(std::function<void()> routine) {
  // The holder is made before RunExitRoutine is registered, so that at exit
  // it is destroyed only after the routine has run.
  std::function<void()>& held = ExitRoutine();
  [[maybe_unused]] static const int registered = std::atexit(RunExitRoutine);
  held = std::move(routine);
}

void FltkToolkit::SetDisplayLostRoutine(std::function<void()> routine) {
  fltk::SetDisplayLostRoutine(std::move(routine));
}

void FltkToolkit::EndProgram(int code) { std::exit(code); }

}  // namespace molvane::toolkit::fltk
