#include "toolkit/fltk/geometry.h"

#include <FL/Fl.H>

namespace molvane::toolkit::fltk {

namespace {

// The frame that Windows draws around a window of each kind: the border on
// each side and the caption bar above the client area.
struct FrameInsets {
  int border;
  int caption;
};

FrameInsets InsetsOf(Frame frame) {
  switch (frame) {
    case Frame::FixedSingle:
      return {3, 23};
    case Frame::ToolWindow:
      return {3, 17};
  }
  return {3, 23};
}

int DialogUnitsToPixels(int units) { return (units * 3 + 1) / 2; }

}  // namespace

PixelRect CentredClientArea(int outer_width, int outer_height, Frame frame) {
  const FrameInsets insets = InsetsOf(frame);
  int screen_x = 0, screen_y = 0, screen_width = 0, screen_height = 0;
  Fl::screen_xywh(screen_x, screen_y, screen_width, screen_height, 0);
  const int left = screen_x + (screen_width - outer_width) / 2;
  const int top = screen_y + (screen_height - outer_height) / 2;
  return {left + insets.border, top + insets.border + insets.caption,
          outer_width - 2 * insets.border, outer_height - 2 * insets.border - insets.caption};
}

PixelRect CentredDialogArea(int client_width, int client_height) {
  const FrameInsets insets = InsetsOf(Frame::FixedSingle);
  return CentredClientArea(client_width + 2 * insets.border,
                           client_height + 2 * insets.border + insets.caption, Frame::FixedSingle);
}

PixelRect FromDialogUnits(const DialogRect& rect) {
  const int left = DialogUnitsToPixels(rect.x);
  const int top = DialogUnitsToPixels(rect.y);
  return {left, top, DialogUnitsToPixels(rect.x + rect.width) - left,
          DialogUnitsToPixels(rect.y + rect.height) - top};
}

}  // namespace molvane::toolkit::fltk
