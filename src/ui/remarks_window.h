#pragma once
// The remarks window: the main window's one-line remarks box keeps line
// breaks as the four characters \r\n (backslash r backslash n), so that the
// stored value stays on one line; the remarks window shows them as real
// line breaks and writes them back encoded.

#include <string>
#include <string_view>

#include "app/session.h"
#include "toolkit/event.h"

namespace molvane {

// The main window's remarks box got the focus: opens the remarks window
// modally over the main window. The focus that the toolkit gives back to the
// box when the remarks window closes opens nothing.
void OnRemarksBoxFocus(App& app, const toolkit::Event& event);

// The remarks window is created: its box takes the background, the input
// mode and the decoded text of the main window's remarks box.
void OnRemarksWindowCreated(App& app, const toolkit::Event& event);

// "确定": an editable box's text goes back, encoded, into the main window's
// remarks box; then the window closes. A read-only box writes nothing.
void OnRemarksOkClicked(App& app, const toolkit::Event& event);

// The remarks window's event table. Closing it any other way writes nothing.
[[nodiscard]] toolkit::Bindings BindRemarksWindow(App& app);

// Every escape \r\n becomes CR LF.
[[nodiscard]] std::string DecodeRemarks(std::string_view stored);

// Every line break, CR LF or a lone CR or LF, becomes the escape \r\n: a
// raw one would end the line in the register.
[[nodiscard]] std::string EncodeRemarks(std::string_view shown);

}  // namespace molvane
