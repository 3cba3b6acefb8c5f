#include "toolkit/fltk/key_codes.h"

#include <FL/Enumerations.H>

#include <array>
#include <utility>

#include "toolkit/event.h"

namespace molvane::toolkit::fltk {

namespace {

// Keys whose code is not a simple offset from a range's first key.
// clang-format off
constexpr std::array<std::pair<int, int>, 41> kNamedKeys{{
  {FL_BackSpace, 8},   {FL_Tab, 9},         {FL_Enter, 13},      {FL_KP_Enter, 13},
  {FL_Shift_L, 16},    {FL_Shift_R, 16},    {FL_Control_L, 17},  {FL_Control_R, 17},
  {FL_Alt_L, 18},      {FL_Alt_R, 18},      {FL_Pause, 19},      {FL_Caps_Lock, 20},
  {FL_Escape, 27},     {' ', 32},           {FL_Page_Up, 33},    {FL_Page_Down, 34},
  {FL_End, 35},        {FL_Home, 36},       {FL_Left, 37},       {FL_Up, 38},
  {FL_Right, 39},      {FL_Down, 40},       {FL_Print, 44},      {FL_Insert, 45},
  {FL_Delete, 46},     {FL_Meta_L, 91},     {FL_Meta_R, 92},     {FL_Menu, 93},
  {FL_Num_Lock, 144},  {FL_Scroll_Lock, 145},
  {';', 186}, {'=', 187}, {',', 188}, {'-', 189}, {'.', 190}, {'/', 191}, {'`', 192},
  {'[', 219}, {'\\', 220}, {']', 221}, {'\'', 222},
}};
// clang-format on

// Keypad keys are FL_KP plus their character.
constexpr std::array<std::pair<char, int>, 5> kKeypadOperators{{
    {'*', 106}, {'+', 107}, {'-', 109}, {'.', 110}, {'/', 111}}};

}  // namespace

int VirtualKeyCode(int fltk_key) {
  if (fltk_key >= 'a' && fltk_key <= 'z') return fltk_key - 'a' + 'A';
  if (fltk_key >= '0' && fltk_key <= '9') return fltk_key;
  if (fltk_key > FL_F && fltk_key <= FL_F + 24) return 111 + (fltk_key - FL_F);  // F1 is 112
  if (fltk_key >= FL_KP + '0' && fltk_key <= FL_KP + '9') return 96 + (fltk_key - FL_KP - '0');
  for (const auto& [op, code] : kKeypadOperators) {
    if (fltk_key == FL_KP + op) return code;
  }
  for (const auto& [key, code] : kNamedKeys) {
    if (fltk_key == key) return code;
  }
  return 0;
}

int ShiftState(int fltk_state, int fltk_key) {
  int shift = 0;
  if ((fltk_state & FL_CTRL) || fltk_key == FL_Control_L || fltk_key == FL_Control_R) {
    shift |= kCtrl;
  }
  if ((fltk_state & FL_SHIFT) || fltk_key == FL_Shift_L || fltk_key == FL_Shift_R) {
    shift |= kShift;
  }
  if ((fltk_state & FL_ALT) || fltk_key == FL_Alt_L || fltk_key == FL_Alt_R) shift |= kAlt;
  return shift;
}

}  // namespace molvane::toolkit::fltk
