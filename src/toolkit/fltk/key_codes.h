#pragma once
// FLTK's key numbers and modifier state in the terms of the KeyDown event:
// Windows virtual-key codes and the kCtrl / kShift / kAlt bits.

namespace molvane::toolkit::fltk {

// The virtual-key code of an FLTK key (Fl::event_key()), 0 for a key that
// has none.
[[nodiscard]] int VirtualKeyCode(int fltk_key);

// kCtrl, kShift and kAlt of an FLTK event state (Fl::event_state()) as a
// key handler sees them for `fltk_key`: a modifier key counts as held from
// its own press on, which FLTK's state shows only from the next event.
[[nodiscard]] int ShiftState(int fltk_state, int fltk_key = 0);

}  // namespace molvane::toolkit::fltk
