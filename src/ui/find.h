#pragma once
// Finding an entry by a piece of its title: Find asks for the text and
// selects the first title of the list that holds it, Find next goes on with
// the titles after the last hit. The position lives in App::find.

#include "app/session.h"
#include "toolkit/event.h"

namespace molvane {

// 菜单_查找 chosen, or Ctrl+F in the list: asks for the text and selects the
// first title holding it, or says that none does.
void OnFindSelected(App& app, const toolkit::Event& event);

// 菜单_查找下一个 chosen, or F3 in the list: selects the next title after the
// last hit that holds the last found text. It never starts again at the top.
void OnFindNextSelected(App& app, const toolkit::Event& event);

// A key pressed in the title list: Ctrl alone with F finds; F3 without Ctrl
// finds next while 菜单_查找下一个 is enabled. The key then goes on to the list.
void OnListKeyDown(App& app, const toolkit::Event& event);

// The right button released over the title list: opens the popup menu just
// below and right of the cursor, with find next enabled exactly while a
// search can go on.
void OnListRightButtonUp(App& app, const toolkit::Event& event);

}  // namespace molvane
