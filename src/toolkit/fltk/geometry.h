#pragma once
// Where windows go. Forms give a window's outer size, frame and caption
// included, as the program was designed on Windows; on X11 the frame
// belongs to the window manager, so the backend makes the client area the
// size that frame would leave and places it where it would sit inside a
// frame centred on the screen.

#include "toolkit/form.h"

namespace molvane::toolkit::fltk {

struct PixelRect {
  int x, y, width, height;
};

// The client area of a window of `outer_width` x `outer_height` with
// `frame`, centred on the first screen, in root-window coordinates.
[[nodiscard]] PixelRect CentredClientArea(int outer_width, int outer_height, Frame frame);

// The client area for a dialog whose client size is given: its frame is
// that of Frame::FixedSingle.
[[nodiscard]] PixelRect CentredDialogArea(int client_width, int client_height);

// Dialog units of the 9-point dialog font to pixels: the font's average
// character is 6 x 12 pixels, so one unit is 1.5 pixels either way. Edges
// are converted, so touching rectangles still touch.
[[nodiscard]] PixelRect FromDialogUnits(const DialogRect& rect);

}  // namespace molvane::toolkit::fltk
