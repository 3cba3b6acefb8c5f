// The headless backend behaves as the user and the native controls would:
// later tests of the program rely on these rules.
#include "toolkit/headless/headless_toolkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane::toolkit {
namespace {

// The form's kinds; the class names ListBox, EditBox, ... stay the controls'.
constexpr auto kList = ControlKind::ListBox;
constexpr auto kLine = ControlKind::EditBox;
constexpr auto kLines = ControlKind::MultiLineEditBox;
constexpr auto kLabel = ControlKind::Label;
constexpr auto kButton = ControlKind::Button;

constexpr ControlForm kControls[] = {
    {kList, "list", 0, 0, 100, 100, ""},
    {kLine, "line", 0, 0, 100, 20, "first\r\nsecond"},
    {kLines, "lines", 0, 0, 100, 60, "a\r\nb"},
    {kLine, "off", 0, 0, 100, 20, "", false},
    {kLabel, "label", 0, 0, 40, 20, "text"},
    {kButton, "ok", 0, 0, 50, 25, "OK"},
    {kButton, "grey", 0, 0, 50, 25, "Grey", false},
};
constexpr MenuItemForm kMenu[] = {{"find", "Find", "Ctrl+F", true}, {"next", "Next", "F3", false}};
constexpr WindowForm kForm{"form",    "Caption", 200,  200, Frame::FixedSingle,
                           kControls, "menu",    kMenu};
constexpr ControlForm kModalControls[] = {{kLines, "box", 0, 0, 100, 60, ""}};
constexpr WindowForm kModalForm{"modal",           "Modal",        100, 100,
                                Frame::ToolWindow, kModalControls, "",  {}};

// Records the events a window raised, as "source:kind".
struct Recorder {
  std::vector<std::string> events;
  Handler Note(std::string what) {
    return [this, what](const Event&) { events.push_back(what); };
  }
  Bindings All() {
    return {{"", EventKind::Created, Note("created")},
            {"", EventKind::Destroying, Note("destroying")},
            {"list", EventKind::ItemSelected, Note("list:selected")},
            {"list", EventKind::KeyDown, Note("list:key")},
            {"list", EventKind::RightButtonUp, Note("list:right")},
            {"line", EventKind::GotFocus, Note("line:focus")},
            {"line", EventKind::DoubleClicked, Note("line:double")},
            {"label", EventKind::DoubleClicked, Note("label:double")},
            {"ok", EventKind::Clicked, Note("ok:clicked")},
            {"grey", EventKind::Clicked, Note("grey:clicked")},
            {"find", EventKind::MenuSelected, Note("find:chosen")},
            {"next", EventKind::MenuSelected, Note("next:chosen")}};
  }
};

class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessWindow& LoadForm() {
    auto* window = static_cast<HeadlessWindow*>(toolkit.Load(kForm, recorder.All()));
    EXPECT_NE(window, nullptr);
    recorder.events.clear();
    return *window;
  }
  HeadlessToolkit toolkit;
  Recorder recorder;
};

TEST_F(HeadlessTest, LoadRaisesCreatedBeforeShowingAndFocusesTheFirstControl) {
  bool shown_while_created = true;
  Bindings bindings{{"", EventKind::Created, [&](const Event& e) {
                       shown_while_created = static_cast<HeadlessWindow&>(e.window).IsShown();
                     }}};
  auto* window = static_cast<HeadlessWindow*>(toolkit.Load(kForm, bindings));
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(shown_while_created);
  EXPECT_TRUE(window->IsShown());
  EXPECT_EQ(window->FocusedControl(), "list");
  EXPECT_EQ(window->Caption(), "Caption");
}

TEST_F(HeadlessTest, WindowClosedDuringCreationIsNeverShown) {
  Bindings bindings{{"", EventKind::Created, [](const Event& e) { e.window.Close(); }}};
  EXPECT_EQ(toolkit.Load(kForm, bindings), nullptr);
  EXPECT_FALSE(toolkit.LastWindow("form")->IsShown());
}

TEST_F(HeadlessTest, OnlyTheUsersSelectionRaisesItemSelectedAfterSettingIt) {
  std::vector<int> selections_seen;
  Bindings bindings{{"list", EventKind::ItemSelected, [&](const Event& e) {
                       selections_seen.push_back(e.window.List("list").Selection());
                     }}};
  auto* window = static_cast<HeadlessWindow*>(toolkit.Load(kForm, bindings));
  ListBox& list = window->List("list");
  list.AddItem("a");
  list.AddItem("b");
  list.SetSelection(0);
  EXPECT_TRUE(selections_seen.empty());
  EXPECT_TRUE(window->SelectItem("list", 1));
  EXPECT_FALSE(window->SelectItem("list", 2));  // no such item
  EXPECT_EQ(selections_seen, std::vector<int>{1});
}

