#include "ui/main_window_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "support/program_fixture.h"
#include "ui/remarks_window_form.h"

namespace molvane {
namespace {

using testing::PlainRegister;
using testing::ProgramFixture;
using toolkit::ControlForm;
using toolkit::ControlKind;

int CountOf(const toolkit::WindowForm& form, ControlKind kind) {
  return static_cast<int>(std::ranges::count(form.controls, kind, &ControlForm::kind));
}

TEST(MainWindowForm, HoldsThirtyNamedControlsAndTheHiddenMenu) {
  const toolkit::WindowForm& form = kMainWindowForm;
  EXPECT_EQ(form.name, "主窗口");
  EXPECT_EQ(form.caption, "Molvane");
  EXPECT_EQ(form.width, 322);
  EXPECT_EQ(form.height, 366);
  EXPECT_EQ(form.frame, toolkit::Frame::FixedSingle);
  EXPECT_EQ(form.controls.size(), 30u);
  EXPECT_EQ(CountOf(form, ControlKind::ListBox), 1);
  EXPECT_EQ(CountOf(form, ControlKind::EditBox), 12);
  EXPECT_EQ(CountOf(form, ControlKind::Label), 12);
  EXPECT_EQ(CountOf(form, ControlKind::Button), 5);

  std::set<std::string_view> names;
  for (const ControlForm& control : form.controls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    // Every control lies inside the client area of the window.
    EXPECT_LE(control.x + control.width, form.width) << control.name;
    EXPECT_LE(control.y + control.height, form.height) << control.name;
    if (control.kind == ControlKind::Label) {
      const std::string_view colon = "：";  // the full-width colon
      EXPECT_TRUE(control.text.ends_with(colon)) << control.name;
    }
  }
  EXPECT_EQ(form.menu_name, "菜单_右键菜单");
  ASSERT_EQ(form.menu_items.size(), 2u);
  EXPECT_EQ(form.menu_items[0].text, "查找(&F)...");
  EXPECT_EQ(form.menu_items[0].shortcut, "Ctrl+F");
  EXPECT_TRUE(form.menu_items[0].enabled);
  EXPECT_EQ(form.menu_items[1].text, "查找下一个(&N)");
  EXPECT_EQ(form.menu_items[1].shortcut, "F3");
  EXPECT_FALSE(form.menu_items[1].enabled);
}

// At start only the list, the labels and "新建项" can be used; every box is
// empty, disabled and not read-only, on the button-face background.
void ExpectInitialStates(toolkit::HeadlessWindow& window) {
  for (const ControlForm& row : kMainWindowForm.controls) {
    SCOPED_TRACE(std::string(row.name));
    const bool usable = row.kind == ControlKind::ListBox || row.kind == ControlKind::Label ||
                        row.name == "按钮_新建项";
    EXPECT_EQ(window.ControlNamed(row.name).Enabled(), usable);
    EXPECT_EQ(row.enabled, usable);
    switch (row.kind) {
      case ControlKind::EditBox: {
        const toolkit::EditBox& box = window.Edit(row.name);
        EXPECT_EQ(box.Text(), "");
        EXPECT_FALSE(box.ReadOnly());
        EXPECT_EQ(box.Background(), toolkit::kDefaultBackground);
        break;
      }
      case ControlKind::Button:
        EXPECT_EQ(window.ButtonNamed(row.name).Caption(), row.text);
        break;
      case ControlKind::Label:
        EXPECT_EQ(window.Label(row.name).Text(), row.text);
        break;
      case ControlKind::ListBox:
        EXPECT_EQ(window.List(row.name).Selection(), -1);
        break;
      case ControlKind::MultiLineEditBox:
        ADD_FAILURE() << "the main window has no multi-line box";
        break;
    }
  }
  EXPECT_TRUE(window.Menu("菜单_查找").Enabled());
  EXPECT_FALSE(window.Menu("菜单_查找下一个").Enabled());
  EXPECT_EQ(window.FocusedControl(), "列表框_项目列表");
}

TEST(MainWindowForm, StartsInItsInitialStatesWithAndWithoutARegister) {
  for (int entries : {0, 3}) {
    SCOPED_TRACE(entries);
    ProgramFixture program;
    if (entries > 0) program.WriteSealedRegister(PlainRegister(entries));
    toolkit::HeadlessWindow* window = program.LoadMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsShown());
    ExpectInitialStates(*window);
    EXPECT_EQ(window->List("列表框_项目列表").Count(), entries);
  }
}

TEST(MainWindowForm, DisabledButtonsCannotBeClicked) {
  ProgramFixture program;
  toolkit::HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  for (const char* name : {"按钮_编辑项", "按钮_删除项", "按钮_取当前时间", "按钮_取当前IP"}) {
    EXPECT_FALSE(window->Click(name)) << name;
  }
  EXPECT_FALSE(window->Focus("编辑框_密码"));
}

TEST(RemarksWindowForm, IsAToolWindowWithAWhiteMultiLineBox) {
  const toolkit::WindowForm& form = kRemarksWindowForm;
  EXPECT_EQ(form.name, "备注窗口");
  EXPECT_EQ(form.caption, "备注信息：");
  EXPECT_EQ(form.width, 289);
  EXPECT_EQ(form.height, 195);
  EXPECT_EQ(form.frame, toolkit::Frame::ToolWindow);
  EXPECT_TRUE(form.menu_name.empty());
  ASSERT_EQ(form.controls.size(), 2u);

  const ControlForm& box = form.controls[0];
  EXPECT_EQ(box.kind, ControlKind::MultiLineEditBox);
  EXPECT_EQ(box.name, "编辑框_备注信息");
  EXPECT_EQ(box.background, toolkit::kWhite);
  EXPECT_TRUE(box.enabled);
  const ControlForm& ok = form.controls[1];
  EXPECT_EQ(ok.kind, ControlKind::Button);
  EXPECT_EQ(ok.name, "按钮_确定");
  EXPECT_EQ(ok.text, "确定");
  EXPECT_LE(box.y + box.height, ok.y);  // the button sits below the box
}

}  // namespace
}  // namespace molvane
