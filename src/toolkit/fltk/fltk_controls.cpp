#include "toolkit/fltk/fltk_controls.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdlib>

#include "text/gbk_codec.h"
#include "toolkit/fltk/fltk_text.h"
#include "toolkit/fltk/key_codes.h"

namespace molvane::toolkit::fltk {

namespace {

constexpr Fl_Fontsize kTextSize = 12;

void SetActive(Fl_Widget& widget, bool enabled) {
  if (enabled) {
    widget.activate();
  } else {
    widget.deactivate();
  }
}

}  // namespace

// --- shared pieces ----------------------------------------------------------

void ControlEvents::Focused(Fl_Widget& self) {
  if (has_focus_) return;
  has_focus_ = true;
  // FLTK may ask a widget to take the focus before it records it as the
  // focus; record it first, so a handler that opens a modal window sees the
  // focus where the user put it.
  if (Fl::focus() != &self) Fl::focus(&self);
  Raise(EventKind::GotFocus);
}

bool IsDoubleClick() { return Fl::event_button() == FL_LEFT_MOUSE && Fl::event_clicks() % 2 == 1; }

namespace {

// What both edit boxes add to their widget's own handling of `event`:
// GotFocus when the focus arrives, and DoubleClicked after a press that
// completes a double-click, unless the press's handler deleted the box.
template <class WidgetHandler>
int HandleEditEvent(Fl_Widget& self, ControlEvents& events, int event, WidgetHandler widget) {
  switch (event) {
    case FL_FOCUS: {
      const int used = widget(event);
      events.Focused(self);
      return used;
    }
    case FL_UNFOCUS:
      events.Unfocused();
      return widget(event);
    case FL_PUSH: {
      Fl_Widget_Tracker alive(&self);
      const int used = widget(event);
      if (alive.exists() && IsDoubleClick()) events.Raise(EventKind::DoubleClicked);
      return used;
    }
    default:
      return widget(event);
  }
}

}  // namespace

Fl_Color ToFltkColour(Colour colour) {
  if (colour == kDefaultBackground) return FL_BACKGROUND_COLOR;
  return fl_rgb_color(static_cast<uchar>(colour & 0xFF), static_cast<uchar>((colour >> 8) & 0xFF),
                      static_cast<uchar>((colour >> 16) & 0xFF));
}

// --- one-line input ---------------------------------------------------------

OneLineInput::OneLineInput(int x, int y, int width, int height) : Fl_Input(x, y, width, height) {
  textfont(FL_HELVETICA);
  textsize(kTextSize);
}

int OneLineInput::handle(int event) {
  if (event != FL_PASTE || readonly() || !Fl::event_text()) return Fl_Input::handle(event);
  const std::string line(
      FirstLine(std::string_view(Fl::event_text(), static_cast<std::size_t>(Fl::event_length()))));
  replace(position(), mark(), line.c_str(), static_cast<int>(line.size()));
  return 1;
}

// --- edit box ---------------------------------------------------------------

FltkEditBox::FltkEditBox(EventSink& sink, const ControlForm& form)
    : OneLineInput(form.x, form.y, form.width, form.height),
      events_(sink, form.name),
      background_(form.background) {
  box(FL_DOWN_BOX);
  color(ToFltkColour(background_));
  SetText(form.text);
  SetActive(*this, form.enabled);
}

int FltkEditBox::handle(int event) {
  return HandleEditEvent(*this, events_, event,
                         [this](int widget_event) { return OneLineInput::handle(widget_event); });
}

void FltkEditBox::SetEnabled(bool enabled) { SetActive(*this, enabled); }

std::string FltkEditBox::Text() const { return FromWidget(value()); }

void FltkEditBox::SetText(std::string_view text) { value(GbkToUtf8(FirstLine(text)).c_str()); }

void FltkEditBox::SetBackground(Colour colour) {
  background_ = colour;
  color(ToFltkColour(colour));
  redraw();
}

void FltkEditBox::SelectAll() { position(size(), 0); }

// --- multi-line edit box ----------------------------------------------------

FltkMultiLineEditBox::FltkMultiLineEditBox(EventSink& sink, const ControlForm& form)
    : Fl_Text_Editor(form.x, form.y, form.width, form.height),
      events_(sink, form.name),
      background_(form.background) {
  Fl_Text_Editor::buffer(&text_buffer);
  box(FL_DOWN_BOX);
  textfont(FL_HELVETICA);
  textsize(kTextSize);
  wrap_mode(WRAP_AT_BOUNDS, 0);
  color(ToFltkColour(background_));
  SetText(form.text);
  SetActive(*this, form.enabled);
}

bool FltkMultiLineEditBox::AllowedWhileReadOnly(int event) const {
  switch (event) {
    case FL_PASTE:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
      return false;
    case FL_KEYBOARD:
      break;
    default:
      return true;
  }
  switch (Fl::event_key()) {
    case FL_Left:
    case FL_Right:
    case FL_Up:
    case FL_Down:
    case FL_Home:
    case FL_End:
    case FL_Page_Up:
    case FL_Page_Down:
      return true;
    case 'a':
    case 'c':
    case FL_Insert:  // Ctrl+Insert copies
      return Fl::event_state(FL_CTRL) != 0;
    default:
      return false;
  }
}

int FltkMultiLineEditBox::handle(int event) {
  if (read_only_ && !AllowedWhileReadOnly(event)) {
    // Tab still moves the focus on; other keys and drops are swallowed.
    return event == FL_KEYBOARD && Fl::event_key() == FL_Tab ? 0 : 1;
  }
  return HandleEditEvent(*this, events_, event,
                         [this](int widget_event) { return Fl_Text_Editor::handle(widget_event); });
}

void FltkMultiLineEditBox::SetEnabled(bool enabled) { SetActive(*this, enabled); }

std::string FltkMultiLineEditBox::Text() const {
  char* utf8 = text_buffer.text();
  std::string text = ToCrLfLines(FromWidget(utf8));
  std::free(utf8);
  return text;
}

void FltkMultiLineEditBox::SetText(std::string_view text) {
  text_buffer.text(GbkToUtf8(ToLfLines(text)).c_str());
}

void FltkMultiLineEditBox::SetBackground(Colour colour) {
  background_ = colour;
  color(ToFltkColour(colour));
  redraw();
}

void FltkMultiLineEditBox::SelectAll() { text_buffer.select(0, text_buffer.length()); }

// --- list box ---------------------------------------------------------------

FltkListBox::FltkListBox(EventSink& sink, const ControlForm& form)
    : Fl_Hold_Browser(form.x, form.y, form.width, form.height), events_(sink, form.name) {
  box(FL_DOWN_BOX);
  color(FL_WHITE);
  textfont(FL_HELVETICA);
  textsize(kTextSize);
  has_scrollbar(VERTICAL);
  // Item texts are shown as they are: no byte of UTF-8 text is 0xFF, so
  // neither formatting codes nor column breaks are ever recognised.
  format_char(static_cast<char>(0xFF));
  column_char(static_cast<char>(0xFF));
  when(FL_WHEN_CHANGED);
  callback(OnChanged);
  SetActive(*this, form.enabled);
}

void FltkListBox::OnChanged(Fl_Widget* widget, void*) {
  auto* list = static_cast<FltkListBox*>(widget);
  if (list->value() > 0) list->events_.Raise(EventKind::ItemSelected);
}

int FltkListBox::handle(int event) {
  switch (event) {
    case FL_KEYBOARD: {
      Fl_Widget_Tracker alive(this);
      const int key = VirtualKeyCode(Fl::event_key());
      if (key != 0) {
        events_.Raise(EventKind::KeyDown, key, ShiftState(Fl::event_state(), Fl::event_key()));
      }
      return alive.exists() ? Fl_Hold_Browser::handle(event) : 1;
    }
    case FL_PUSH:
    case FL_DRAG:
    case FL_RELEASE:
      if (Fl::event_button() == FL_RIGHT_MOUSE) return HandleRightButton(event);
      // A click below the last item keeps the selection, as a list box does.
      if (event != FL_RELEASE && InItemArea() && find_item(Fl::event_y()) == nullptr) {
        if (event == FL_PUSH) take_focus();
        return 1;
      }
      return Fl_Hold_Browser::handle(event);
    default:
      return Fl_Hold_Browser::handle(event);
  }
}

bool FltkListBox::InItemArea() const {
  int area_x = 0, area_y = 0, area_w = 0, area_h = 0;
  bbox(area_x, area_y, area_w, area_h);
  return Fl::event_inside(area_x, area_y, area_w, area_h) != 0;
}

// The right button selects nothing; its release over the list is reported
// in the list's client coordinates.
int FltkListBox::HandleRightButton(int event) {
  if (event == FL_RELEASE) {
    events_.Raise(EventKind::RightButtonUp, 0, ShiftState(Fl::event_state()),
                  Fl::event_x() - x() - Fl::box_dx(box()), Fl::event_y() - y() - Fl::box_dy(box()));
  }
  return 1;
}

void FltkListBox::SetEnabled(bool enabled) { SetActive(*this, enabled); }

std::string FltkListBox::ItemText(int index) const {
  if (index < 0 || index >= size()) return {};
  return FromWidget(text(index + 1));
}

int FltkListBox::AddItem(std::string_view text) {
  add(GbkToUtf8(text).c_str());
  return size() - 1;
}

void FltkListBox::DeleteItem(int index) {
  if (index >= 0 && index < size()) remove(index + 1);
}

void FltkListBox::SetSelection(int index) {
  if (index < 0 || index >= size()) {
    deselect();
    return;
  }
  select(index + 1);
  make_visible(index + 1);
}

// --- button -----------------------------------------------------------------

FltkButton::FltkButton(EventSink& sink, const ControlForm& form)
    : Fl_Button(form.x, form.y, form.width, form.height), events_(sink, form.name) {
  labelsize(kTextSize);
  callback(OnClicked);
  SetCaption(form.text);
  SetActive(*this, form.enabled);
}

void FltkButton::OnClicked(Fl_Widget* widget, void*) {
  static_cast<FltkButton*>(widget)->events_.Raise(EventKind::Clicked);
}

void FltkButton::SetEnabled(bool enabled) { SetActive(*this, enabled); }

void FltkButton::SetCaption(std::string_view caption) {
  caption_ = caption;
  copy_label(LabelText(caption).c_str());
}

// --- label ------------------------------------------------------------------

FltkLabel::FltkLabel(EventSink& sink, const ControlForm& form)
    : Fl_Box(form.x, form.y, form.width, form.height), events_(sink, form.name) {
  box(FL_NO_BOX);
  labelsize(kTextSize);
  align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  copy_label(LabelText(form.text).c_str());
  SetActive(*this, form.enabled);
}

int FltkLabel::handle(int event) {
  if (event != FL_PUSH) return Fl_Box::handle(event);
  if (IsDoubleClick()) events_.Raise(EventKind::DoubleClicked);
  return 1;
}

// --- menu -------------------------------------------------------------------

void FltkMenuItem::SetEnabled(bool enabled) {
  if (enabled) {
    item_.activate();
  } else {
    item_.deactivate();
  }
}

namespace {

constexpr int kShortcutGap = 24;

std::string_view TextPart(const Fl_Label& label) {
  const std::string_view all(label.value ? label.value : "");
  return all.substr(0, all.find('\t'));
}

std::string_view ShortcutPart(const Fl_Label& label) {
  const std::string_view all(label.value ? label.value : "");
  const std::size_t tab = all.find('\t');
  return tab == std::string_view::npos ? std::string_view() : all.substr(tab + 1);
}

void DrawShortcutTextLabel(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
  fl_font(label->font, label->size);
  fl_color(label->color);
  const std::string text(TextPart(*label));
  const std::string shortcut(ShortcutPart(*label));
  fl_draw(text.c_str(), x, y, w, h, align, nullptr, 0);
  if (!shortcut.empty()) {
    fl_draw(shortcut.c_str(), x, y, w, h, (align & ~FL_ALIGN_LEFT) | FL_ALIGN_RIGHT, nullptr, 0);
  }
}

void MeasureShortcutTextLabel(const Fl_Label* label, int& w, int& h) {
  fl_font(label->font, label->size);
  const std::string text(TextPart(*label));
  const std::string shortcut(ShortcutPart(*label));
  int text_w = 0, text_h = 0, shortcut_w = 0, shortcut_h = 0;
  fl_measure(text.c_str(), text_w, text_h, 0);
  if (!shortcut.empty()) fl_measure(shortcut.c_str(), shortcut_w, shortcut_h, 0);
  w = text_w + (shortcut.empty() ? 0 : kShortcutGap + shortcut_w);
  h = std::max(text_h, shortcut_h);
}

}  // namespace

Fl_Labeltype ShortcutTextLabel() {
  static const Fl_Labeltype type = [] {
    const auto free_type = static_cast<Fl_Labeltype>(FL_FREE_LABELTYPE);
    Fl::set_labeltype(free_type, DrawShortcutTextLabel, MeasureShortcutTextLabel);
    return free_type;
  }();
  return type;
}

}  // namespace molvane::toolkit::fltk
