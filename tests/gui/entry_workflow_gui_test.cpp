// The real program under X: a user creates an entry with the mouse and the
// keyboard, saves it, closes the window, sets the password asked for, and
// the entry is in the data file sealed under that password.

#include <filesystem>
#include <string>

#include "gui/main_window_input.h"
#include "gui/vault_prompts.h"

namespace molvane::gui_test {
namespace {

const std::filesystem::path kProgram = MOLVANE_PROGRAM;

using EntryWorkflowGuiTest = GuiTest;

TEST_F(EntryWorkflowGuiTest, ANewEntryTypedAndSavedIsInTheFileAfterClose) {
  ChildProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  const auto window = x11.WaitForWindow("Molvane");
  ASSERT_TRUE(window) << "no window captioned Molvane";
  x11.Focus(*window);

  TypeNewEntry(x11, *window, "Shop", "shop.example", "carol", "secret");
  ClickControl(x11, *window, kEditButton);

  // The caption counts the saved entry.
  const auto saved = x11.WaitForWindow(Utf8(u8"Molvane 1个项目"));
  EXPECT_TRUE(saved) << "the caption does not count the new entry: " << x11.Caption(*window);
  // The register had no password: closing asks for one to seal it under.
  x11.RequestClose(*window);
  AnswerPrompt(x11, kSetPasswordPromptCaption, "shop-pass");
  EXPECT_TRUE(x11.WaitUntilGone(*window));
  EXPECT_EQ(program.WaitForExit(), 0);

  // The empty optional fields were stored with their defaults, in key order.
  ExpectSealed(program,
               "[Shop]\r\n网址=shop.example\r\n账号=carol\r\n密码=secret\r\n手机=无\r\n邮箱=无\r\n"
               "注册IP=未知\r\n注册邮箱=未知\r\n注册手机=未知\r\n注册地点=未知\r\n注册时间=未知\r\n"
               "备注信息=无\r\n",
               "shop-pass");
}

}  // namespace
}  // namespace molvane::gui_test
