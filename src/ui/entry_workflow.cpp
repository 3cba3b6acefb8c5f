#include "ui/entry_workflow.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/dialogs.h"
#include "app/main_window_names.h"
#include "app/startup.h"
#include "store/record_store.h"

namespace molvane {

namespace {

// One field box: the key it is stored under and what a Save does when it
// is empty, either refuse with a message or fill in a default.
struct FieldBox {
  std::string_view box;
  std::string_view key;         // empty for the title, which names the section
  std::string_view refusal;     // the message when a Save finds the box empty
  std::string_view when_empty;  // otherwise the text a Save fills in
};

// The twelve boxes in the order of SetFieldsReadOnly's flags. Loading and
// saving walk the keys in the store's order instead (kFieldKeys), where
// "注册IP" comes before the other registration fields.
// clang-format off
constexpr std::array<FieldBox, 12> kFieldBoxes = {{
    {kTitleBox,           "",          "标题不能为空", ""},
    {kSiteBox,            "网址",      "网址不能为空", ""},
    {kAccountBox,         "账号",      "账号不能为空", ""},
    {kPasswordBox,        "密码",      "密码不能为空", ""},
    {kPhoneBox,           "手机",      "",             "无"},
    {kMailBox,            "邮箱",      "",             "无"},
    {kRegisteredMailBox,  "注册邮箱",  "",             "未知"},
    {kRegisteredPhoneBox, "注册手机",  "",             "未知"},
    {kPlaceBox,           "注册地点",  "",             "未知"},
    {kTimeBox,            "注册时间",  "",             "未知"},
    {kIpBox,              "注册IP",    "",             "未知"},
    {kRemarksBox,         "备注信息",  "",             "无"},
}};
// clang-format on

constexpr const FieldBox& kTitleField = kFieldBoxes[0];

// The row of a stored key.
constexpr const FieldBox& BoxOfKey(std::string_view key) {
  return *std::ranges::find(kFieldBoxes, key, &FieldBox::key);
}

constexpr bool EveryKeyHasOneBox() {
  return std::ranges::all_of(kFieldKeys, [](std::string_view key) {
    return !key.empty() && std::ranges::count(kFieldBoxes, key, &FieldBox::key) == 1;
  });
}
static_assert(EveryKeyHasOneBox());

// Stands for all twelve boxes when telling whether they are enabled yet.
constexpr std::string_view kProbeBox = kMailBox;

constexpr std::string_view kNewCaption = "新建项";
constexpr std::string_view kCancelCaption = "取消";
constexpr std::string_view kEditCaption = "编辑项";
constexpr std::string_view kSaveCaption = "保存项";

constexpr int kOkOnly = 0;
constexpr int kOkCancel = 1;
constexpr int kCancelAnswer = 1;

constexpr std::array<bool, 12> kAllReadOnly = {true, true, true, true, true, true,
                                               true, true, true, true, true, true};
constexpr std::array<bool, 1> kOnlyTitleReadOnly = {true};
constexpr std::span<const bool> kAllEditable{};

void SetFieldsEnabled(toolkit::Window& window, bool enabled) {
  for (const FieldBox& field : kFieldBoxes) window.Edit(field.box).SetEnabled(enabled);
}

void EnableFieldsOnFirstUse(toolkit::Window& window) {
  if (!window.Edit(kProbeBox).Enabled()) SetFieldsEnabled(window, true);
}

void SetTimeAndIpButtonsEnabled(toolkit::Window& window, bool enabled) {
  window.ButtonNamed(kIpButton).SetEnabled(enabled);
  window.ButtonNamed(kTimeButton).SetEnabled(enabled);
}

// The title box is editable exactly while a new entry is being made.
bool MakingNewEntry(toolkit::Window& window) { return !window.Edit(kTitleBox).ReadOnly(); }

// An entry exists exactly when its site address is not empty; a section
// without one may be written over.
bool EntryExists(const App& app, std::string_view title) {
  return !ReadValue(app.session.DataFilePath, title, "网址").empty();
}

struct Refusal {
  std::string_view message;
  bool focus_title;
};

// The first check that the boxes fail, in the order the user is told.
std::optional<Refusal> FirstRefusal(const App& app, toolkit::Window& window) {
  for (const FieldBox& field : kFieldBoxes) {
    if (field.refusal.empty()) continue;
    const std::string text = window.Edit(field.box).Text();
    if (text.empty()) return Refusal{field.refusal, false};
    if (&field == &kTitleField && MakingNewEntry(window) && EntryExists(app, text)) {
      return Refusal{"项目标题已存在！", true};
    }
  }
  return std::nullopt;
}

// The defaults go into the boxes themselves, so the user sees what is stored.
void FillEmptyBoxes(toolkit::Window& window) {
  for (std::string_view key : kFieldKeys) {
    const FieldBox& field = BoxOfKey(key);
    toolkit::EditBox& box = window.Edit(field.box);
    if (!field.when_empty.empty() && box.Text().empty()) box.SetText(field.when_empty);
  }
}

EntryValues ValuesInBoxes(toolkit::Window& window) {
  EntryValues values;
  for (std::size_t i = 0; i < kFieldKeys.size(); ++i) {
    values[i] = window.Edit(BoxOfKey(kFieldKeys[i]).box).Text();
  }
  return values;
}

void StartEditing(toolkit::Window& window) {
  window.List(kTitleList).SetEnabled(false);
  window.ButtonNamed(kNewButton).SetEnabled(false);
  window.ButtonNamed(kEditButton).SetCaption(kSaveCaption);
  window.ButtonNamed(kDeleteButton).SetEnabled(false);
  SetTimeAndIpButtonsEnabled(window, true);
  SetFieldsReadOnly(window, kOnlyTitleReadOnly);
}

void Save(App& app, toolkit::Window& window) {
  if (const std::optional<Refusal> refusal = FirstRefusal(app, window)) {
    ShowMessage(app.toolkit, refusal->message, kOkOnly);
    if (refusal->focus_title) window.Edit(kTitleBox).Focus();
    return;
  }
  FillEmptyBoxes(window);
  const std::string title = window.Edit(kTitleBox).Text();
  // The whole entry goes in one replacement of the file, so a failure leaves
  // the file as it was and nothing else changes: the user may try again.
  if (!WriteEntry(app.session.DataFilePath, title, ValuesInBoxes(window))) {
    ShowMessage(app.toolkit, "保存失败！", kOkOnly);
    return;
  }

  toolkit::ListBox& list = window.List(kTitleList);
  if (MakingNewEntry(window)) list.SetSelection(list.AddItem(title));
  UpdateTitleCounter(window);
  list.SetEnabled(true);
  window.ButtonNamed(kEditButton).SetCaption(kEditCaption);
  window.ButtonNamed(kNewButton).SetCaption(kNewCaption);
  window.ButtonNamed(kDeleteButton).SetEnabled(true);
  window.ButtonNamed(kNewButton).SetEnabled(true);
  SetTimeAndIpButtonsEnabled(window, false);
  SetFieldsReadOnly(window, kAllReadOnly);
}

}  // namespace

void SetFieldsReadOnly(toolkit::Window& window, std::span<const bool> read_only) {
  for (std::size_t i = 0; i < kFieldBoxes.size(); ++i) {
    const bool flag = i < read_only.size() && read_only[i];
    toolkit::EditBox& box = window.Edit(kFieldBoxes[i].box);
    box.SetReadOnly(flag);
    box.SetBackground(flag ? toolkit::kDefaultBackground : toolkit::kWhite);
  }
}

void OnEntrySelected(App& app, const toolkit::Event& event) {
  toolkit::Window& window = event.window;
  const toolkit::ListBox& list = window.List(kTitleList);
  const std::string title = list.ItemText(list.Selection());
  window.Edit(kTitleBox).SetText(title);
  for (std::string_view key : kFieldKeys) {
    window.Edit(BoxOfKey(key).box).SetText(ReadValue(app.session.DataFilePath, title, key));
  }
  EnableFieldsOnFirstUse(window);
  SetFieldsReadOnly(window, kAllReadOnly);
  window.ButtonNamed(kEditButton).SetEnabled(true);
  window.ButtonNamed(kDeleteButton).SetEnabled(true);
}

void OnNewClicked(App& /*app*/, const toolkit::Event& event) {
  toolkit::Window& window = event.window;
  toolkit::ListBox& list = window.List(kTitleList);
  toolkit::Button& new_button = window.ButtonNamed(kNewButton);
  toolkit::Button& edit_button = window.ButtonNamed(kEditButton);
  list.SetEnabled(false);

  if (new_button.Caption() == kNewCaption) {
    // The boxes keep their texts: a new entry starts as a copy of the one shown.
    EnableFieldsOnFirstUse(window);
    SetTimeAndIpButtonsEnabled(window, true);
    edit_button.SetEnabled(true);
    new_button.SetCaption(kCancelCaption);
    edit_button.SetCaption(kSaveCaption);
    SetFieldsReadOnly(window, kAllEditable);
    window.Edit(kTitleBox).Focus();
    return;
  }

  // Cancel: the typed texts stay, read-only; nothing is reloaded or written.
  SetTimeAndIpButtonsEnabled(window, false);
  edit_button.SetEnabled(false);
  new_button.SetCaption(kNewCaption);
  edit_button.SetCaption(kEditCaption);
  SetFieldsReadOnly(window, kAllReadOnly);
  if (list.Count() == 0) SetFieldsEnabled(window, false);
  list.SetEnabled(true);
}

void OnEditClicked(App& app, const toolkit::Event& event) {
  toolkit::Window& window = event.window;
  if (window.ButtonNamed(kEditButton).Caption() != kSaveCaption) {
    StartEditing(window);
  } else {
    Save(app, window);
  }
}

void OnDeleteClicked(App& app, const toolkit::Event& event) {
  if (ShowMessage(app.toolkit, "你确定要删除此项吗？ (删除后无法恢复)", kOkCancel) ==
      kCancelAnswer) {
    return;
  }
  toolkit::Window& window = event.window;
  toolkit::ListBox& list = window.List(kTitleList);
  const std::string title = list.ItemText(list.Selection());
  if (!DeleteEntry(app.session.DataFilePath, title)) {
    ShowMessage(app.toolkit, "删除失败！", kOkOnly);
    return;
  }
  ShowMessage(app.toolkit, "删除成功！", kOkOnly);
  // The selection is read again: the list is left alone when nothing is selected.
  if (const int selection = list.Selection(); selection >= 0) list.DeleteItem(selection);
  UpdateTitleCounter(window);
}

}  // namespace molvane
