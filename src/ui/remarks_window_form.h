#pragma once
// The remarks window 备注窗口: a multi-line box for reading and editing an
// entry's remarks, and its "确定" button.

#include "toolkit/form.h"

namespace molvane {

extern const toolkit::WindowForm kRemarksWindowForm;

}  // namespace molvane
