// Find and find next on the title list, driven as a user does: Ctrl+F and
// F3 in the list, and the right-click popup menu.

#include "ui/find.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/main_window_names.h"
#include "support/program_fixture.h"

namespace molvane {
namespace {

using testing::ProgramFixture;
using toolkit::kAlt;
using toolkit::kCtrl;
using toolkit::kKeyF;
using toolkit::kKeyF3;
using toolkit::kShift;
using toolkit::ShownDialog;

constexpr std::string_view kNotFound = "未找到符合条件的项目！";

// The main window with these titles in its list, added as start-up adds them.
class FindTest : public ::testing::Test {
 protected:
  void Open(const std::vector<std::string>& titles) {
    window_ = fixture_.LoadMainWindow();
    ASSERT_NE(window_, nullptr);
    for (const std::string& title : titles) window_->List(kTitleList).AddItem(title);
  }

  toolkit::ListBox& List() { return window_->List(kTitleList); }
  bool FindNextEnabled() { return window_->Menu(kFindNextItem).Enabled(); }
  [[nodiscard]] int NotFoundMessages() const {
    int count = 0;
    for (const ShownDialog& shown : fixture_.toolkit.Dialogs()) {
      if (shown.kind == ShownDialog::Kind::Message && shown.text == kNotFound) ++count;
    }
    return count;
  }

