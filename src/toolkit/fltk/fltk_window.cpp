#include "toolkit/fltk/fltk_window.h"

#include <FL/Fl.H>

#include <cstdio>
#include <cstdlib>

#include "text/gbk_codec.h"
#include "toolkit/fltk/outside_end.h"

namespace molvane::toolkit::fltk {

FltkWindow::FltkWindow(const WindowForm& form, Bindings bindings)
    : FltkWindow(form, std::move(bindings),
                 CentredClientArea(form.width, form.height, form.frame)) {}

FltkWindow::FltkWindow(const WindowForm& form, Bindings bindings, PixelRect area)
    : Fl_Double_Window(area.x, area.y, area.width, area.height),
      form_(form),
      bindings_(std::make_shared<const Bindings>(std::move(bindings))) {
  // Both frames are fixed: the window can be neither resized nor maximised.
  size_range(area.width, area.height, area.width, area.height);
  xclass("molvane");
  callback(OnCloseRequest);
  SetCaption(form.caption);
  for (const ControlForm& control : form.controls) AddControl(control);
  end();
  BuildMenu();
}

void FltkWindow::AddControl(const ControlForm& control) {
  const std::string name(control.name);
  switch (control.kind) {
    case ControlKind::ListBox:
      lists_.emplace(name, new FltkListBox(*this, control));
      break;
    case ControlKind::EditBox:
      edits_.emplace(name, new FltkEditBox(*this, control));
      break;
    case ControlKind::MultiLineEditBox:
      edits_.emplace(name, new FltkMultiLineEditBox(*this, control));
      break;
    case ControlKind::Label:
      new FltkLabel(*this, control);
      break;
    case ControlKind::Button:
      buttons_.emplace(name, new FltkButton(*this, control));
      break;
  }
}

void FltkWindow::BuildMenu() {
  if (form_.menu_items.empty()) return;
  // All texts first: the menu keeps pointers to them.
  for (const MenuItemForm& item : form_.menu_items) {
    std::string label = GbkToUtf8(item.text);
    if (!item.shortcut.empty()) label += '\t' + GbkToUtf8(item.shortcut);
    menu_labels_.push_back(std::move(label));
  }
  menu_.resize(form_.menu_items.size() + 1, Fl_Menu_Item{});
  for (std::size_t index = 0; index < form_.menu_items.size(); ++index) {
    const MenuItemForm& item = form_.menu_items[index];
    Fl_Menu_Item& entry = menu_[index];
    entry.text = menu_labels_[index].c_str();
    entry.labeltype_ = static_cast<uchar>(ShortcutTextLabel());
    entry.labelfont_ = FL_HELVETICA;
    entry.labelsize_ = 12;
    entry.labelcolor_ = FL_FOREGROUND_COLOR;
    entry.flags = item.enabled ? 0 : FL_MENU_INACTIVE;
    menu_items_.emplace(std::string(item.name), std::make_unique<FltkMenuItem>(entry));
  }
}

// The close box, and Esc, which FLTK also sends here: only the close box
// closes a window of a form.
void FltkWindow::OnCloseRequest(Fl_Widget* widget, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  static_cast<FltkWindow*>(widget)->Close();
}

void FltkWindow::SetCaption(std::string_view caption) {
  caption_ = caption;
  copy_label(GbkToUtf8(caption).c_str());
}

template <class Map>
auto& FltkWindow::Named(Map& controls, std::string_view name, std::string_view kind) {
  const auto found = controls.find(name);
  if (found == controls.end()) {
    std::fprintf(stderr, "molvane: the form has no %.*s named \"%s\"\n",
                 static_cast<int>(kind.size()), kind.data(), GbkToUtf8(name).c_str());
    std::abort();
  }
  return *found->second;
}

EditBox& FltkWindow::Edit(std::string_view name) { return Named(edits_, name, "edit box"); }

ListBox& FltkWindow::List(std::string_view name) { return Named(lists_, name, "list box"); }

Button& FltkWindow::ButtonNamed(std::string_view name) { return Named(buttons_, name, "button"); }

MenuItem& FltkWindow::Menu(std::string_view name) { return Named(menu_items_, name, "menu item"); }

void FltkWindow::PopupMenuAtCursor(int dx, int dy) {
  if (menu_items_.empty()) return;
  // popup() places the menu relative to the window of the last event.
  int mouse_x = 0, mouse_y = 0;
  Fl::get_mouse(mouse_x, mouse_y);
  const int x = mouse_x + dx - (Fl::event_x_root() - Fl::event_x());
  const int y = mouse_y + dy - (Fl::event_y_root() - Fl::event_y());
  const Fl_Menu_Item* chosen = menu_.front().popup(x, y);
  if (chosen == nullptr) return;
  const auto index = static_cast<std::size_t>(chosen - menu_.data());
  Raise(form_.menu_items[index].name, EventKind::MenuSelected);
}

void FltkWindow::Close() {
  if (closing_) return;
  closing_ = true;
  if (!modal()) NoteTopLevelClosing();
  // As on Windows, the window leaves the screen before its Destroying
  // handler runs, and the handler still finds every control.
  hide();
  Raise({}, EventKind::Destroying);
  Fl::delete_widget(this);
}

void FltkWindow::Raise(std::string_view source, EventKind kind, int key, int shift, int x, int y) {
  if (closing_ && kind != EventKind::Destroying) return;
  // The handler may close this window, and a nested event loop may then
  // delete it before the handler returns: the table outlives it meanwhile.
  const std::shared_ptr<const Bindings> bindings = bindings_;
  for (const Binding& binding : *bindings) {
    if (binding.kind != kind || binding.source != source) continue;
    binding.handler(Event{*this, key, shift, x, y});
    return;
  }
}

}  // namespace molvane::toolkit::fltk
