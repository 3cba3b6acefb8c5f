#include "ui/remarks_window.h"

#include "app/main_window_names.h"
#include "text/text_primitives.h"
#include "toolkit/window.h"
#include "ui/handler_binding.h"
#include "ui/remarks_window_form.h"

namespace molvane {

namespace {

constexpr std::string_view kOkButton = "按钮_确定";
constexpr std::string_view kEscape = "\\r\\n";

// Sets the flag for its lifetime. The toolkit gives the focus back to the
// remarks box before RunModal returns, so the flag covers that return.
class OpenWhileInScope {
 public:
  explicit OpenWhileInScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~OpenWhileInScope() { flag_ = false; }
  OpenWhileInScope(const OpenWhileInScope&) = delete;
  OpenWhileInScope& operator=(const OpenWhileInScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::string DecodeRemarks(std::string_view stored) { return ReplaceText(stored, kEscape, "\r\n"); }

std::string EncodeRemarks(std::string_view shown) {
  // Pasted text may bring lone CRs or LFs; each is a line break as well.
  // Neither byte can be the trail byte of a double-byte character.
  std::string text = ReplaceText(shown, "\r\n", "\n");
  text = ReplaceText(text, "\r", "\n");
  return ReplaceText(text, "\n", kEscape);
}

void OnRemarksBoxFocus(App& app, const toolkit::Event& event) {
  if (app.remarks_window_open) return;
  const OpenWhileInScope open(app.remarks_window_open);
  app.toolkit.RunModal(kRemarksWindowForm, BindRemarksWindow(app), event.window);
}

void OnRemarksWindowCreated(App& app, const toolkit::Event& event) {
  const toolkit::EditBox& stored = app.main_window->Edit(kRemarksBox);
  toolkit::EditBox& shown = event.window.Edit(kRemarksBox);
  shown.SetBackground(stored.Background());
  shown.SetReadOnly(stored.ReadOnly());
  shown.SetText(DecodeRemarks(stored.Text()));
}

void OnRemarksOkClicked(App& app, const toolkit::Event& event) {
  const toolkit::EditBox& shown = event.window.Edit(kRemarksBox);
  if (!shown.ReadOnly()) {
    app.main_window->Edit(kRemarksBox).SetText(EncodeRemarks(shown.Text()));
  }
  event.window.Close();
}

toolkit::Bindings BindRemarksWindow(App& app) {
  using enum toolkit::EventKind;
  // clang-format off
  return {
      On(app, kWindowItself, Created, OnRemarksWindowCreated),
      On(app, kOkButton,     Clicked, OnRemarksOkClicked),
  };
  // clang-format on
}

}  // namespace molvane
