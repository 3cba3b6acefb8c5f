#pragma once
// The main window 主窗口: the title list on top, twelve labelled field boxes
// below it, five buttons at the bottom and a hidden popup menu for finding.

#include "toolkit/form.h"

namespace molvane {

extern const toolkit::WindowForm kMainWindowForm;

}  // namespace molvane
