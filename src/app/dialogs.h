#pragma once
// The program's two dialogs: a prompt for one line of text and a message
// box. Both are modal, have no parent window and block until answered.

#include <string>
#include <string_view>

#include "toolkit/form.h"
#include "toolkit/toolkit.h"

namespace molvane {

// The two layouts of the prompt dialog, in dialog units of the 9-point font.
extern const toolkit::InputDialogForm kInputDialogWithPrompt;
extern const toolkit::InputDialogForm kInputDialogWithoutPrompt;

// Asks for one line of text; an empty prompt chooses the layout without a
// prompt area, CR LF in it starts a new line, and a non-empty title replaces
// the caption "请输入：". The entry starts empty and shows its text in clear.
// On confirmation `variable` takes the entry (possibly empty) and the result
// is true; on cancellation it keeps its value and the result is false.
bool ShowInputBox(toolkit::Toolkit& toolkit, std::string_view prompt, std::string_view title,
                  std::string& variable);

// Shows `message` under the caption "信息：" with buttons 0 (OK) or 1 (OK and
// Cancel); any other value shows OK alone. Answers 0 for OK, 1 for Cancel,
// Esc or the close box.
int ShowMessage(toolkit::Toolkit& toolkit, std::string_view message, int buttons);

}  // namespace molvane
