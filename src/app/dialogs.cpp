#include "app/dialogs.h"

namespace molvane {

namespace {

constexpr std::string_view kInputCaption = "请输入：";
constexpr std::string_view kOkText = "确认输入(&O)";
constexpr std::string_view kCancelText = "取消(&C)";
constexpr std::string_view kMessageCaption = "信息：";

}  // namespace

// clang-format off
constinit const toolkit::InputDialogForm kInputDialogWithPrompt = {
    .dialog        = {0,   0, 252, 92},
    .has_prompt    = true,
    .prompt_frame  = {7,   7, 238, 35},
    .prompt        = {12, 11, 229, 27},
    .entry         = {7,  45, 238, 12},
    .ok_button     = {63, 66,  55, 19},
    .cancel_button = {134, 66, 55, 19},
    .ok_text       = kOkText,
    .cancel_text   = kCancelText,
    .caption       = kInputCaption,
};

constinit const toolkit::InputDialogForm kInputDialogWithoutPrompt = {
    .dialog        = {0,   0, 214, 56},
    .has_prompt    = false,
    .prompt_frame  = {},
    .prompt        = {},
    .entry         = {7,   7, 200, 12},
    .ok_button     = {82,  30, 55, 19},
    .cancel_button = {151, 30, 55, 19},
    .ok_text       = kOkText,
    .cancel_text   = kCancelText,
    .caption       = kInputCaption,
};
// clang-format on

bool ShowInputBox(toolkit::Toolkit& toolkit, std::string_view prompt, std::string_view title,
                  std::string& variable) {
  const toolkit::InputDialogForm& form =
      prompt.empty() ? kInputDialogWithoutPrompt : kInputDialogWithPrompt;
  std::optional<std::string> entered =
      toolkit.RunInputDialog(form, title.empty() ? form.caption : title, prompt);
  if (!entered) return false;
  variable = std::move(*entered);
  return true;
}

int ShowMessage(toolkit::Toolkit& toolkit, std::string_view message, int buttons) {
  const auto set = buttons == 1 ? toolkit::MessageButtons::OkCancel : toolkit::MessageButtons::Ok;
  return static_cast<int>(toolkit.RunMessageBox(message, kMessageCaption, set));
}

}  // namespace molvane
