#pragma once
// The controls of a loaded window, as the handlers see them. Every text is
// GBK bytes; backends convert at their edge. Looking up a name that the
// form does not hold is a programming error and aborts.

#include <string>
#include <string_view>

#include "toolkit/form.h"

namespace molvane::toolkit {

class Control {
 public:
  virtual ~Control() = default;
  [[nodiscard]] virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// The text before the first CR or LF: all that a one-line box holds.
[[nodiscard]] constexpr std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

class EditBox : public Control {
 public:
  [[nodiscard]] virtual std::string Text() const = 0;
  // A one-line box keeps only its FirstLine.
  virtual void SetText(std::string_view text) = 0;
  [[nodiscard]] virtual bool ReadOnly() const = 0;
  virtual void SetReadOnly(bool read_only) = 0;
  [[nodiscard]] virtual Colour Background() const = 0;
  virtual void SetBackground(Colour colour) = 0;
  // Selects the whole text (the selected-character count set to -1).
  virtual void SelectAll() = 0;
  virtual void Focus() = 0;
};

class ListBox : public Control {
 public:
  [[nodiscard]] virtual int Count() const = 0;
  // The empty text for an index that holds no item.
  [[nodiscard]] virtual std::string ItemText(int index) const = 0;
  // Adds at the end; gives the new item's index. Raises no event.
  virtual int AddItem(std::string_view text) = 0;
  virtual void DeleteItem(int index) = 0;
  // Index from 0, -1 for none.
  [[nodiscard]] virtual int Selection() const = 0;
  // Raises no event.
  virtual void SetSelection(int index) = 0;
};

class Button : public Control {
 public:
  [[nodiscard]] virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
};

class MenuItem : public Control {};

class Window {
 public:
  virtual ~Window() = default;
  [[nodiscard]] virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  virtual EditBox& Edit(std::string_view name) = 0;
  virtual ListBox& List(std::string_view name) = 0;
  virtual Button& ButtonNamed(std::string_view name) = 0;
  virtual MenuItem& Menu(std::string_view name) = 0;

  // Opens the form's popup menu at the mouse cursor moved by (dx, dy);
  // choosing an item raises its MenuSelected event.
  virtual void PopupMenuAtCursor(int dx, int dy) = 0;

  // Destroys the window: raises Destroying, then the window is gone. A
  // modal window's loader returns once it is closed.
  virtual void Close() = 0;
};

}  // namespace molvane::toolkit