TEST_F(HeadlessTest, ListSelectionFollowsDeletedItems) {
  HeadlessWindow& window = LoadForm();
  ListBox& list = window.List("list");
  for (const char* item : {"a", "b", "c"}) list.AddItem(item);
  list.SetSelection(2);
  list.DeleteItem(0);
  EXPECT_EQ(list.Selection(), 1);
  EXPECT_EQ(list.ItemText(1), "c");
  list.DeleteItem(1);
  EXPECT_EQ(list.Selection(), -1);
  EXPECT_EQ(list.ItemText(5), "");
  list.SetSelection(7);
  EXPECT_EQ(list.Selection(), -1);
}

TEST_F(HeadlessTest, DisabledControlsTakeNoInput) {
  HeadlessWindow& window = LoadForm();
  EXPECT_FALSE(window.Click("grey"));
  EXPECT_FALSE(window.Focus("off"));
  EXPECT_FALSE(window.Type("off", "x"));
  window.ButtonNamed("grey").SetEnabled(true);
  EXPECT_TRUE(window.Click("grey"));
  EXPECT_EQ(recorder.events, std::vector<std::string>{"grey:clicked"});
}

TEST_F(HeadlessTest, MouseAndKeysFocusTheirControlFirst) {
  HeadlessWindow& window = LoadForm();
  EXPECT_TRUE(window.DoubleClick("line"));
  EXPECT_TRUE(window.DoubleClick("line"));
  EXPECT_TRUE(window.RightButtonUp("list", 3, 4));
  EXPECT_TRUE(window.KeyDown("list", kKeyF3));
  EXPECT_TRUE(window.DoubleClick("label"));
  EXPECT_TRUE(window.Click("ok"));
  const std::vector<std::string> expected{"line:focus", "line:double",  "line:double", "list:right",
                                          "list:key",   "label:double", "ok:clicked"};
  EXPECT_EQ(recorder.events, expected);
  EXPECT_EQ(window.FocusedControl(), "ok");
}

TEST_F(HeadlessTest, KeyAndMouseDetailsReachTheHandler) {
  int key = 0, shift = 0, x = 0, y = 0;
  Bindings bindings{
      {"list", EventKind::KeyDown, [&](const Event& e) { key = e.key, shift = e.shift; }},
      {"list", EventKind::RightButtonUp, [&](const Event& e) { x = e.x, y = e.y; }}};
  auto* window = static_cast<HeadlessWindow*>(toolkit.Load(kForm, bindings));
  window->KeyDown("list", kKeyF, kCtrl);
  window->RightButtonUp("list", 12, 34);
  EXPECT_EQ(key, kKeyF);
  EXPECT_EQ(shift, kCtrl);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 34);
}

TEST_F(HeadlessTest, OneLineBoxHoldsOneLine) {
  HeadlessWindow& window = LoadForm();
  EXPECT_EQ(window.Edit("line").Text(), "first");
  EXPECT_EQ(window.Edit("lines").Text(), "a\r\nb");
  window.Edit("line").SetText("x\ny");
  EXPECT_EQ(window.Edit("line").Text(), "x");
  EXPECT_TRUE(window.Type("line", "1\r\n2"));
  EXPECT_EQ(window.Edit("line").Text(), "x12");
  EXPECT_TRUE(window.Type("lines", "\r\nc\n"));
  EXPECT_EQ(window.Edit("lines").Text(), "a\r\nb\r\nc\n");
}

TEST_F(HeadlessTest, TypingReplacesAWholeSelectionAndNeedsAWritableBox) {
  HeadlessWindow& window = LoadForm();
  EditBox& line = window.Edit("line");
  line.SelectAll();
  EXPECT_TRUE(window.EditState("line").AllSelected());
  EXPECT_TRUE(window.Type("line", "new"));
  EXPECT_EQ(line.Text(), "new");
  line.SetReadOnly(true);
  EXPECT_FALSE(window.Type("line", "more"));
  EXPECT_EQ(line.Text(), "new");
}

TEST_F(HeadlessTest, ModalWindowBlocksItsParentAndGivesTheFocusBack) {
  HeadlessWindow& window = LoadForm();
  ASSERT_TRUE(window.Focus("line"));
  bool parent_clickable = true;
  std::string typed;
  toolkit.QueueModalScript([&](HeadlessWindow& modal) {
    parent_clickable = window.Click("ok");
    EXPECT_EQ(modal.FocusedControl(), "box");
    EXPECT_TRUE(modal.Type("box", "x"));
    typed = modal.Edit("box").Text();
  });
  bool modal_destroyed = false;
  toolkit.RunModal(kModalForm,
                   {{"", EventKind::Destroying, [&](const Event&) { modal_destroyed = true; }}},
                   window);
  EXPECT_FALSE(parent_clickable);
  EXPECT_EQ(typed, "x");
  EXPECT_TRUE(modal_destroyed);  // closed by its close box after the script
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"line:focus", "line:focus"}));
  EXPECT_TRUE(window.Click("ok"));
}

