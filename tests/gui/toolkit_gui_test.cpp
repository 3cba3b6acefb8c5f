// The FLTK backend under X, through a probe program: the prompt dialog and
// the message box answered from the keyboard and the close box, and the
// events a form's controls raise for the user's mouse and keys.

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "gui/gui_test.h"

namespace molvane::gui_test {
namespace {

const std::filesystem::path kProbe = MOLVANE_TOOLKIT_PROBE;

// One way of answering a dialog: text typed into it, then a key pressed
// with modifiers, or the close box when the key is "close".
struct DialogCase {
  const char* name;
  const char* mode;  // of the probe: prompt, plain, okcancel, ok
  std::u8string_view caption;
  std::string_view typed;
  std::string_view key;
  unsigned modifiers;
  std::string_view answer;  // the probe's line
};

void PrintTo(const DialogCase& c, std::ostream* out) { *out << c.name; }

// clang-format off
const DialogCase kDialogCases[] = {
  {"EnterConfirmsTheTypedText",       "prompt",   u8"请输入：", "hello", "Return", 0,       "confirmed hello"},
  {"EnterOnAnEmptyEntryConfirmsEmpty","prompt",   u8"请输入：", "",      "Return", 0,       "confirmed "},
  {"EscCancelsKeepingTheVariable",    "prompt",   u8"请输入：", "hello", "Escape", 0,       "cancelled keep"},
  {"CloseBoxCancels",                 "prompt",   u8"请输入：", "hello", "close",  0,       "cancelled keep"},
  {"AltCPressesCancel",               "prompt",   u8"请输入：", "hello", "c",      kAltKey, "cancelled keep"},
  {"AltOPressesConfirm",              "prompt",   u8"请输入：", "hi",    "o",      kAltKey, "confirmed hi"},
  {"TitleReplacesTheCaption",         "plain",    u8"查找",     "Abc 1", "Return", 0,       "confirmed Abc 1"},
  {"MessageEnterAnswersOk",           "okcancel", u8"信息：",   "",      "Return", 0,       "answer 0"},
  {"MessageEscAnswersCancel",         "okcancel", u8"信息：",   "",      "Escape", 0,       "answer 1"},
  {"MessageCloseBoxAnswersCancel",    "okcancel", u8"信息：",   "",      "close",  0,       "answer 1"},
  {"MessageEnterOnCancelAnswersCancel","okcancel",u8"信息：",   "\t",    "Return", 0,       "answer 1"},
  {"MessageOkAloneEscAnswersOk",      "ok",       u8"信息：",   "",      "Escape", 0,       "answer 0"},
  {"MessageOkAloneCloseBoxAnswersOk", "ok",       u8"信息：",   "",      "close",  0,       "answer 0"},
};
// clang-format on

class DialogGuiTest : public GuiTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogGuiTest, AnswersFromTheKeyboardAndTheCloseBox) {
  const DialogCase& c = GetParam();
  ChildProgram probe(kProbe);
  ASSERT_TRUE(probe.Start({c.mode}));
  const auto dialog = x11.WaitForWindow(Utf8(c.caption));
  ASSERT_TRUE(dialog) << "no dialog captioned " << Utf8(c.caption);
  x11.Focus(*dialog);
  x11.TypeText(c.typed);
  if (c.key == "close") {
    x11.RequestClose(*dialog);
  } else {
    x11.PressKey(c.key, c.modifiers);
  }
  EXPECT_EQ(probe.WaitForExit(), 0);
  EXPECT_EQ(probe.Output(), std::string(c.answer) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogGuiTest, ::testing::ValuesIn(kDialogCases),
                         [](const ::testing::TestParamInfo<DialogCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST(DialogGuiTest, InputDialogWithPromptHasTheFormsSizeAndIsCentred) {
  X11Session x11;
  RequireDisplay(x11);
  if (HasFatalFailure() || IsSkipped()) return;
  ChildProgram probe(kProbe);
  ASSERT_TRUE(probe.Start({"prompt"}));
  const auto dialog = x11.WaitForWindow(Utf8(u8"请输入："));
  ASSERT_TRUE(dialog);
  // 252 x 92 dialog units at 1.5 pixels each.
  const Geometry place = x11.GeometryOf(*dialog);
  const Geometry screen = x11.Screen();
  EXPECT_EQ(place.width, 378);
  EXPECT_EQ(place.height, 138);
  EXPECT_EQ(place.x, (screen.width - 378 - 6) / 2 + 3);
  EXPECT_EQ(place.y, (screen.height - 138 - 29) / 2 + 26);
  x11.RequestClose(*dialog);
  EXPECT_EQ(probe.WaitForExit(), 0);
}

using FormWindowGuiTest = GuiTest;

// The probe's form: a list at 5,5 of 200 x 100, a label at 5,112, an edit
// box at 50,112, a button at 5,140; its Created handler fills the list and
// selects the second item, which raises nothing.
TEST_F(FormWindowGuiTest, RaisesTheUsersEventsOnly) {
  ChildProgram probe(kProbe);
  ASSERT_TRUE(probe.Start({"window"}));
  const auto window = x11.WaitForWindow("Probe");
  ASSERT_TRUE(window);
  x11.Focus(*window);
  ASSERT_TRUE(WaitForLine(probe, "created text=第一行")) << probe.Output();

  x11.Click(*window, 50, 12);  // the first item
  EXPECT_TRUE(WaitForLine(probe, "selected 0"));
  x11.PressKey("f", kControlKey);
  EXPECT_TRUE(WaitForLine(probe, "keydown key=70 shift=1"));
  x11.PressKey("F3");
  EXPECT_TRUE(WaitForLine(probe, "keydown key=114 shift=0"));
  x11.PressKey("Escape");  // closes no window of a form
  EXPECT_TRUE(WaitForLine(probe, "keydown key=27 shift=0"));

  x11.Click(*window, 50, 50, 3);  // the right button opens the popup menu
  EXPECT_TRUE(WaitForLine(probe, "rightbuttonup x=43 y=43 key=0 shift=0"));
  x11.PressKey("Down");
  x11.PressKey("Return");
  EXPECT_TRUE(WaitForLine(probe, "menu 甲"));

  x11.Click(*window, 10, 122, 1, 2);
  EXPECT_TRUE(WaitForLine(probe, "label doubleclicked"));
  x11.Click(*window, 100, 122, 1, 2);  // focus, then a double-click
  EXPECT_TRUE(WaitForLine(probe, "edit doubleclicked"));
  x11.Click(*window, 150, 122);  // the focus is already there: no event

  x11.Click(*window, 30, 152);
  const auto message = x11.WaitForWindow(Utf8(u8"信息："));
  ASSERT_TRUE(message);
  x11.Click(*window, 50, 30);  // the window under the message box takes no click
  x11.Focus(*message);
  x11.PressKey("Return");
  EXPECT_TRUE(WaitForLine(probe, "answer 0"));

  x11.RequestClose(*window);
  EXPECT_EQ(probe.WaitForExit(), 0);
  EXPECT_EQ(probe.Output(),
            "created text=第一行\n"
            "selected 0\n"
            "keydown key=17 shift=1\n"
            "keydown key=70 shift=1\n"
            "keydown key=114 shift=0\n"
            "keydown key=27 shift=0\n"
            "rightbuttonup x=43 y=43 key=0 shift=0\n"
            "menu 甲\n"
            "label doubleclicked\n"
            "edit gotfocus text=第一行\n"
            "edit doubleclicked\n"
            "clicked text=第一行\n"
            "answer 0\n"
            "destroying\n"
            "loop ended\n"
            "exit routine\n");
}

TEST_F(FormWindowGuiTest, EndProgramEndsAtOnceWithItsCodeAndRunsTheExitRoutine) {
  ChildProgram probe(kProbe);
  ASSERT_TRUE(probe.Start({"end"}));
  EXPECT_EQ(probe.WaitForExit(), 3);
  EXPECT_EQ(probe.Output(), "exit routine\n");
}

// The probe's edit box opens the remarks window modally; the test types
// two more lines into its multi-line box, copies all of it and presses
// "确定".
struct RemarksCase {
  const char* name;
  std::vector<std::string> arguments;
  std::string_view text;  // what "确定" read, line breaks shown as \r \n
};

void PrintTo(const RemarksCase& c, std::ostream* out) { *out << c.name; }

const RemarksCase kRemarksCases[] = {
    {"Editable", {"remarks"}, "ab\\r\\ncdx\\r\\ny"},
    {"ReadOnly", {"remarks", "readonly"}, "ab\\r\\ncd"},
};

class ModalWindowGuiTest : public GuiTest, public ::testing::WithParamInterface<RemarksCase> {};

TEST_P(ModalWindowGuiTest, BlocksItsParentAndGivesTheFocusBackWhenClosed) {
  const RemarksCase& c = GetParam();
  ChildProgram probe(kProbe);
  ASSERT_TRUE(probe.Start(c.arguments));
  const auto window = x11.WaitForWindow("Probe");
  ASSERT_TRUE(window);
  x11.Focus(*window);
  x11.Click(*window, 100, 122);
  const auto remarks = x11.WaitForWindow(Utf8(u8"备注信息："));
  ASSERT_TRUE(remarks) << probe.Output();

  // A tool window of 289 x 195 with a 3-pixel frame and a 17-pixel caption.
  const Geometry place = x11.GeometryOf(*remarks);
  const Geometry screen = x11.Screen();
  EXPECT_EQ(place.width, 283);
  EXPECT_EQ(place.height, 172);
  EXPECT_EQ(place.x, (screen.width - 289) / 2 + 3);
  EXPECT_EQ(place.y, (screen.height - 195) / 2 + 3 + 17);

  x11.Click(*window, 30, 152);  // the parent's button takes no click meanwhile
  x11.Focus(*remarks);
  x11.PressKey("End", kControlKey);
  x11.TypeText("x\ny");
  x11.PressKey("a", kControlKey);
  x11.PressKey("c", kControlKey);
  x11.Click(*remarks, 112 + 28, 147 + 10);  // 确定
  EXPECT_TRUE(x11.WaitUntilGone(*remarks));
  EXPECT_TRUE(WaitForLine(probe, "modal returned"));

  // The remarks, copied with Ctrl+A Ctrl+C, pasted into the one-line box
  // that has the focus back: only their first line enters it. (With no
  // window manager the keyboard went to the root window when the remarks
  // window closed; giving it back to the window gives the box the focus
  // again, as activating a window does.)
  x11.Focus(*window);
  x11.PressKey("End");
  x11.PressKey("v", kControlKey);
  x11.Click(*window, 30, 152);
  const auto message = x11.WaitForWindow(Utf8(u8"信息："));
  ASSERT_TRUE(message);
  x11.Focus(*message);
  x11.PressKey("Return");
  EXPECT_TRUE(WaitForLine(probe, "answer 0"));

  x11.RequestClose(*window);
  EXPECT_EQ(probe.WaitForExit(), 0);
  EXPECT_EQ(probe.Output(), "created text=第一行\n"
                            "edit gotfocus\n"
                            "remarks created\n"
                            "remarks ok text=" + std::string(c.text) + "\n"
                            "remarks destroying\n"
                            "edit gotfocus\n"
                            "modal returned\n"
                            "edit gotfocus\n"
                            "clicked text=第一行ab\n"
                            "answer 0\n"
                            "destroying\n");
}

INSTANTIATE_TEST_SUITE_P(Remarks, ModalWindowGuiTest, ::testing::ValuesIn(kRemarksCases),
                         [](const ::testing::TestParamInfo<RemarksCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

}  // namespace
}  // namespace molvane::gui_test
