#pragma once
// Input to the real main window by control name: places are read from the
// form the program is built from, so the tests follow the form.

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "app/main_window_names.h"
#include "gui/x11_session.h"
#include "ui/main_window_form.h"

namespace molvane::gui_test {

// Clicks the centre of the main window's control `name`.
inline void ClickControl(X11Session& x11, WindowId window, std::string_view name) {
  for (const toolkit::ControlForm& control : kMainWindowForm.controls) {
    if (control.name == name) {
      x11.Click(window, control.x + control.width / 2, control.y + control.height / 2);
      return;
    }
  }
  ADD_FAILURE() << "the main window has no control " << name;
}

// Starts a new entry and types its four required fields, each box clicked first.
inline void TypeNewEntry(X11Session& x11, WindowId window, std::string_view title,
                         std::string_view site, std::string_view account,
                         std::string_view password) {
  ClickControl(x11, window, kNewButton);
  const std::pair<std::string_view, std::string_view> typed[] = {
      {kTitleBox, title}, {kSiteBox, site}, {kAccountBox, account}, {kPasswordBox, password}};
  for (const auto& [box, text] : typed) {
    ClickControl(x11, window, box);
    x11.TypeText(text);
  }
}

}  // namespace molvane::gui_test