TEST_F(HeadlessTest, PopupMenuRecordsThePlaceAndRunsAnEnabledChoice) {
  HeadlessWindow& window = LoadForm();
  window.PopupMenuAtCursor(1, 2);
  toolkit.QueueMenuChoice("next");
  window.PopupMenuAtCursor(3, 4);
  toolkit.QueueMenuChoice("find");
  window.PopupMenuAtCursor(5, 6);
  ASSERT_EQ(toolkit.Popups().size(), 3u);
  EXPECT_EQ(toolkit.Popups()[0].dx, 1);
  EXPECT_EQ(toolkit.Popups()[0].dy, 2);
  EXPECT_EQ(toolkit.Popups()[1].chosen, "");  // disabled item
  EXPECT_EQ(toolkit.Popups()[2].chosen, "find");
  EXPECT_EQ(recorder.events, std::vector<std::string>{"find:chosen"});
}

TEST_F(HeadlessTest, DialogsTakeQueuedAnswersAndOtherwiseTheCloseBox) {
  const InputDialogForm form{};
  toolkit.QueueInput("typed");
  toolkit.QueueMessageAnswer(MessageAnswer::Cancel);
  toolkit.QueueMessageAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(toolkit.RunInputDialog(form, "Title", "Prompt"), "typed");
  EXPECT_EQ(toolkit.RunInputDialog(form, "Title", "Prompt"), std::nullopt);
  EXPECT_EQ(toolkit.RunMessageBox("ask", "Cap", MessageButtons::OkCancel), MessageAnswer::Cancel);
  EXPECT_EQ(toolkit.RunMessageBox("note", "Cap", MessageButtons::Ok), MessageAnswer::Ok);
  EXPECT_EQ(toolkit.RunMessageBox("ask", "Cap", MessageButtons::OkCancel), MessageAnswer::Cancel);

  const auto& shown = toolkit.Dialogs();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].caption, "Title");
  EXPECT_EQ(shown[0].text, "Prompt");
  EXPECT_TRUE(shown[0].answered);
  EXPECT_FALSE(shown[1].answered);
  EXPECT_EQ(shown[3].text, "note");
  EXPECT_EQ(shown[3].buttons, MessageButtons::Ok);
  EXPECT_FALSE(shown[4].answered);
  EXPECT_EQ(toolkit.UnusedAnswers(), 0u);
}

TEST_F(HeadlessTest, EventLoopRunsItsScriptThenTheUserClosesEveryWindow) {
  HeadlessWindow& window = LoadForm();
  toolkit.QueueLoopScript([&] { window.Click("ok"); });
  toolkit.RunEventLoop();
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"ok:clicked", "destroying"}));
  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(window.Click("ok"));
}

TEST_F(HeadlessTest, EndProgramStopsEveryEventAndTheExitRoutineRunsOnce) {
  HeadlessWindow& window = LoadForm();
  int exits = 0;
  toolkit.SetExitRoutine([&] { ++exits; });
  toolkit.EndProgram(0);
  EXPECT_EQ(toolkit.EndCode(), 0);
  EXPECT_FALSE(window.Click("ok"));
  window.Close();
  toolkit.RunEventLoop();
  EXPECT_TRUE(recorder.events.empty());  // not even Destroying
  EXPECT_TRUE(window.IsOpen());          // nothing was closed
  EXPECT_EQ(toolkit.Load(kForm, {}), nullptr);
  EXPECT_EQ(exits, 0);
  toolkit.EndProcess();
  toolkit.EndProcess();
  EXPECT_EQ(exits, 1);
}

TEST(HeadlessExitRoutine, RunsFromTheDestructorWhenTheTestDidNotEndTheProcess) {
  int exits = 0;
  {
    HeadlessToolkit toolkit;
    toolkit.SetExitRoutine([&] { ++exits; });
  }
  EXPECT_EQ(exits, 1);
}

using HeadlessDeathTest = HeadlessTest;

TEST_F(HeadlessDeathTest, BindingToAnEventTheControlNeverRaisesFails) {
  EXPECT_DEATH(toolkit.Load(kForm, {{"label", EventKind::Clicked, {}}}), "never raises: label");
  EXPECT_DEATH(toolkit.Load(kForm, {{"nothing", EventKind::Clicked, {}}}), "nothing");
}

TEST_F(HeadlessDeathTest, AProgramThatKeepsAskingWithoutAnswersFails) {
  EXPECT_DEATH(
      {
        while (!toolkit.RunInputDialog({}, "Again", "")) {
        }
      },
      "keeps asking");
}

TEST_F(HeadlessDeathTest, ADialogAfterEndProgramFails) {
  toolkit.EndProgram(0);
  EXPECT_DEATH(toolkit.RunMessageBox("late", "Cap", MessageButtons::Ok),
               "after the program had ended");
}

}  // namespace
}  // namespace molvane::toolkit
