#include "ui/entry_workflow.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <ranges>
#include <string>
#include <vector>

#include "support/program_fixture.h"

namespace molvane {
namespace {

using testing::ProgramFixture;
using toolkit::HeadlessWindow;
using toolkit::MessageAnswer;

// The twelve boxes, in the order the window lays them out in pairs of rows
// read down the left column first: title, site, account, password, phone,
// mail, then the registration fields and the remarks.
constexpr std::array<const char*, 12> kBoxes = {
    "编辑框_标题",     "编辑框_网址",     "编辑框_账号",     "编辑框_密码",
    "编辑框_手机",     "编辑框_邮箱",     "编辑框_注册邮箱", "编辑框_注册手机",
    "编辑框_注册地点", "编辑框_注册时间", "编辑框_注册IP",   "编辑框_备注信息"};
using Boxes = std::array<std::string, 12>;  // texts in kBoxes order

// An entry as the file stores it: values in the order a Save writes the keys.
struct Entry {
  std::string title;
  // 网址 账号 密码 手机 邮箱 注册IP 注册邮箱 注册手机 注册地点 注册时间 备注信息
  std::array<std::string, 11> values;
};

std::string Section(const Entry& e) {
  const auto& v = e.values;
  return "[" + e.title + "]\r\n网址=" + v[0] + "\r\n账号=" + v[1] + "\r\n密码=" + v[2] +
         "\r\n手机=" + v[3] + "\r\n邮箱=" + v[4] + "\r\n注册IP=" + v[5] + "\r\n注册邮箱=" + v[6] +
         "\r\n注册手机=" + v[7] + "\r\n注册地点=" + v[8] + "\r\n注册时间=" + v[9] +
         "\r\n备注信息=" + v[10] + "\r\n";
}

// Where each value shows: "注册IP" sits below the other registration boxes.
Boxes Shown(const Entry& e) {
  const auto& v = e.values;
  return {e.title, v[0], v[1], v[2], v[3], v[4], v[6], v[7], v[8], v[9], v[5], v[10]};
}

Entry Retitled(Entry e, std::string title) {
  e.title = std::move(title);
  return e;
}

// Every value different, so a value shown in the wrong box is caught.
const Entry kMail = {
    "网易邮箱",
    {"mail.163.com", "alice", "pw1", "13800000000", "alice@163.com", "10.0.0.1", "old@163.com",
     "13900000000", "北京", "2020-01-02 03:04", R"(第一行\r\n第二行)"}};
const Entry kAbc = {
    "abc", {"abc.example", "bob", "pw2", "无", "无", "未知", "未知", "未知", "未知", "未知", "无"}};
const std::string kTwo = Section(kMail) + Section(kAbc);

// A section that does not count as an entry: its site address is empty.
const std::string kWithEmptySite = kTwo + "[空站]\r\n网址=\r\n账号=old\r\n";

// A new entry with only the four required boxes typed.
const Entry kTyped = {
    "Shop",
    {"shop.example", "carol", "secret", "无", "无", "未知", "未知", "未知", "未知", "未知", "无"}};
const Boxes kTypedOnly = {"Shop", "shop.example", "carol", "secret", "", "", "", "", "", "", "",
                          ""};
const Boxes kEmptyBoxes{};

constexpr const char* kConfirm = "你确定要删除此项吗？ (删除后无法恢复)";

// The user's actions, each of which must be possible.
struct Driver {
  ProgramFixture& program;
  HeadlessWindow& window;
};
using Step = std::function<void(Driver&)>;

Step Select(int index) {
  return [=](Driver& d) { EXPECT_TRUE(d.window.SelectItem("列表框_项目列表", index)) << index; };
}
Step Click(const char* button) {
  return [=](Driver& d) { EXPECT_TRUE(d.window.Click(button)) << button; };
}
// Selects the box's whole text and types over it (an empty text clears it).
Step Replace(const char* box, std::string text) {
  return [=](Driver& d) {
    d.window.EditState(box).SelectAll();
    EXPECT_TRUE(d.window.Type(box, text)) << box;
  };
}
Step TypeRefused(const char* box) {
  return [=](Driver& d) { EXPECT_FALSE(d.window.Type(box, "x")) << box; };
}
// The answer of the next message box.
Step Answer(MessageAnswer answer) {
  return [=](Driver& d) { d.program.toolkit.QueueMessageAnswer(answer); };
}
Step SetFileMode(std::filesystem::perms mode) {
  return [=](Driver& d) { std::filesystem::permissions(d.program.RegisterPath(), mode); };
}
const std::filesystem::perms kReadOnlyFile = std::filesystem::perms(0444);
const std::filesystem::perms kWritableFile = std::filesystem::perms(0644);

std::vector<Step> Steps(std::initializer_list<Step> steps) { return steps; }
std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<Step> kNewShop = Steps(
    {Click("按钮_新建项"), Replace("编辑框_标题", "Shop"), Replace("编辑框_网址", "shop.example"),
     Replace("编辑框_账号", "carol"), Replace("编辑框_密码", "secret")});
const std::vector<Step> kDeleteFirst =
    Steps({Select(0), Answer(MessageAnswer::Ok), Click("按钮_删除项")});

enum class State { Idle, Viewing, NewEntry, Editing, Cancelled };

struct Scenario {
  const char* name;
  std::optional<std::string> register_bytes;  // nothing: no data file
  std::vector<Step> steps;
  State state;
  bool delete_enabled;
  Boxes boxes;
  std::vector<std::string> items;
  int selection;
  std::string caption;
  std::vector<std::string> messages;
  std::optional<std::string> file;  // nothing: still no data file
  const char* focus = nullptr;      // the control with the focus, when it matters
};

// The controls that tell the workflow's state apart.
void ExpectState(HeadlessWindow& window, State state, bool delete_enabled, bool list_empty) {
  const bool new_entry = state == State::NewEntry, editing = state == State::Editing;
  const bool saving = new_entry || editing;
  toolkit::Button& new_button = window.ButtonNamed("按钮_新建项");
  toolkit::Button& edit_button = window.ButtonNamed("按钮_编辑项");
  EXPECT_EQ(new_button.Caption(), new_entry ? "取消" : "新建项");
  EXPECT_EQ(new_button.Enabled(), !editing);
  EXPECT_EQ(edit_button.Caption(), saving ? "保存项" : "编辑项");
  EXPECT_EQ(edit_button.Enabled(), state == State::Viewing || saving);
  EXPECT_EQ(window.ButtonNamed("按钮_删除项").Enabled(), delete_enabled);
  EXPECT_EQ(window.List("列表框_项目列表").Enabled(), !saving);
  EXPECT_EQ(window.ButtonNamed("按钮_取当前时间").Enabled(), saving);
  EXPECT_EQ(window.ButtonNamed("按钮_取当前IP").Enabled(), saving);

  const bool boxes_enabled = state != State::Idle && !(state == State::Cancelled && list_empty);
  for (const char* name : kBoxes) {
    SCOPED_TRACE(name);
    const toolkit::EditBox& box = window.Edit(name);
    const bool read_only = state == State::Viewing || state == State::Cancelled ||
                           (editing && std::string_view(name) == "编辑框_标题");
    EXPECT_EQ(box.Enabled(), boxes_enabled);
    EXPECT_EQ(box.ReadOnly(), read_only);
    const bool white = state != State::Idle && !read_only;
    EXPECT_EQ(box.Background(), white ? toolkit::kWhite : toolkit::kDefaultBackground);
  }
}

// Failures name the scenario rather than dump its bytes.
void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class EntryWorkflowTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(EntryWorkflowTest, LeavesTheWindowAndTheFileAsExpected) {
  const Scenario& s = GetParam();
  ProgramFixture program;
  if (s.register_bytes) program.WriteSealedRegister(*s.register_bytes);
  HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  Driver driver{program, *window};
  for (const Step& step : s.steps) step(driver);

  toolkit::ListBox& list = window->List("列表框_项目列表");
  ExpectState(*window, s.state, s.delete_enabled, list.Count() == 0);
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    EXPECT_EQ(window->Edit(kBoxes[i]).Text(), s.boxes[i]) << kBoxes[i];
  }
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.ItemText(i));
  EXPECT_EQ(items, s.items);
  EXPECT_EQ(list.Selection(), s.selection);
  EXPECT_EQ(window->Caption(), s.caption);

