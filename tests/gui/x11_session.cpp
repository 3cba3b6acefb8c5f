#include "gui/x11_session.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <thread>
#include <vector>

namespace molvane::gui_test {

namespace {

// How long the program gets to act on one piece of input before the next.
constexpr auto kInputPause = 30ms;
constexpr auto kPollPause = 20ms;

}  // namespace

// A display that is busy with another test's program may refuse a new
// client for a moment: try a few times before giving up.
X11Session::X11Session() {
  for (int attempt = 0; attempt < 20 && display_ == nullptr; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(100ms);
    display_ = XOpenDisplay(nullptr);
  }
}

X11Session::~X11Session() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

Geometry X11Session::Screen() const {
  const int screen = XDefaultScreen(display_);
  return {0, 0, XDisplayWidth(display_, screen), XDisplayHeight(display_, screen)};
}

std::string X11Session::Caption(WindowId window) const {
  const Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string caption;
  if (XGetWindowProperty(display_, window, name, 0, 1024, False, utf8, &type, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr) {
    caption.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return caption;
}

Geometry X11Session::GeometryOf(WindowId window) const {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(display_, window, XDefaultRootWindow(display_), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

bool X11Session::HasFixedSize(WindowId window) const {
  XSizeHints hints{};
  long supplied = 0;
  if (XGetWMNormalHints(display_, window, &hints, &supplied) == 0) return false;
  const Geometry size = GeometryOf(window);
  return (hints.flags & PMinSize) && (hints.flags & PMaxSize) && hints.min_width == size.width &&
         hints.max_width == size.width && hints.min_height == size.height &&
         hints.max_height == size.height;
}

std::optional<WindowId> X11Session::FindWindow(WindowId parent, std::string_view caption) const {
  ::Window root = 0, parent_of_parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, parent, &root, &parent_of_parent, &children, &count) == 0) return {};
  const std::vector<::Window> windows(children, children + count);
  if (children != nullptr) XFree(children);
  for (const ::Window window : windows) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
      continue;
    }
    if (Caption(window) == caption) return window;
    if (const auto inner = FindWindow(window, caption)) return inner;
  }
  return {};
}

std::optional<WindowId> X11Session::WaitForWindow(std::string_view caption,
                                                  std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    // A window destroyed while the tree is walked makes its requests fail;
    // the handler keeps that error from ending the test program.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const auto found = FindWindow(XDefaultRootWindow(display_), caption);
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (found) {
      // Let the program draw it before anyone looks or types.
      std::this_thread::sleep_for(4 * kInputPause);
      return found;
    }
    if (std::chrono::steady_clock::now() > deadline) return {};
    std::this_thread::sleep_for(kPollPause);
  }
}

bool X11Session::WaitUntilGone(WindowId window, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    // A window that is already destroyed makes the request fail; the
    // handler keeps that error from ending the test program.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XWindowAttributes attributes{};
    const bool exists = XGetWindowAttributes(display_, window, &attributes) != 0;
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (!exists || attributes.map_state != IsViewable) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollPause);
  }
}

void X11Session::Focus(WindowId window) {
  XRaiseWindow(display_, window);
  XSetInputFocus(display_, window, RevertToParent, CurrentTime);
  Settle();
}

void X11Session::Key(unsigned long keysym, bool press) {
  const KeyCode code = XKeysymToKeycode(display_, keysym);
  XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
}

void X11Session::TypeText(std::string_view ascii) {
  for (const char character : ascii) {
    const auto keysym = character == '\t'   ? XK_Tab
                        : character == '\n' ? XK_Return
                                            : static_cast<unsigned long>(static_cast<unsigned char>(character));
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    const bool shifted = XkbKeycodeToKeysym(display_, code, 0, 0) != keysym;
    if (shifted) Key(XK_Shift_L, true);
    Key(keysym, true);
    Key(keysym, false);
    if (shifted) Key(XK_Shift_L, false);
    Settle();
  }
}

void X11Session::PressKey(std::string_view keysym_name, unsigned modifiers) {
  const KeySym keysym = XStringToKeysym(std::string(keysym_name).c_str());
  const std::pair<unsigned, KeySym> modifier_keys[] = {
      {kControlKey, XK_Control_L}, {kShiftKey, XK_Shift_L}, {kAltKey, XK_Alt_L}};
  for (const auto& [bit, key] : modifier_keys) {
    if (modifiers & bit) Key(key, true);
  }
  Key(keysym, true);
  Key(keysym, false);
  for (const auto& [bit, key] : modifier_keys) {
    if (modifiers & bit) Key(key, false);
  }
  Settle();
}

void X11Session::Click(WindowId window, int x, int y, int button, int count) {
  const Geometry place = GeometryOf(window);
  XTestFakeMotionEvent(display_, XDefaultScreen(display_), place.x + x, place.y + y, CurrentTime);
  for (int i = 0; i < count; ++i) {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
  }
  Settle();
}

void X11Session::RequestClose(WindowId window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  Settle();
}

bool X11Session::Screenshot(const std::filesystem::path& file) const {
  const std::string command = "import -window root '" + file.string() + "'";
  return std::system(command.c_str()) == 0;
}

void X11Session::Settle() {
  XSync(display_, False);
  std::this_thread::sleep_for(kInputPause);
}

}  // namespace molvane::gui_test
