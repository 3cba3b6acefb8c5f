#pragma once
// A window's form as data: its settings, its controls with their places and
// initial states, and its popup menu. The backends build real windows from
// it; tests check the built window against the same table.

#include <cstdint>
#include <span>
#include <string_view>

namespace molvane::toolkit {

// Colours are 0x00BBGGRR. kDefaultBackground is painted with the system's
// button-face colour.
using Colour = std::uint32_t;
inline constexpr Colour kDefaultBackground = 0xFF000000;
inline constexpr Colour kWhite = 0x00FFFFFF;

enum class ControlKind { ListBox, EditBox, MultiLineEditBox, Label, Button };

struct ControlForm {
  ControlKind kind;
  std::string_view name;
  int x, y, width, height;  // client-area pixels
  std::string_view text;
  bool enabled = true;
  Colour background = kDefaultBackground;  // edit boxes only
};

struct MenuItemForm {
  std::string_view name;
  std::string_view text;
  std::string_view shortcut;  // shown after a tab; never registered as an accelerator
  bool enabled = true;
};

enum class Frame {
  FixedSingle,  // caption with system menu, minimise and close; no resizing, no maximise
  ToolWindow,   // narrow caption with a close button only; no resizing
};

struct WindowForm {
  std::string_view name;
  std::string_view caption;
  int width, height;  // outer size, frame and caption included; opened centred on the screen
  Frame frame;
  std::span<const ControlForm> controls;
  std::string_view menu_name;  // a hidden popup menu; empty when the form has none
  std::span<const MenuItemForm> menu_items;
};

// The prompt dialog, in dialog units of the 9-point dialog font.
struct DialogRect {
  int x, y, width, height;
};

struct InputDialogForm {
  DialogRect dialog;
  bool has_prompt;
  DialogRect prompt_frame;  // sunken frame around the prompt; unused without prompt
  DialogRect prompt;        // unused without prompt
  DialogRect entry;
  DialogRect ok_button;
  DialogRect cancel_button;
  std::string_view ok_text;
  std::string_view cancel_text;
  std::string_view caption;  // the dialog's own caption, shown when the caller gives no title
};

}  // namespace molvane::toolkit
