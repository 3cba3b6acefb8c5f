#pragma once
// A window built from its form: an FLTK window holding the form's controls
// and its hidden popup menu, and the Window the handlers see. Every event
// of its controls reaches the bound handler through Raise.

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Item.H>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/event.h"
#include "toolkit/fltk/fltk_controls.h"
#include "toolkit/fltk/geometry.h"
#include "toolkit/form.h"
#include "toolkit/window.h"

namespace molvane::toolkit::fltk {

class FltkWindow final : public Fl_Double_Window, public Window, public EventSink {
 public:
  // Creates the window, centred, and its controls in their initial states;
  // nothing is shown and no event is raised yet.
  FltkWindow(const WindowForm& form, Bindings bindings);

  [[nodiscard]] std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override;
  EditBox& Edit(std::string_view name) override;
  ListBox& List(std::string_view name) override;
  Button& ButtonNamed(std::string_view name) override;
  MenuItem& Menu(std::string_view name) override;
  void PopupMenuAtCursor(int dx, int dy) override;
  // Hides the window, raises Destroying, and has FLTK delete it once the
  // event being handled is done with it.
  void Close() override;

  void Raise(std::string_view source, EventKind kind, int key = 0, int shift = 0, int x = 0,
             int y = 0) override;

  [[nodiscard]] bool Closing() const { return closing_; }

 private:
  FltkWindow(const WindowForm& form, Bindings bindings, PixelRect area);
  void AddControl(const ControlForm& control);
  void BuildMenu();
  static void OnCloseRequest(Fl_Widget* widget, void*);

  template <class Map>
  static auto& Named(Map& controls, std::string_view name, std::string_view kind);

  const WindowForm& form_;
  std::shared_ptr<const Bindings> bindings_;
  std::string caption_;
  std::map<std::string, EditBox*, std::less<>> edits_;
  std::map<std::string, ListBox*, std::less<>> lists_;
  std::map<std::string, Button*, std::less<>> buttons_;
  std::map<std::string, std::unique_ptr<FltkMenuItem>, std::less<>> menu_items_;
  std::vector<std::string> menu_labels_;  // the texts menu_ points into
  std::vector<Fl_Menu_Item> menu_;        // the popup menu, ended by an empty item
  bool closing_ = false;
};

}  // namespace molvane::toolkit::fltk
