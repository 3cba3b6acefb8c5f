#pragma once
// The entry workflow of the main window: showing the entry picked in the
// title list, making a new entry, editing and saving one, and deleting one.
// The handlers keep no state: the mode lives in the controls themselves
// (the captions of 按钮_新建项 and 按钮_编辑项 and whether 编辑框_标题 is
// read-only), the data in the register file.

#include <span>

#include "app/session.h"
#include "toolkit/event.h"
#include "toolkit/window.h"

namespace molvane {

// Makes the twelve field boxes read-only on the button-face background or
// editable on white. The flags follow the boxes 编辑框_标题, 编辑框_网址,
// 编辑框_账号, 编辑框_密码, 编辑框_手机, 编辑框_邮箱, 编辑框_注册邮箱,
// 编辑框_注册手机, 编辑框_注册地点, 编辑框_注册时间, 编辑框_注册IP,
// 编辑框_备注信息; a box without a flag is made editable.
void SetFieldsReadOnly(toolkit::Window& window, std::span<const bool> read_only);

// The user picked an item of the title list: its entry is shown, read-only.
void OnEntrySelected(App& app, const toolkit::Event& event);

// "新建项" starts a new entry from the texts shown; "取消" gives it up,
// leaving the typed texts read-only.
void OnNewClicked(App& app, const toolkit::Event& event);

// "编辑项" opens the shown entry for editing (its title stays fixed);
// "保存项" checks the boxes and writes the whole entry in one replacement of
// the file. A write that fails is reported and changes nothing, so the user
// can try again.
void OnEditClicked(App& app, const toolkit::Event& event);

// Deletes the selected entry after the user confirms.
void OnDeleteClicked(App& app, const toolkit::Event& event);

}  // namespace molvane
