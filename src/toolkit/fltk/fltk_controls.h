#pragma once
// The controls of a form as FLTK widgets. Each widget is also the control
// the handlers see, and turns FLTK's events into the toolkit's through the
// window it sits in.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Editor.H>

#include <string>
#include <string_view>

#include "toolkit/event.h"
#include "toolkit/form.h"
#include "toolkit/window.h"

namespace molvane::toolkit::fltk {

// Where controls deliver their events: the window that holds them.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Raise(std::string_view source, EventKind kind, int key = 0, int shift = 0,
                     int x = 0, int y = 0) = 0;
};

// What every control of a form knows about itself: its name, where its
// events go, and whether it holds the focus, so that GotFocus is raised
// when the focus arrives and not again while it stays.
class ControlEvents {
 public:
  ControlEvents(EventSink& sink, std::string_view name) : sink_(sink), name_(name) {}

  void Raise(EventKind kind, int key = 0, int shift = 0, int x = 0, int y = 0) {
    sink_.Raise(name_, kind, key, shift, x, y);
  }
  // Called on FL_FOCUS; makes `self` FLTK's focus and raises GotFocus when
  // the focus was elsewhere.
  void Focused(Fl_Widget& self);
  void Unfocused() { has_focus_ = false; }

 private:
  EventSink& sink_;
  std::string name_;
  bool has_focus_ = false;
};

// A left-button press that completes a double-click.
[[nodiscard]] bool IsDoubleClick();

// Fl_Color of a form colour; kDefaultBackground is the button face.
[[nodiscard]] Fl_Color ToFltkColour(Colour colour);

// A one-line input: a pasted line break and whatever follows it never
// enter it. The input dialog's entry field is one too.
class OneLineInput : public Fl_Input {
 public:
  OneLineInput(int x, int y, int width, int height);
  int handle(int event) override;
};

class FltkEditBox final : public OneLineInput, public EditBox {
 public:
  FltkEditBox(EventSink& sink, const ControlForm& form);
  int handle(int event) override;

  [[nodiscard]] bool Enabled() const override { return active() != 0; }
  void SetEnabled(bool enabled) override;
  [[nodiscard]] std::string Text() const override;
  void SetText(std::string_view text) override;
  [[nodiscard]] bool ReadOnly() const override { return readonly() != 0; }
  void SetReadOnly(bool read_only) override { readonly(read_only ? 1 : 0); }
  [[nodiscard]] Colour Background() const override { return background_; }
  void SetBackground(Colour colour) override;
  void SelectAll() override;
  void Focus() override { take_focus(); }

 private:
  ControlEvents events_;
  Colour background_;
};

// Keeps the text buffer alive until the editor that shows it is gone: a
// base class is destroyed after the classes derived from it.
struct TextBufferHolder {
  Fl_Text_Buffer text_buffer;
};

// The multi-line box: wraps at its width, scrolls vertically, Enter starts
// a new line. Its text is CR LF lines to the program and LF lines in FLTK.
class FltkMultiLineEditBox final : private TextBufferHolder, public Fl_Text_Editor, public EditBox {
 public:
  FltkMultiLineEditBox(EventSink& sink, const ControlForm& form);
  int handle(int event) override;

  [[nodiscard]] bool Enabled() const override { return active() != 0; }
  void SetEnabled(bool enabled) override;
  [[nodiscard]] std::string Text() const override;
  void SetText(std::string_view text) override;
  [[nodiscard]] bool ReadOnly() const override { return read_only_; }
  void SetReadOnly(bool read_only) override { read_only_ = read_only; }
  [[nodiscard]] Colour Background() const override { return background_; }
  void SetBackground(Colour colour) override;
  void SelectAll() override;
  void Focus() override { take_focus(); }

 private:
  // Whether a read-only box lets `event` through: moving, selecting and
  // copying do, anything that would change the text does not.
  [[nodiscard]] bool AllowedWhileReadOnly(int event) const;

  ControlEvents events_;
  Colour background_;
  bool read_only_ = false;
};

// The list box: unsorted, single selection. Only the user's selection
// raises ItemSelected; the program's SetSelection raises nothing.
class FltkListBox final : public Fl_Hold_Browser, public ListBox {
 public:
  FltkListBox(EventSink& sink, const ControlForm& form);
  int handle(int event) override;

  [[nodiscard]] bool Enabled() const override { return active() != 0; }
  void SetEnabled(bool enabled) override;
  [[nodiscard]] int Count() const override { return size(); }
  [[nodiscard]] std::string ItemText(int index) const override;
  int AddItem(std::string_view text) override;
  void DeleteItem(int index) override;
  [[nodiscard]] int Selection() const override { return value() - 1; }
  void SetSelection(int index) override;

 private:
  static void OnChanged(Fl_Widget* widget, void*);
  int HandleRightButton(int event);
  // Whether the mouse is over the items' area, scroll bar excluded.
  [[nodiscard]] bool InItemArea() const;

  ControlEvents events_;
};

class FltkButton final : public Fl_Button, public Button {
 public:
  FltkButton(EventSink& sink, const ControlForm& form);

  [[nodiscard]] bool Enabled() const override { return active() != 0; }
  void SetEnabled(bool enabled) override;
  [[nodiscard]] std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override;

 private:
  static void OnClicked(Fl_Widget* widget, void*);

  ControlEvents events_;
  std::string caption_;
};

class FltkLabel final : public Fl_Box {
 public:
  FltkLabel(EventSink& sink, const ControlForm& form);
  int handle(int event) override;
  // The text starts at the label's left edge, as a static text control's
  // does; FLTK would inset it by 3 pixels.
  void draw() override { draw_label(x(), y(), w(), h(), align()); }

 private:
  ControlEvents events_;
};

// A popup menu item: an entry of the window's Fl_Menu_Item array.
class FltkMenuItem final : public MenuItem {
 public:
  explicit FltkMenuItem(Fl_Menu_Item& item) : item_(item) {}
  [[nodiscard]] bool Enabled() const override { return item_.active() != 0; }
  void SetEnabled(bool enabled) override;

 private:
  Fl_Menu_Item& item_;
};

// The label type of menu items that show a shortcut text: the label holds
// the item text, a tab, and the shortcut text, drawn at the right edge.
// Nothing registers the shortcut as a key.
[[nodiscard]] Fl_Labeltype ShortcutTextLabel();

}  // namespace molvane::toolkit::fltk