  std::vector<std::string> messages;
  // A register is opened with its password first.
  const std::size_t unlock_prompts = s.register_bytes ? 1 : 0;
  for (const toolkit::ShownDialog& dialog :
       program.toolkit.Dialogs() | std::views::drop(unlock_prompts)) {
    ASSERT_EQ(dialog.kind, toolkit::ShownDialog::Kind::Message);
    EXPECT_EQ(dialog.caption, "信息：");
    // Only the delete confirmation offers Cancel.
    const bool asks = dialog.text == kConfirm;
    EXPECT_EQ(dialog.buttons,
              asks ? toolkit::MessageButtons::OkCancel : toolkit::MessageButtons::Ok);
    messages.push_back(dialog.text);
  }
  EXPECT_EQ(messages, s.messages);
  EXPECT_EQ(program.toolkit.UnusedAnswers(), 0u);

  EXPECT_EQ(std::filesystem::exists(program.RegisterPath()), s.file.has_value());
  if (s.file) {
    EXPECT_EQ(program.ReadRegister(), *s.file);
  }
  if (s.focus) {
    EXPECT_EQ(window->FocusedControl(), s.focus);
  }
}

Boxes With(Boxes boxes, std::size_t index, std::string text) {
  boxes[index] = std::move(text);
  return boxes;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

std::vector<Scenario> Scenarios() {
  const std::vector<std::string> two = {"网易邮箱", "abc"};
  const std::string counted2 = "Molvane 2个项目";
  const auto no_messages = std::vector<std::string>{};
  const std::string mail_without_site = Replaced(kTwo, "网址=mail.163.com", "网址=");
  // clang-format off
  return {
    // Viewing.
    {"StartsIdleWithoutAFile", std::nullopt, {},
     State::Idle, false, kEmptyBoxes, {}, -1, "Molvane", no_messages, std::nullopt},
    {"SelectingShowsTheEntryReadOnly", kTwo, Steps({Select(0)}),
     State::Viewing, true, Shown(kMail), two, 0, counted2, no_messages, kTwo},
    {"SelectingAnotherEntryShowsItsValues", kTwo, Steps({Select(0), Select(1)}),
     State::Viewing, true, Shown(kAbc), two, 1, counted2, no_messages, kTwo},

    // New entry and Cancel.
    {"NewFromIdleOpensEmptyEditableBoxes", std::nullopt, Steps({Click("按钮_新建项")}),
     State::NewEntry, false, kEmptyBoxes, {}, -1, "Molvane", no_messages, std::nullopt,
     "编辑框_标题"},
    {"NewWhileViewingStartsAsACopy", kTwo, Steps({Select(0), Click("按钮_新建项")}),
     State::NewEntry, true, Shown(kMail), two, 0, counted2, no_messages, kTwo, "编辑框_标题"},
    {"CancelWithAnEmptyListKeepsTypedTextsInDisabledBoxes", std::nullopt,
     Steps({Click("按钮_新建项"), Replace("编辑框_标题", "x"), Replace("编辑框_网址", "y"),
            Click("按钮_新建项")}),
     State::Cancelled, false, With(With(kEmptyBoxes, 0, "x"), 1, "y"), {}, -1, "Molvane",
     no_messages, std::nullopt},
    {"CancelWhileViewingKeepsTypedTextsAndTheSelection", kTwo,
     Steps({Select(1), Click("按钮_新建项"), Replace("编辑框_网址", "changed"),
            Click("按钮_新建项")}),
     State::Cancelled, true, With(Shown(kAbc), 1, "changed"), two, 1, counted2, no_messages,
     kTwo},
    {"SelectingAfterCancelShowsTheStoredEntry", kTwo,
     Steps({Select(1), Click("按钮_新建项"), Replace("编辑框_网址", "changed"),
            Click("按钮_新建项"), Select(1)}),
     State::Viewing, true, Shown(kAbc), two, 1, counted2, no_messages, kTwo},
    {"NewAgainAfterCancel", std::nullopt,
     Steps({Click("按钮_新建项"), Replace("编辑框_标题", "x"), Click("按钮_新建项"),
            Click("按钮_新建项")}),
     State::NewEntry, false, With(kEmptyBoxes, 0, "x"), {}, -1, "Molvane", no_messages,
     std::nullopt},

    // Saving a new entry.
    {"SaveFillsDefaultsIntoTheBoxesAndCreatesTheFile", std::nullopt,
     kNewShop + Steps({Click("按钮_编辑项")}),
     State::Viewing, true, Shown(kTyped), {"Shop"}, 0, "Molvane 1个项目", no_messages,
     Section(kTyped)},
    {"SaveOfACopyUnderANewTitleIsListedLastAndSelected", kTwo,
     Steps({Select(0), Click("按钮_新建项"), Replace("编辑框_标题", "网易邮箱2"),
            Click("按钮_编辑项")}),
     State::Viewing, true, Shown(Retitled(kMail, "网易邮箱2")), {"网易邮箱", "abc", "网易邮箱2"},
     2, "Molvane 3个项目", no_messages, kTwo + Section(Retitled(kMail, "网易邮箱2"))},
    {"ASectionWithoutASiteIsWrittenOverAndListedTwice", kWithEmptySite,
     kNewShop + Steps({Replace("编辑框_标题", "空站"), Click("按钮_编辑项")}),
     State::Viewing, true, Shown(Retitled(kTyped, "空站")), {"网易邮箱", "abc", "空站", "空站"}, 3,
     "Molvane 4个项目", no_messages,
     kTwo + "[空站]\r\n网址=shop.example\r\n账号=carol\r\n密码=secret\r\n手机=无\r\n邮箱=无\r\n"
            "注册IP=未知\r\n注册邮箱=未知\r\n注册手机=未知\r\n注册地点=未知\r\n注册时间=未知\r\n"
            "备注信息=无\r\n"},
    {"AnEmptiedSiteNoLongerCountsAsAnEntry", mail_without_site,
     kNewShop + Steps({Replace("编辑框_标题", "网易邮箱"), Click("按钮_编辑项")}),
     State::Viewing, true, Shown(Retitled(kTyped, "网易邮箱")),
     {"网易邮箱", "abc", "网易邮箱"}, 2, "Molvane 3个项目", no_messages,
     Section(Retitled(kTyped, "网易邮箱")) + Section(kAbc)},

    // Refused saves: nothing is written and the new entry stays open.
    {"EmptyTitleIsRefusedFirst", kTwo, Steps({Click("按钮_新建项"), Click("按钮_编辑项")}),
     State::NewEntry, false, kEmptyBoxes, two, -1, counted2, {"标题不能为空"}, kTwo},
    {"TakenTitleIsRefusedAndTheTitleGetsTheFocus", kTwo,
     kNewShop + Steps({Replace("编辑框_标题", "网易邮箱"), Click("按钮_编辑项")}),
     State::NewEntry, false, With(kTypedOnly, 0, "网易邮箱"), two, -1, counted2,
     {"项目标题已存在！"}, kTwo, "编辑框_标题"},
    {"TitlesDifferingInLetterCaseAreTheSame", kTwo,
     kNewShop + Steps({Replace("编辑框_标题", "ABC"), Click("按钮_编辑项")}),
     State::NewEntry, false, With(kTypedOnly, 0, "ABC"), two, -1, counted2,
     {"项目标题已存在！"}, kTwo, "编辑框_标题"},
    {"EmptySiteIsRefused", kTwo,
     kNewShop + Steps({Replace("编辑框_网址", ""), Click("按钮_编辑项")}),
     State::NewEntry, false, With(kTypedOnly, 1, ""), two, -1, counted2, {"网址不能为空"}, kTwo},
    {"EmptyAccountIsReportedBeforeEmptyPassword", kTwo,
     kNewShop + Steps({Replace("编辑框_账号", ""), Replace("编辑框_密码", ""),
                       Click("按钮_编辑项")}),
     State::NewEntry, false, With(With(kTypedOnly, 2, ""), 3, ""), two, -1, counted2,
     {"账号不能为空"}, kTwo},
    {"EmptyPasswordIsRefused", kTwo,
     kNewShop + Steps({Replace("编辑框_密码", ""), Click("按钮_编辑项")}),
     State::NewEntry, false, With(kTypedOnly, 3, ""), two, -1, counted2, {"密码不能为空"}, kTwo},
    {"EachRefusalIsShownOnceAndSaveCanBeRetried", kTwo,
     kNewShop + Steps({Replace("编辑框_密码", ""), Click("按钮_编辑项"),
                       Replace("编辑框_密码", "secret"), Click("按钮_编辑项")}),
     State::Viewing, true, Shown(kTyped), {"网易邮箱", "abc", "Shop"}, 2, "Molvane 3个项目",
     {"密码不能为空"}, kTwo + Section(kTyped)},

    // Editing an existing entry.
    {"EditingKeepsTheTitleFixed", kTwo,
     Steps({Select(0), Click("按钮_编辑项"), TypeRefused("编辑框_标题")}),
     State::Editing, false, Shown(kMail), two, 0, counted2, no_messages, kTwo},
    {"SaveOfAnEditReplacesValuesInPlaceWithoutAddingAnItem", kTwo,
     Steps({Select(0), Click("按钮_编辑项"), Replace("编辑框_密码", "new"),
            Replace("编辑框_手机", ""), Click("按钮_编辑项")}),
     State::Viewing, true, With(With(Shown(kMail), 3, "new"), 4, "无"), two, 0, counted2,
     no_messages, Replaced(Replaced(kTwo, "密码=pw1", "密码=new"), "手机=13800000000", "手机=无")},
    {"AnEditIsCheckedButNotForExistence", kTwo,
     Steps({Select(1), Click("按钮_编辑项"), Replace("编辑框_网址", ""), Click("按钮_编辑项")}),
     State::Editing, false, With(Shown(kAbc), 1, ""), two, 1, counted2, {"网址不能为空"}, kTwo},

    // Deleting.
    {"DeleteRemovesTheSectionAndTheItemButNotTheTexts", kTwo, kDeleteFirst,
     State::Viewing, true, Shown(kMail), {"abc"}, -1, "Molvane 1个项目",
     {kConfirm, "删除成功！"}, Section(kAbc)},
    {"DeleteCancelledDeletesNothing", kTwo,
     Steps({Select(0), Answer(MessageAnswer::Cancel), Click("按钮_删除项")}),
     State::Viewing, true, Shown(kMail), two, 0, counted2, {kConfirm}, kTwo},
    {"DeleteConfirmationClosedDeletesNothing", kTwo, Steps({Select(0), Click("按钮_删除项")}),
     State::Viewing, true, Shown(kMail), two, 0, counted2, {kConfirm}, kTwo},
    {"SecondDeleteWithoutSelectionFailsAndKeepsTheList", kTwo,
     kDeleteFirst + Steps({Answer(MessageAnswer::Ok), Click("按钮_删除项")}),
     State::Viewing, true, Shown(kMail), {"abc"}, -1, "Molvane 1个项目",
     {kConfirm, "删除成功！", kConfirm, "删除失败！"}, Section(kAbc)},
    {"EditAndSaveAfterDeleteWritesTheSectionAgain", kTwo,
     kDeleteFirst + Steps({Click("按钮_编辑项"), Click("按钮_编辑项")}),
     State::Viewing, true, Shown(kMail), {"abc"}, -1, "Molvane 1个项目",
     {kConfirm, "删除成功！"}, Section(kAbc) + Section(kMail)},
    {"DeletingTheLastEntryLeavesAFileWithoutSections", Section(kAbc),
     Steps({Select(0), Answer(MessageAnswer::Ok), Click("按钮_删除项")}),
     State::Viewing, true, Shown(kAbc), {}, -1, "Molvane 0个项目", {kConfirm, "删除成功！"}, ""},

    // A register that cannot be written: the failure is reported and the
    // user's work stays open for another try.
    {"FailedSaveOfANewEntryKeepsItOpen", kTwo,
     Steps({SetFileMode(kReadOnlyFile)}) + kNewShop + Steps({Click("按钮_编辑项")}),
     State::NewEntry, false, Shown(kTyped), two, -1, counted2, {"保存失败！"}, kTwo},
    {"FailedSaveOfAnEditKeepsItOpen", kTwo,
     Steps({Select(0), SetFileMode(kReadOnlyFile), Click("按钮_编辑项"),
            Replace("编辑框_密码", "new"), Click("按钮_编辑项")}),
     State::Editing, false, With(Shown(kMail), 3, "new"), two, 0, counted2, {"保存失败！"}, kTwo},
    {"SaveSucceedsOnceTheFileCanBeWrittenAgain", kTwo,
     Steps({SetFileMode(kReadOnlyFile)}) + kNewShop +
         Steps({Click("按钮_编辑项"), SetFileMode(kWritableFile), Click("按钮_编辑项")}),
     State::Viewing, true, Shown(kTyped), {"网易邮箱", "abc", "Shop"}, 2, "Molvane 3个项目",
     {"保存失败！"}, kTwo + Section(kTyped)},
    {"FailedDeleteChangesNothing", kTwo,
     Steps({SetFileMode(kReadOnlyFile)}) + kDeleteFirst,
     State::Viewing, true, Shown(kMail), two, 0, counted2, {kConfirm, "删除失败！"}, kTwo},
    // A blank title is not empty, but the register refuses a blank section name.
    {"BlankTitleIsNotEmptyButCannotBeStored", kTwo,
     kNewShop + Steps({Replace("编辑框_标题", " "), Click("按钮_编辑项")}),
     State::NewEntry, false, With(Shown(kTyped), 0, " "), two, -1, counted2, {"保存失败！"}, kTwo},
  };
  // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Scenarios, EntryWorkflowTest, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST(SetFieldsReadOnly, FollowsTheFlagsInBoxOrderAndTreatsMissingFlagsAsFalse) {
  ProgramFixture program;
  HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  // Every second box read-only; the last four flags are left out.
  const std::array<bool, 8> flags = {true, false, true, false, true, false, true, false};
  SetFieldsReadOnly(*window, flags);
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    SCOPED_TRACE(kBoxes[i]);
    const bool read_only = i < flags.size() && flags[i];
    EXPECT_EQ(window->Edit(kBoxes[i]).ReadOnly(), read_only);
    EXPECT_EQ(window->Edit(kBoxes[i]).Background(),
              read_only ? toolkit::kDefaultBackground : toolkit::kWhite);
  }
}

}  // namespace
}  // namespace molvane
