#pragma once
// Small aids on the main window's field boxes: select all on focus, the
// site address opened from its label, the fixed place text and the current
// time. None of them writes to the register; Save stores what they fill in.

#include <string_view>

#include "app/session.h"
#include "toolkit/event.h"

namespace molvane {

// The binding that makes `box` select its whole text whenever it gets the
// focus, read-only or not. The event does not name its box, so each box
// gets a binding of its own.
[[nodiscard]] toolkit::Binding SelectAllOnFocus(std::string_view box);

// 编辑框_注册地点 double-clicked: it shows the fixed place text.
void OnPlaceDoubleClicked(App& app, const toolkit::Event& event);

// 按钮_取当前时间: 编辑框_注册时间 shows the current local time as
// "yyyy-MM-dd hh:mm", 24-hour.
void OnTimeClicked(App& app, const toolkit::Event& event);

// 标签_网址 double-clicked: while the boxes are read-only, hands the shown
// site address to the browser when it is a web address. Nothing is reported.
void OnSiteLabelDoubleClicked(App& app, const toolkit::Event& event);

}  // namespace molvane
