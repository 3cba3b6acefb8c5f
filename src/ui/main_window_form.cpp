#include "ui/main_window_form.h"

#include "app/main_window_names.h"

namespace molvane {

namespace {

using toolkit::ControlForm;
using toolkit::MenuItemForm;
using enum toolkit::ControlKind;

// Every field box starts disabled; the workflow enables them on the first
// selection or "新建项". Edit boxes keep the button-face background.
// clang-format off
constexpr ControlForm kControls[] = {
    // kind     name                 x    y    w    h    text          enabled
    {ListBox,  kTitleList,            5,   5, 307, 131, "",            true},
    {Label,    "标签1",                8, 152,  32,  20, "标题：",      true},
    {EditBox,  kTitleBox,             40, 152, 104,  20, "",            false},
    {Label,    "标签5",              152, 152,  56,  20, "注册邮箱：",  true},
    {EditBox,  kRegisteredMailBox,   208, 152, 104,  20, "",            false},
    {Label,    kSiteLabel,             8, 176,  32,  20, "网址：",      true},
    {EditBox,  kSiteBox,              40, 176, 104,  20, "",            false},
    {Label,    "标签6",              152, 176,  56,  20, "注册手机：",  true},
    {EditBox,  kRegisteredPhoneBox,  208, 176, 104,  20, "",            false},
    {Label,    "标签3",                8, 200,  32,  20, "账号：",      true},
    {EditBox,  kAccountBox,           40, 200, 104,  20, "",            false},
    {Label,    "标签7",              152, 200,  56,  20, "注册地点：",  true},
    {EditBox,  kPlaceBox,            208, 200, 104,  20, "",            false},
    {Label,    "标签4",                8, 224,  32,  20, "密码：",      true},
    {EditBox,  kPasswordBox,          40, 224, 104,  20, "",            false},
    {Label,    "标签8",              152, 224,  56,  20, "注册时间：",  true},
    {EditBox,  kTimeBox,             208, 224, 104,  20, "",            false},
    {Label,    "标签9",                8, 248,  32,  20, "手机：",      true},
    {EditBox,  kPhoneBox,             40, 248, 104,  20, "",            false},
    {Label,    "标签10",             152, 248,  56,  20, "注册 I P：",  true},
    {EditBox,  kIpBox,               208, 248, 104,  20, "",            false},
    {Label,    "标签11",               8, 272,  32,  20, "邮箱：",      true},
    {EditBox,  kMailBox,              40, 272, 104,  20, "",            false},
    {Label,    "标签12",             152, 272,  56,  20, "备注信息：",  true},
    {EditBox,  kRemarksBox,          208, 272, 104,  20, "",            false},
    {Button,   kNewButton,             8, 304,  50,  25, "新建项",      true},
    {Button,   kEditButton,           64, 304,  50,  25, "编辑项",      false},
    {Button,   kDeleteButton,        120, 304,  50,  25, "删除项",      false},
    {Button,   kTimeButton,          176, 304,  72,  25, "取当前时间",  false},
    {Button,   kIpButton,            256, 304,  56,  25, "取当前IP",    false},
};

// The shortcut texts are shown only: the keys act through the list's key handler.
constexpr MenuItemForm kMenuItems[] = {
    // name               text               shortcut   enabled
    {kFindItem,           "查找(&F)...",     "Ctrl+F",  true},
    {kFindNextItem,       "查找下一个(&N)",  "F3",      false},
};
// clang-format on

}  // namespace

constinit const toolkit::WindowForm kMainWindowForm = {
    .name = "主窗口",
    .caption = "Molvane",
    .width = 322,
    .height = 366,
    .frame = toolkit::Frame::FixedSingle,
    .controls = kControls,
    .menu_name = "菜单_右键菜单",
    .menu_items = kMenuItems,
};

}  // namespace molvane
