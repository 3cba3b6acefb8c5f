#include "ui/find.h"

#include <string>
#include <string_view>

#include "app/dialogs.h"
#include "app/main_window_names.h"
#include "text/text_primitives.h"

namespace molvane {

namespace {

constexpr std::string_view kPrompt =
    "请输入欲查找的项目标题：\r\n注：支持模糊查找，返回第一个符合条件的项目";
constexpr std::string_view kPromptTitle = "查找项目：";
constexpr std::string_view kNotFound = "未找到符合条件的项目！";

// The menu item follows Active, so the two are always changed together.
void SetActive(App& app, toolkit::Window& window, bool active) {
  app.find.Active = active;
  window.Menu(kFindNextItem).SetEnabled(active);
}

// A plain, case-sensitive substring test that tries only character starts,
// so a pattern never matches across the halves of double-byte characters.
bool TitleHolds(std::string_view title, std::string_view pattern) {
  return FindText(title, pattern) != -1;
}

void ReportNoHit(App& app, toolkit::Window& window) {
  SetActive(app, window, false);
  ShowMessage(app.toolkit, kNotFound, 0);
}

}  // namespace

void OnFindSelected(App& app, const toolkit::Event& event) {
  std::string pattern;
  if (!ShowInputBox(app.toolkit, kPrompt, kPromptTitle, pattern)) return;

  SetActive(app, event.window, true);
  toolkit::ListBox& list = event.window.List(kTitleList);
  for (int i = 0; i < list.Count(); ++i) {
    if (TitleHolds(list.ItemText(i), pattern)) {
      list.SetSelection(i);
      app.find.NextIndex = i + 1;
      app.find.Pattern = std::move(pattern);
      return;
    }
  }
  // NextIndex and Pattern keep the last search that hit.
  ReportNoHit(app, event.window);
}

// The stored index is not adjusted when titles are added or deleted: the
// search goes on from it in the list as it is now.
void OnFindNextSelected(App& app, const toolkit::Event& event) {
  toolkit::ListBox& list = event.window.List(kTitleList);
  while (app.find.NextIndex < list.Count()) {
    const int index = app.find.NextIndex++;
    if (TitleHolds(list.ItemText(index), app.find.Pattern)) {
      list.SetSelection(index);
      return;
    }
  }
  ReportNoHit(app, event.window);
}

// Ctrl+Shift+F and Ctrl+F3 do nothing; F3 with Shift or Alt does find next.
void OnListKeyDown(App& app, const toolkit::Event& event) {
  if (event.shift == toolkit::kCtrl && event.key == toolkit::kKeyF) {
    OnFindSelected(app, event);
  } else if (event.shift != toolkit::kCtrl && event.key == toolkit::kKeyF3 &&
             event.window.Menu(kFindNextItem).Enabled()) {
    OnFindNextSelected(app, event);
  }
}

void OnListRightButtonUp(App& app, const toolkit::Event& event) {
  SetActive(app, event.window, app.find.Active);
  event.window.PopupMenuAtCursor(3, 3);
}

}  // namespace molvane
