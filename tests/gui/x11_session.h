#pragma once
// Drives the program's windows on an X display the way a user would: finds
// a window by its caption, reads where it is, gives it the keyboard, types,
// clicks and closes it. Key presses and clicks go through the XTEST
// extension, so the program sees real input events.
//
// There is no window manager on the test display (Xvfb), so windows have
// no frame: a window's geometry is its client area, and the keyboard goes
// where Focus puts it.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct _XDisplay;

namespace molvane::gui_test {

using WindowId = unsigned long;  // an X window

// A client area in root-window (screen) coordinates.
struct Geometry {
  int x, y, width, height;
};

// Modifier bits for PressKey.
inline constexpr unsigned kControlKey = 1;
inline constexpr unsigned kShiftKey = 2;
inline constexpr unsigned kAltKey = 4;

using namespace std::chrono_literals;

class X11Session {
 public:
  // Connects to $DISPLAY; Connected() tells whether that worked.
  X11Session();
  ~X11Session();
  X11Session(const X11Session&) = delete;
  X11Session& operator=(const X11Session&) = delete;

  [[nodiscard]] bool Connected() const { return display_ != nullptr; }
  [[nodiscard]] Geometry Screen() const;

  // The first viewable window whose _NET_WM_NAME is `caption` (UTF-8),
  // waiting up to `timeout` for it to appear.
  [[nodiscard]] std::optional<WindowId> WaitForWindow(std::string_view caption,
                                                      std::chrono::milliseconds timeout = 10s);
  // Whether the window is gone (destroyed or no longer viewable) within
  // `timeout`.
  [[nodiscard]] bool WaitUntilGone(WindowId window, std::chrono::milliseconds timeout = 10s);

  [[nodiscard]] std::string Caption(WindowId window) const;  // _NET_WM_NAME, UTF-8
  [[nodiscard]] Geometry GeometryOf(WindowId window) const;
  // Whether the window tells window managers that its size is fixed: its
  // smallest and largest sizes are its current size.
  [[nodiscard]] bool HasFixedSize(WindowId window) const;

  // Raises the window and gives it the keyboard focus.
  void Focus(WindowId window);
  // Types printable ASCII text, TAB and LF as the Tab and Return keys,
  // pressing Shift where a character needs it.
  void TypeText(std::string_view ascii);
  // Presses and releases one key by its keysym name ("Return", "Escape",
  // "Tab", "F3", "f") with the modifiers held.
  void PressKey(std::string_view keysym_name, unsigned modifiers = 0);
  // Moves the pointer to (x, y) of the window's client area and clicks
  // `button` (1 left, 3 right) `count` times.
  void Click(WindowId window, int x, int y, int button = 1, int count = 1);
  // Asks the window to close, as a window manager's close box does
  // (WM_DELETE_WINDOW).
  void RequestClose(WindowId window);

  // Saves the whole screen as an image (PNG by the file's extension).
  bool Screenshot(const std::filesystem::path& file) const;

 private:
  [[nodiscard]] std::optional<WindowId> FindWindow(WindowId parent,
                                                   std::string_view caption) const;
  void Key(unsigned long keysym, bool press);
  void Settle();

  _XDisplay* display_ = nullptr;
};

}  // namespace molvane::gui_test
