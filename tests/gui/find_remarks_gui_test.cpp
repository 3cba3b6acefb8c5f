// The real program under X: Ctrl+F in the title list finds a title, and the
// remarks box opens the remarks window once per visit.

#include <filesystem>
#include <string>

#include "gui/vault_prompts.h"

namespace molvane::gui_test {
namespace {

const std::filesystem::path kProgram = MOLVANE_PROGRAM;

// Places in the main window's client area, from its form.
constexpr int kFirstItemX = 40, kFirstItemY = 12;   // the first title of the list
constexpr int kDeleteX = 145, kDeleteY = 316;       // 按钮_删除项
constexpr int kRemarksX = 260, kRemarksY = 282;     // 编辑框_备注信息

std::string Entry(std::string_view title) {
  const std::string t(title);
  return "[" + t + "]\r\n网址=https://" + t + ".example/\r\n账号=u\r\n密码=p\r\n备注信息=a\\r\\nb\r\n";
}

const std::string kRegister = Entry("alpha") + Entry("beta") + Entry("gamma");
const std::string kPassword = "remarks-9";

class FindRemarksGuiTest : public GuiTest {
 protected:
  // Starts the program on the three entries sealed under kPassword, unlocks
  // them and selects the first title, which gives the list the focus and
  // shows the entry read-only.
  WindowId StartAndSelectFirst(ChildProgram& program) {
    const auto window = StartUnlocked(program, x11, kRegister, kPassword,
                                      Utf8(u8"Molvane 3个项目"));
    if (!window) return 0;
    x11.Focus(*window);
    x11.Click(*window, kFirstItemX, kFirstItemY);
    return *window;
  }

  // Answers the message box now open with Enter (OK).
  void AnswerMessageWithEnter() {
    const auto message = x11.WaitForWindow(Utf8(u8"信息："));
    ASSERT_TRUE(message) << "no message box";
    x11.Focus(*message);
    x11.PressKey("Return");
    EXPECT_TRUE(x11.WaitUntilGone(*message));
  }
};

// The found title becomes the list's selection: Delete then removes that
// entry, not the first one that was selected before.
TEST_F(FindRemarksGuiTest, CtrlFInTheListFindsATitle) {
  ChildProgram program(kProgram);
  const WindowId window = StartAndSelectFirst(program);
  ASSERT_NE(window, 0u);

  x11.PressKey("f", kControlKey);
  const auto prompt = x11.WaitForWindow(Utf8(u8"查找项目："));
  ASSERT_TRUE(prompt) << "Ctrl+F opened no find prompt";
  x11.Focus(*prompt);
  x11.TypeText("amm");
  x11.PressKey("Return");
  ASSERT_TRUE(x11.WaitUntilGone(*prompt));
  EXPECT_FALSE(x11.WaitForWindow(Utf8(u8"信息："), 500ms)) << "the title was not found";

  x11.Focus(window);
  x11.Click(window, kDeleteX, kDeleteY);
  AnswerMessageWithEnter();  // the confirmation
  AnswerMessageWithEnter();  // "删除成功！"
  EXPECT_TRUE(x11.WaitForWindow(Utf8(u8"Molvane 2个项目")));
  const std::string left = Entry("alpha") + Entry("beta");
  EXPECT_EQ(ReadFile(program.Directory() / "RegInfo.dat"), left);

  x11.RequestClose(window);
  EXPECT_EQ(program.WaitForExit(), 0);
  ExpectSealed(program, left, kPassword);
}

// The focus that comes back to the remarks box when the remarks window
// closes must not open it again.
TEST_F(FindRemarksGuiTest, RemarksWindowOpensAndClosesOnce) {
  ChildProgram program(kProgram);
  const WindowId window = StartAndSelectFirst(program);
  ASSERT_NE(window, 0u);

  x11.Click(window, kRemarksX, kRemarksY);
  const auto remarks = x11.WaitForWindow(Utf8(u8"备注信息："));
  ASSERT_TRUE(remarks) << "clicking the remarks box opened no remarks window";
  EXPECT_NE(*remarks, window);
  x11.RequestClose(*remarks);
  ASSERT_TRUE(x11.WaitUntilGone(*remarks));
  EXPECT_FALSE(x11.WaitForWindow(Utf8(u8"备注信息："), 1s)) << "the remarks window opened again";

  // Closing it wrote nothing, and the program still answers.
  x11.RequestClose(window);
  EXPECT_EQ(program.WaitForExit(), 0);
  ExpectSealed(program, kRegister, kPassword);
}

}  // namespace
}  // namespace molvane::gui_test
