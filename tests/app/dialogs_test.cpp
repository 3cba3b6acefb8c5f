#include "app/dialogs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "toolkit/headless/headless_toolkit.h"

namespace molvane {
namespace {

using toolkit::HeadlessToolkit;
using toolkit::MessageAnswer;

struct InputCase {
  const char* name;
  const char* prompt;
  const char* title;
  std::optional<std::string> entered;  // nothing: the user cancels
  bool expect_confirmed;
  const char* expect_variable;
  bool expect_prompt_area;
  const char* expect_caption;
};

class InputBoxTest : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputBoxTest, ChoosesLayoutAndCaptionAndKeepsTheVariableOnCancel) {
  const InputCase& c = GetParam();
  HeadlessToolkit toolkit;
  if (c.entered) {
    toolkit.QueueInput(*c.entered);
  } else {
    toolkit.QueueInputCancel();
  }
  std::string variable = "before";
  EXPECT_EQ(ShowInputBox(toolkit, c.prompt, c.title, variable), c.expect_confirmed);
  EXPECT_EQ(variable, c.expect_variable);

  ASSERT_EQ(toolkit.Dialogs().size(), 1u);
  const toolkit::ShownDialog& shown = toolkit.Dialogs()[0];
  EXPECT_EQ(shown.layout.has_prompt, c.expect_prompt_area);
  EXPECT_EQ(shown.layout.dialog.width, c.expect_prompt_area ? 252 : 214);
  EXPECT_EQ(shown.caption, c.expect_caption);
  EXPECT_EQ(shown.text, c.prompt);
  EXPECT_EQ(shown.layout.ok_text, "确认输入(&O)");
  EXPECT_EQ(shown.layout.cancel_text, "取消(&C)");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, InputBoxTest, ::testing::Values(
    //        name                  prompt               title           entered        ok     variable   area   caption
    InputCase{"PromptAndTitle",     "请输入密码：",      "请输入密码：", "pw",          true,  "pw",      true,  "请输入密码："},
    InputCase{"TwoLinePrompt",      "第一行\r\n第二行",  "",             "x",           true,  "x",       true,  "请输入："},
    InputCase{"NoPrompt",           "",                  "",             "typed",       true,  "typed",   false, "请输入："},
    InputCase{"NoPromptWithTitle",  "",                  "查找",         "abc",         true,  "abc",     false, "查找"},
    InputCase{"EmptyEntryConfirmed","请输入：",          "",             "",            true,  "",        true,  "请输入："},
    InputCase{"Cancelled",          "请输入：",          "",             std::nullopt,  false, "before",  true,  "请输入："}),
    [](const ::testing::TestParamInfo<InputCase>& param_info) { return std::string(param_info.param.name); });
// clang-format on

TEST(InputBox, ClosedWithoutAnAnswerCountsAsCancelAndTheNextStartsEmpty) {
  HeadlessToolkit toolkit;
  std::string variable = "kept";
  EXPECT_FALSE(ShowInputBox(toolkit, "p", "", variable));
  EXPECT_EQ(variable, "kept");
  toolkit.QueueInput("");
  EXPECT_TRUE(ShowInputBox(toolkit, "p", "", variable));
  EXPECT_EQ(variable, "");
}

TEST(Message, AnswersZeroForOkAndOneForCancel) {
  struct Case {
    int buttons;
    std::optional<MessageAnswer> queued;  // nothing: closed by the close box
    int expected;
    toolkit::MessageButtons shown_buttons;
  };
  // clang-format off
  const Case cases[] = {
      {0, MessageAnswer::Ok,     0, toolkit::MessageButtons::Ok},
      {0, std::nullopt,          0, toolkit::MessageButtons::Ok},
      {1, MessageAnswer::Ok,     0, toolkit::MessageButtons::OkCancel},
      {1, MessageAnswer::Cancel, 1, toolkit::MessageButtons::OkCancel},
      {1, std::nullopt,          1, toolkit::MessageButtons::OkCancel},
  };
  // clang-format on
  for (const Case& c : cases) {
    HeadlessToolkit toolkit;
    if (c.queued) toolkit.QueueMessageAnswer(*c.queued);
    EXPECT_EQ(ShowMessage(toolkit, "确定删除吗？", c.buttons), c.expected) << c.buttons;
    ASSERT_EQ(toolkit.Dialogs().size(), 1u);
    EXPECT_EQ(toolkit.Dialogs()[0].caption, "信息：");
    EXPECT_EQ(toolkit.Dialogs()[0].text, "确定删除吗？");
    EXPECT_EQ(toolkit.Dialogs()[0].buttons, c.shown_buttons);
  }
}

}  // namespace
}  // namespace molvane
