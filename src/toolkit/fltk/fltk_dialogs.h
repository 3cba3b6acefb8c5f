#pragma once
// The prompt dialog and the message box, as modal FLTK windows centred on
// the screen. While one is open no other window of the program takes input.

#include <optional>
#include <string>
#include <string_view>

#include "toolkit/form.h"
#include "toolkit/toolkit.h"

namespace molvane::toolkit::fltk {

// The entered text, or nothing when cancelled (Esc, cancel button, close
// box). The caption is the form's own when `caption` is empty.
[[nodiscard]] std::optional<std::string> RunInputDialog(const InputDialogForm& form,
                                                        std::string_view caption,
                                                        std::string_view prompt);

// The text with the caption and the button set, no icon. Esc and the close
// box answer Cancel, or Ok when there is no Cancel button.
[[nodiscard]] MessageAnswer RunMessageBox(std::string_view text, std::string_view caption,
                                          MessageButtons buttons);

}  // namespace molvane::toolkit::fltk
