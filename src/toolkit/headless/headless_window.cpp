#include "toolkit/headless/headless_window.h"

#include <algorithm>

#include "toolkit/headless/headless_toolkit.h"

namespace molvane::toolkit {

namespace {

std::unique_ptr<Control> MakeControl(HeadlessWindow& window, const ControlForm& form) {
  switch (form.kind) {
    case ControlKind::ListBox:
      return std::make_unique<HeadlessListBox>(form);
    case ControlKind::EditBox:
    case ControlKind::MultiLineEditBox:
      return std::make_unique<HeadlessEditBox>(window, form);
    case ControlKind::Label:
      return std::make_unique<HeadlessLabel>(form);
    case ControlKind::Button:
      return std::make_unique<HeadlessButton>(form);
  }
  HeadlessFailure("unknown control kind of", form.name);
}

bool IsEdit(ControlKind kind) {
  return kind == ControlKind::EditBox || kind == ControlKind::MultiLineEditBox;
}

// The events each kind of control really raises.
bool Raises(ControlKind kind, EventKind event) {
  switch (event) {
    case EventKind::ItemSelected:
    case EventKind::RightButtonUp:
    case EventKind::KeyDown:
      return kind == ControlKind::ListBox;
    case EventKind::Clicked:
      return kind == ControlKind::Button;
    case EventKind::DoubleClicked:
      return kind == ControlKind::Label || IsEdit(kind);
    case EventKind::GotFocus:
      return IsEdit(kind);
    case EventKind::Created:
    case EventKind::Destroying:
    case EventKind::MenuSelected:
      return false;
  }
  return false;
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessToolkit& toolkit, const WindowForm& form, Bindings bindings)
    : toolkit_(toolkit), form_(form), bindings_(std::move(bindings)), caption_(form.caption) {
  for (const ControlForm& control : form.controls) {
    controls_.push_back({&control, MakeControl(*this, control)});
  }
  for (const MenuItemForm& item : form.menu_items) {
    menu_items_.push_back(std::make_unique<HeadlessMenuItem>(item));
  }
  CheckBindings();
}

void HeadlessWindow::CheckBindings() const {
  for (const Binding& binding : bindings_) {
    if (binding.source.empty()) {
      if (binding.kind != EventKind::Created && binding.kind != EventKind::Destroying) {
        HeadlessFailure("a window raises only Created and Destroying; bound in", form_.name);
      }
      continue;
    }
    const auto control = std::ranges::find(form_.controls, binding.source, &ControlForm::name);
    const auto item = std::ranges::find(form_.menu_items, binding.source, &MenuItemForm::name);
    const bool fits = control != form_.controls.end()  ? Raises(control->kind, binding.kind)
                      : item != form_.menu_items.end() ? binding.kind == EventKind::MenuSelected
                                                       : false;
    if (!fits)
      HeadlessFailure("binding to an unknown source or an event it never raises:", binding.source);
  }
}

HeadlessWindow::Slot& HeadlessWindow::Find(std::string_view name) {
  const auto slot =
      std::ranges::find_if(controls_, [&](const Slot& s) { return s.form->name == name; });
  if (slot == controls_.end()) HeadlessFailure("no control named", name);
  return *slot;
}

template <class T>
T& HeadlessWindow::Named(std::string_view name, std::string_view kind_text) {
  auto* control = dynamic_cast<T*>(Find(name).control.get());
  if (control == nullptr) HeadlessFailure(kind_text, name);
  return *control;
}

EditBox& HeadlessWindow::Edit(std::string_view name) { return EditState(name); }

HeadlessEditBox& HeadlessWindow::EditState(std::string_view name) {
  return Named<HeadlessEditBox>(name, "not an edit box:");
}

ListBox& HeadlessWindow::List(std::string_view name) {
  return Named<HeadlessListBox>(name, "not a list box:");
}

Button& HeadlessWindow::ButtonNamed(std::string_view name) {
  return Named<HeadlessButton>(name, "not a button:");
}

const HeadlessLabel& HeadlessWindow::Label(std::string_view name) {
  return Named<HeadlessLabel>(name, "not a label:");
}

Control& HeadlessWindow::ControlNamed(std::string_view name) { return *Find(name).control; }

MenuItem& HeadlessWindow::Menu(std::string_view name) {
  const auto item = std::ranges::find(form_.menu_items, name, &MenuItemForm::name);
  if (item == form_.menu_items.end()) HeadlessFailure("no menu item named", name);
  return *menu_items_[static_cast<std::size_t>(item - form_.menu_items.begin())];
}

void HeadlessWindow::PopupMenuAtCursor(int dx, int dy) {
  std::string chosen;
  if (auto choice = toolkit_.TakeMenuChoice()) {
    if (Menu(*choice).Enabled() && open_ && toolkit_.Delivering()) chosen = *choice;
  }
  toolkit_.RecordPopup({dx, dy, chosen});
  if (!chosen.empty()) Raise(chosen, EventKind::MenuSelected);
}

void HeadlessWindow::Close() {
  if (!open_ || closing_ || !toolkit_.Delivering()) return;
  closing_ = true;
  toolkit_.NoteClosing(*this);
  Raise({}, EventKind::Destroying);
  open_ = false;
  shown_ = false;
}

bool HeadlessWindow::CanTakeInput() const {
  return toolkit_.Delivering() && open_ && shown_ && blockers_ == 0;
}

bool HeadlessWindow::Accepts(std::string_view name) {
  return CanTakeInput() && ControlNamed(name).Enabled();
}

bool HeadlessWindow::SelectItem(std::string_view list, int index) {
  HeadlessListBox& box = Named<HeadlessListBox>(list, "not a list box:");
  if (!Accepts(list) || index < 0 || index >= box.Count()) return false;
  MoveFocus(list);
  box.SetSelection(index);
  Raise(list, EventKind::ItemSelected);
  return true;
}

bool HeadlessWindow::Click(std::string_view button) {
  static_cast<void>(ButtonNamed(button));
  if (!Accepts(button)) return false;
  MoveFocus(button);
  Raise(button, EventKind::Clicked);
  return true;
}

bool HeadlessWindow::KeyDown(std::string_view list, int key, int shift) {
  static_cast<void>(List(list));
  if (!Accepts(list)) return false;
  MoveFocus(list);
  Raise(list, EventKind::KeyDown, key, shift);
  return true;
}

bool HeadlessWindow::RightButtonUp(std::string_view list, int x, int y, int shift) {
  static_cast<void>(List(list));
  if (!Accepts(list)) return false;
  Raise(list, EventKind::RightButtonUp, 0, shift, x, y);
  return true;
}

bool HeadlessWindow::Focus(std::string_view name) {
  if (Find(name).form->kind == ControlKind::Label) HeadlessFailure("a label takes no focus:", name);
  if (!Accepts(name)) return false;
  MoveFocus(name);
  return true;
}

bool HeadlessWindow::DoubleClick(std::string_view name) {
  const ControlKind kind = Find(name).form->kind;
  if (kind != ControlKind::Label && !IsEdit(kind))
    HeadlessFailure("only labels and edit boxes are double-clicked:", name);
  if (!Accepts(name)) return false;
  if (IsEdit(kind)) MoveFocus(name);
  Raise(name, EventKind::DoubleClicked);
  return true;
}

bool HeadlessWindow::Type(std::string_view edit, std::string_view text) {
  HeadlessEditBox& box = EditState(edit);
  if (!Accepts(edit) || box.ReadOnly()) return false;
  MoveFocus(edit);
  // The focus handler may have changed the box or opened and closed a window.
  if (!Accepts(edit) || box.ReadOnly()) return false;
  box.InsertTyped(text);
  return true;
}

bool HeadlessWindow::CloseBox() {
  if (!CanTakeInput()) return false;
  Close();
  return true;
}

// The first enabled control that can hold the focus gets it.
void HeadlessWindow::Show() {
  shown_ = true;
  for (const Slot& slot : controls_) {
    if (slot.form->kind != ControlKind::Label && slot.control->Enabled()) {
      MoveFocus(slot.form->name);
      return;
    }
  }
}

void HeadlessWindow::MoveFocus(std::string_view name) {
  if (focused_ == name) return;
  focused_ = name;
  if (IsEdit(Find(name).form->kind)) Raise(name, EventKind::GotFocus);
}

// The window becomes active again: its focused box gets the focus back and
// says so, as a native edit box does when its window is reactivated.
void HeadlessWindow::Unblock() {
  --blockers_;
  if (blockers_ > 0 || focused_.empty() || !open_) return;
  const Slot& slot = Find(focused_);
  if (IsEdit(slot.form->kind) && slot.control->Enabled()) Raise(focused_, EventKind::GotFocus);
}

void HeadlessWindow::Raise(std::string_view source, EventKind kind, int key, int shift, int x,
                           int y) {
  if (!toolkit_.Delivering() || !open_) return;
  const Event event{*this, key, shift, x, y};
  for (const Binding& binding : bindings_) {
    if (binding.source == source && binding.kind == kind && binding.handler) binding.handler(event);
    if (!toolkit_.Delivering()) return;
  }
}

}  // namespace molvane::toolkit
