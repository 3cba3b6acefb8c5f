#include "ui/remarks_window_form.h"

#include "app/main_window_names.h"

namespace molvane {

namespace {

using toolkit::ControlForm;
using enum toolkit::ControlKind;

// The box has the name of the main window's remarks box.
// clang-format off
constexpr ControlForm kControls[] = {
    // kind              name               x    y    w    h    text    enabled  background
    {MultiLineEditBox,  kRemarksBox,         0,   1, 280, 144, "",     true,    toolkit::kWhite},
    {Button,            "按钮_确定",       112, 147,  56,  20, "确定", true},
};
// clang-format on

}  // namespace

constinit const toolkit::WindowForm kRemarksWindowForm = {
    .name = "备注窗口",
    .caption = "备注信息：",
    .width = 289,
    .height = 195,
    .frame = toolkit::Frame::ToolWindow,
    .controls = kControls,
    .menu_name = {},
    .menu_items = {},
};

}  // namespace molvane