  ProgramFixture fixture_;
  toolkit::HeadlessWindow* window_ = nullptr;
};

// One thing the user does, and what follows.
enum class Act {
  CtrlF,        // Ctrl+F in the list, confirming `text`
  CtrlFCancel,  // Ctrl+F in the list, cancelled
  MenuFind,     // the popup's 菜单_查找, confirming `text`
  F3,           // F3 in the list
  MenuNext,     // the popup's 菜单_查找下一个 (nothing happens while it is disabled)
  DeleteItem,   // the list loses item `index` (as a Delete does)
};

struct Step {
  Act act;
  std::string text;
  int index;           // DeleteItem: the item; otherwise unused
  int selection;       // the list's selection afterwards
  bool not_found;      // whether this step reported "未找到符合条件的项目！"
  bool next_enabled;   // 菜单_查找下一个 afterwards
};

struct Scenario {
  const char* name;
  std::vector<std::string> titles;
  std::vector<Step> steps;
};

void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

// clang-format off
const Scenario kScenarios[] = {
  {"FindThenNextThenNextRunsOutWithoutWrapping", {"A1", "B", "A2"}, {
      {Act::CtrlF,    "A", 0,  0, false, true},
      {Act::F3,       "",  0,  2, false, true},
      {Act::F3,       "",  0,  2, true,  false},
      {Act::F3,       "",  0,  2, false, false},   // disabled: F3 does nothing
      {Act::MenuNext, "",  0,  2, false, false},
      {Act::CtrlF,    "A", 0,  0, false, true},    // only a new Find starts again
  }},
  {"TheMenuFindsAsTheKeysDo", {"A1", "B", "A2"}, {
      {Act::MenuFind, "A", 0,  0, false, true},
      {Act::MenuNext, "",  0,  2, false, true},
      {Act::MenuNext, "",  0,  2, true,  false},
  }},
  {"EmptySearchTextFindsTheFirstTitleThatIsNotEmpty", {"", "x", "y"}, {
      {Act::CtrlF,    "",  0,  1, false, true},
      {Act::F3,       "",  0,  2, false, true},
  }},
  {"EmptyListNeverFinds", {}, {
      {Act::CtrlF,    "x", 0, -1, true,  false},
      {Act::CtrlF,    "",  0, -1, true,  false},
      {Act::F3,       "",  0, -1, false, false},
  }},
  {"CaseMatters", {"ABC", "abc"}, {
      {Act::CtrlF,    "abc", 0, 1, false, true},
      {Act::F3,       "",    0, 1, true,  false},
      {Act::CtrlF,    "Bc",  0, 1, true,  false},
  }},
  // 中文 is D6 D0 CE C4; D0 CE is the trail of 中 and the lead of 文, and
  // also the character 形 standing on its own in the second title.
  {"NoMatchAcrossTheHalvesOfDoubleByteCharacters", {"中文", "a形"}, {
      {Act::CtrlF,    "\xD0\xCE", 0, 1, false, true},
      {Act::CtrlF,    "\xC4",     0, 1, true,  false},
  }},
  {"CancelledFindKeepsTheSearchGoing", {"A1", "B", "A2"}, {
      {Act::CtrlF,       "A", 0, 0, false, true},
      {Act::CtrlFCancel, "",  0, 0, false, true},
      {Act::F3,          "",  0, 2, false, true},
  }},
  {"AMissKeepsTheLastHitsSelection", {"A1", "B"}, {
      {Act::CtrlF,    "B", 0, 1, false, true},
      {Act::CtrlF,    "Z", 0, 1, true,  false},
  }},
  // The stored index is not moved when items go: find next resumes from it.
  {"DeletingDownToTheNextIndexRunsOutAtOnce", {"B", "A1", "A2"}, {
      {Act::CtrlF,      "A", 0,  1, false, true},
      {Act::DeleteItem, "",  1, -1, false, true},
      {Act::DeleteItem, "",  0, -1, false, true},  // the list is now just A2
      {Act::F3,         "",  0, -1, true,  false},
  }},
  {"DeletingBelowTheNextIndexSkipsTheItemThatMovedUp", {"A1", "A2", "B", "A3"}, {
      {Act::CtrlF,      "A", 0,  0, false, true},
      {Act::DeleteItem, "",  0, -1, false, true},  // A2 moves up to index 0
      {Act::F3,         "",  0,  2, false, true},  // from index 1 on: B, A3
  }},
};
// clang-format on

class FindScenarioTest : public FindTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(FindScenarioTest, SelectsReportsAndKeepsTheMenuItemInStep) {
  const Scenario& scenario = GetParam();
  Open(scenario.titles);
  toolkit::HeadlessToolkit& tk = fixture_.toolkit;
  int step_number = 0;
  for (const Step& step : scenario.steps) {
    SCOPED_TRACE("step " + std::to_string(++step_number));
    const int messages_before = NotFoundMessages();
    switch (step.act) {
      case Act::CtrlF:
        tk.QueueInput(step.text);
        EXPECT_TRUE(window_->KeyDown(kTitleList, kKeyF, kCtrl));
        break;
      case Act::CtrlFCancel:
        tk.QueueInputCancel();
        EXPECT_TRUE(window_->KeyDown(kTitleList, kKeyF, kCtrl));
        break;
      case Act::MenuFind:
        tk.QueueInput(step.text);
        tk.QueueMenuChoice(std::string(kFindItem));
        EXPECT_TRUE(window_->RightButtonUp(kTitleList, 10, 10));
        break;
      case Act::F3:
        EXPECT_TRUE(window_->KeyDown(kTitleList, kKeyF3));
        break;
      case Act::MenuNext:
        tk.QueueMenuChoice(std::string(kFindNextItem));
        EXPECT_TRUE(window_->RightButtonUp(kTitleList, 10, 10));
        break;
      case Act::DeleteItem:
        List().DeleteItem(step.index);
        break;
    }
    EXPECT_EQ(List().Selection(), step.selection);
    EXPECT_EQ(NotFoundMessages() - messages_before, step.not_found ? 1 : 0);
    EXPECT_EQ(FindNextEnabled(), step.next_enabled);
    EXPECT_EQ(fixture_.app.find.Active, step.next_enabled);
  }
  EXPECT_EQ(tk.UnusedAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Find, FindScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST_F(FindTest, AsksWithThePromptAndReportsAMissWithOkAlone) {
  Open({"甲"});
  fixture_.toolkit.QueueInput("乙");
  ASSERT_TRUE(window_->KeyDown(kTitleList, kKeyF, kCtrl));
  const auto& dialogs = fixture_.toolkit.Dialogs();
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[0].kind, ShownDialog::Kind::Input);
  EXPECT_EQ(dialogs[0].caption, "查找项目：");
  EXPECT_EQ(dialogs[0].text,
            "请输入欲查找的项目标题：\r\n注：支持模糊查找，返回第一个符合条件的项目");
  EXPECT_EQ(dialogs[1].kind, ShownDialog::Kind::Message);
  EXPECT_EQ(dialogs[1].caption, "信息：");
  EXPECT_EQ(dialogs[1].text, kNotFound);
  EXPECT_EQ(dialogs[1].buttons, toolkit::MessageButtons::Ok);
}

// Only Ctrl alone with F finds; F3 finds next with any state but one that
// holds Ctrl alone. Titles A1, A2, A3 after a Find of A that selected A1.
TEST_F(FindTest, KeysActOnlyWithTheirShiftStates) {
  for (int shift = 0; shift <= kCtrl + kShift + kAlt; ++shift) {
    SCOPED_TRACE("shift state " + std::to_string(shift));
    ProgramFixture fixture;
    toolkit::HeadlessWindow* window = fixture.LoadMainWindow();
    ASSERT_NE(window, nullptr);
    toolkit::ListBox& list = window->List(kTitleList);
    for (const char* title : {"A1", "A2", "A3"}) list.AddItem(title);
    fixture.toolkit.QueueInput("A");
    ASSERT_TRUE(window->KeyDown(kTitleList, kKeyF, kCtrl));
    ASSERT_EQ(list.Selection(), 0);

    ASSERT_TRUE(window->KeyDown(kTitleList, kKeyF3, shift));
    EXPECT_EQ(list.Selection(), shift == kCtrl ? 0 : 1);
    // F with any other state, and another key with Ctrl, ask nothing (an
    // unanswered prompt would be cancelled and still be recorded).
    if (shift != kCtrl) {
      ASSERT_TRUE(window->KeyDown(kTitleList, kKeyF, shift));
    }
    ASSERT_TRUE(window->KeyDown(kTitleList, 'G', kCtrl));
    EXPECT_EQ(fixture.toolkit.Dialogs().size(), 1u);
  }
}

TEST_F(FindTest, RightClickOpensThePopupBesideTheCursorWithFindNextFollowingTheSearch) {
  Open({"A1", "A2"});
  toolkit::HeadlessToolkit& tk = fixture_.toolkit;
  ASSERT_TRUE(window_->RightButtonUp(kTitleList, 40, 12, kShift));
  ASSERT_EQ(tk.Popups().size(), 1u);
  EXPECT_EQ(tk.Popups()[0].dx, 3);
  EXPECT_EQ(tk.Popups()[0].dy, 3);
  EXPECT_FALSE(FindNextEnabled());

  tk.QueueInput("A");
  ASSERT_TRUE(window_->KeyDown(kTitleList, kKeyF, kCtrl));
  // The popup sets the item from the search state, whatever it showed before.
  window_->Menu(kFindNextItem).SetEnabled(false);
  tk.QueueMenuChoice(std::string(kFindNextItem));
  ASSERT_TRUE(window_->RightButtonUp(kTitleList, 0, 0));
  ASSERT_EQ(tk.Popups().size(), 2u);
  EXPECT_EQ(tk.Popups()[1].chosen, kFindNextItem);
  EXPECT_EQ(List().Selection(), 1);

  // After the search runs out, the popup shows find next disabled again.
  tk.QueueMenuChoice(std::string(kFindNextItem));
  ASSERT_TRUE(window_->RightButtonUp(kTitleList, 0, 0));
  ASSERT_EQ(NotFoundMessages(), 1);
  window_->Menu(kFindNextItem).SetEnabled(true);
  tk.QueueMenuChoice(std::string(kFindNextItem));
  ASSERT_TRUE(window_->RightButtonUp(kTitleList, 0, 0));
  EXPECT_EQ(tk.Popups().back().chosen, "");
  EXPECT_FALSE(FindNextEnabled());
  EXPECT_EQ(NotFoundMessages(), 1);
}

}  // namespace
}  // namespace molvane
