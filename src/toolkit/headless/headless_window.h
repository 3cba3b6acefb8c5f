#pragma once
// A window of the headless backend. Besides the Window interface that the
// program uses, it offers the user's actions to tests. Every action raises
// its events through Raise, the one path by which this backend delivers
// events, and gives false (doing nothing) when a user could not do it: the
// program has ended, the window is closed, not yet shown or blocked by a
// modal window over it, or the control is disabled.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/event.h"
#include "toolkit/form.h"
#include "toolkit/headless/headless_controls.h"
#include "toolkit/window.h"

namespace molvane::toolkit {

class HeadlessToolkit;

class HeadlessWindow final : public Window {
 public:
  // Builds the controls in their initial states. A binding whose source the
  // form does not hold, or whose event that kind of control never raises,
  // fails the test at once.
  HeadlessWindow(HeadlessToolkit& toolkit, const WindowForm& form, Bindings bindings);

  // The Window interface, as the program sees it.
  [[nodiscard]] std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  EditBox& Edit(std::string_view name) override;
  ListBox& List(std::string_view name) override;
  Button& ButtonNamed(std::string_view name) override;
  MenuItem& Menu(std::string_view name) override;
  // Records the position asked for and takes the next queued menu choice,
  // if any; an enabled item raises its MenuSelected.
  void PopupMenuAtCursor(int dx, int dy) override;
  // Raises Destroying, then the window is gone; its properties stay
  // readable for tests. Once the program has ended it does nothing.
  void Close() override;

  // State, for tests.
  [[nodiscard]] const WindowForm& Form() const { return form_; }
  [[nodiscard]] bool IsOpen() const { return open_; }
  [[nodiscard]] bool IsShown() const { return shown_; }
  [[nodiscard]] bool CanTakeInput() const;
  [[nodiscard]] std::string_view FocusedControl() const { return focused_; }
  [[nodiscard]] HeadlessEditBox& EditState(std::string_view name);
  [[nodiscard]] const HeadlessLabel& Label(std::string_view name);
  // Any control by name, for its enabled state.
  [[nodiscard]] Control& ControlNamed(std::string_view name);

  // The user's actions, for tests. Those done with the mouse or the
  // keyboard on a control give it the focus first, as the real controls
  // do (raising GotFocus on an edit box that did not have it), except the
  // right button, which leaves the focus where it is.
  bool SelectItem(std::string_view list, int index);  // click an item: sets it, then ItemSelected
  bool Click(std::string_view button);
  bool KeyDown(std::string_view list, int key, int shift = 0);
  bool RightButtonUp(std::string_view list, int x, int y, int shift = 0);
  bool Focus(std::string_view name);        // list, edit box or button
  bool DoubleClick(std::string_view name);  // label or edit box
  // Only into an enabled box that is not read-only. Replaces a whole
  // selection, else appends; a one-line box drops line breaks.
  bool Type(std::string_view edit, std::string_view text);
  bool CloseBox();

  // For the toolkit and the controls.
  void Show();
  void MoveFocus(std::string_view name);
  void Block() { ++blockers_; }
  void Unblock();
  void Raise(std::string_view source, EventKind kind, int key = 0, int shift = 0, int x = 0,
             int y = 0);

 private:
  struct Slot {
    const ControlForm* form;
    std::unique_ptr<Control> control;
  };
  Slot& Find(std::string_view name);
  template <class T>
  T& Named(std::string_view name, std::string_view kind_text);
  [[nodiscard]] bool Accepts(std::string_view name);
  void CheckBindings() const;

  HeadlessToolkit& toolkit_;
  const WindowForm& form_;
  Bindings bindings_;
  std::vector<Slot> controls_;
  std::vector<std::unique_ptr<HeadlessMenuItem>> menu_items_;
  std::string caption_;
  std::string focused_;
  bool open_ = true;
  bool shown_ = false;
  bool closing_ = false;
  int blockers_ = 0;
};

}  // namespace molvane::toolkit
