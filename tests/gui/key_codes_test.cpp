// FLTK's key numbers become the virtual-key codes the key handlers test.

#include "toolkit/fltk/key_codes.h"

#include <FL/Enumerations.H>
#include <gtest/gtest.h>

#include "toolkit/event.h"

namespace molvane::toolkit::fltk {
namespace {

TEST(VirtualKeyCode, MapsFltkKeysToWindowsCodes) {
  struct Case {
    int fltk_key;
    int code;
  };
  // clang-format off
  const Case cases[] = {
    {'f', kKeyF},      {'a', 65},         {'z', 90},         {'0', 48},     {'9', 57},
    {FL_F + 1, 112},   {FL_F + 3, kKeyF3}, {FL_F + 12, 123},
    {FL_Enter, 13},    {FL_KP_Enter, 13}, {FL_Escape, 27},   {FL_Tab, 9},   {' ', 32},
    {FL_Left, 37},     {FL_Up, 38},       {FL_Right, 39},    {FL_Down, 40},
    {FL_Home, 36},     {FL_End, 35},      {FL_Page_Up, 33},  {FL_Page_Down, 34},
    {FL_Delete, 46},   {FL_Insert, 45},   {FL_BackSpace, 8},
    {FL_Control_L, 17}, {FL_Shift_R, 16}, {FL_Alt_L, 18},
    {FL_KP + '0', 96}, {FL_KP + '9', 105}, {FL_KP + '*', 106}, {FL_KP + '/', 111},
    {';', 186},        {'/', 191},        {'[', 219},        {'\'', 222},
    {FL_Volume_Up, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyCode(c.fltk_key), c.code) << "FLTK key 0x" << std::hex << c.fltk_key;
  }
}

TEST(ShiftState, GivesTheCtrlShiftAltBits) {
  EXPECT_EQ(ShiftState(0), 0);
  EXPECT_EQ(ShiftState(FL_CTRL), kCtrl);
  EXPECT_EQ(ShiftState(FL_SHIFT | FL_ALT), kShift | kAlt);
  EXPECT_EQ(ShiftState(FL_CTRL | FL_SHIFT | FL_ALT | FL_NUM_LOCK | FL_BUTTON1), kCtrl | kShift | kAlt);
}

TEST(ShiftState, CountsAModifierKeyAsHeldFromItsOwnPress) {
  EXPECT_EQ(ShiftState(0, FL_Control_L), kCtrl);
  EXPECT_EQ(ShiftState(0, FL_Control_R), kCtrl);
  EXPECT_EQ(ShiftState(FL_CTRL, FL_Shift_L), kCtrl | kShift);
  EXPECT_EQ(ShiftState(0, FL_Alt_R), kAlt);
  EXPECT_EQ(ShiftState(0, 'f'), 0);
}

}  // namespace
}  // namespace molvane::toolkit::fltk
