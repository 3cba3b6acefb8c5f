#pragma once
// Events that controls raise, and the bindings that route them to handlers.

#include <functional>
#include <string>
#include <vector>

namespace molvane::toolkit {

class Window;

enum class EventKind {
  Created,        // the window: created, before it is first shown
  Destroying,     // the window: about to be destroyed
  ItemSelected,   // list box: the user selected an item (never a selection made by code)
  RightButtonUp,  // list box: right mouse button released over it
  KeyDown,        // list box: a key pressed while it has the focus
  MenuSelected,   // menu item: chosen
  Clicked,        // button
  DoubleClicked,  // label or edit box
  GotFocus,       // edit box: received the keyboard focus
};

// Shift-state bits of KeyDown and RightButtonUp.
inline constexpr int kCtrl = 1;
inline constexpr int kShift = 2;
inline constexpr int kAlt = 4;

// Virtual-key codes of the keys the program looks at.
inline constexpr int kKeyF = 70;
inline constexpr int kKeyF3 = 114;

struct Event {
  Window& window;  // the window whose control raised the event
  int key = 0;     // KeyDown: virtual-key code
  int shift = 0;   // KeyDown, RightButtonUp: sum of kCtrl, kShift, kAlt
  int x = 0, y = 0;  // RightButtonUp: client coordinates of the list
};

using Handler = std::function<void(const Event&)>;

struct Binding {
  std::string source;  // a control or menu item name; empty for the window itself
  EventKind kind;
  Handler handler;
};

using Bindings = std::vector<Binding>;

}  // namespace molvane::toolkit
