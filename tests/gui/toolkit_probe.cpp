// A small program on the FLTK backend for the GUI tests: it shows one
// dialog, or one window of a test form, and writes what happened to its
// standard output, one line per answer or event.
//
//   toolkit_probe prompt     the input dialog with a two-line prompt
//   toolkit_probe plain      the input dialog without prompt, titled "查找"
//   toolkit_probe okcancel   a message box with OK and Cancel
//   toolkit_probe ok         a message box with OK alone
//   toolkit_probe window     the test form below, logging its events
//   toolkit_probe end        the test form, whose Created handler ends the
//                            program with code 3
//   toolkit_probe remarks [readonly]
//                            the test form, whose edit box opens the remarks
//                            window modally the first time it gets the focus

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/dialogs.h"
#include "toolkit/toolkit.h"
#include "ui/remarks_window_form.h"

namespace {

using namespace molvane;
using namespace molvane::toolkit;

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// clang-format off
constexpr std::array kControls{
  ControlForm{ControlKind::ListBox, "列表", 5,   5,  200, 100, ""},
  ControlForm{ControlKind::Label,   "标签", 5,   112, 40, 20,  "标签："},
  ControlForm{ControlKind::EditBox, "编辑", 50,  112, 150, 20, "第一行\r\n第二行"},
  ControlForm{ControlKind::Button,  "按钮", 5,   140, 60,  25, "按钮"},
};
constexpr std::array kMenu{
  MenuItemForm{"菜单_甲", "甲(&A)", "Ctrl+F", true},
  MenuItemForm{"菜单_乙", "乙(&B)", "F3", false},
};
constexpr WindowForm kTestForm{"测试窗口", "Probe", 222, 200, Frame::FixedSingle,
                               kControls, "菜单", kMenu};
// clang-format on

std::string Describe(const Event& event) {
  return " key=" + std::to_string(event.key) + " shift=" + std::to_string(event.shift);
}

// The text with its line breaks made visible.
std::string Escaped(std::string_view text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else {
      shown += c;
    }
  }
  return shown;
}

Bindings RemarksBindings(bool read_only) {
  return {
      {"", EventKind::Created,
       [read_only](const Event& event) {
         EditBox& box = event.window.Edit("编辑框_备注信息");
         box.SetText("ab\r\ncd");
         box.SetReadOnly(read_only);
         Print("remarks created");
       }},
      {"按钮_确定", EventKind::Clicked,
       [](const Event& event) {
         Print("remarks ok text=" + Escaped(event.window.Edit("编辑框_备注信息").Text()));
         event.window.Close();
       }},
      {"", EventKind::Destroying, [](const Event&) { Print("remarks destroying"); }},
  };
}

Bindings TestBindings(Toolkit& toolkit, Handler on_edit_focus) {
  auto log = [](std::string text) { return [text](const Event&) { Print(text); }; };
  return {
      {"", EventKind::Created,
       [](const Event& event) {
         ListBox& list = event.window.List("列表");
         for (const char* item : {"甲", "乙", "丙"}) list.AddItem(item);
         list.SetSelection(1);  // a selection by the program: no event
         Print("created text=" + event.window.Edit("编辑").Text());
       }},
      {"", EventKind::Destroying, log("destroying")},
      {"列表", EventKind::ItemSelected,
       [](const Event& event) {
         Print("selected " + std::to_string(event.window.List("列表").Selection()));
       }},
      {"列表", EventKind::KeyDown, [](const Event& event) { Print("keydown" + Describe(event)); }},
      {"列表", EventKind::RightButtonUp,
       [](const Event& event) {
         Print("rightbuttonup x=" + std::to_string(event.x) + " y=" + std::to_string(event.y) +
               Describe(event));
         event.window.PopupMenuAtCursor(0, 0);
       }},
      {"菜单_甲", EventKind::MenuSelected, log("menu 甲")},
      {"菜单_乙", EventKind::MenuSelected, log("menu 乙")},
      {"按钮", EventKind::Clicked,
       [&toolkit](const Event& event) {
         Print("clicked text=" + event.window.Edit("编辑").Text());
         Print("answer " + std::to_string(ShowMessage(toolkit, "按钮", 0)));
       }},
      {"标签", EventKind::DoubleClicked, log("label doubleclicked")},
      {"编辑", EventKind::DoubleClicked, log("edit doubleclicked")},
      {"编辑", EventKind::GotFocus, std::move(on_edit_focus)},
  };
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  const auto toolkit = MakeToolkit();
  std::string variable = "keep";
  if (mode == "prompt" || mode == "plain") {
    const bool confirmed = mode == "prompt"
                               ? ShowInputBox(*toolkit, "第一行\r\n第二行", "", variable)
                               : ShowInputBox(*toolkit, "", "查找", variable);
    Print((confirmed ? "confirmed " : "cancelled ") + variable);
  } else if (mode == "okcancel" || mode == "ok") {
    Print("answer " + std::to_string(ShowMessage(*toolkit, "删除这个项目吗？", mode == "ok" ? 0 : 1)));
  } else if (mode == "window") {
    toolkit->SetExitRoutine([] { Print("exit routine"); });
    toolkit->Load(kTestForm, TestBindings(*toolkit, [](const Event& event) {
                    Print("edit gotfocus text=" + event.window.Edit("编辑").Text());
                  }));
    toolkit->RunEventLoop();
    Print("loop ended");
  } else if (mode == "end") {
    toolkit->SetExitRoutine([] { Print("exit routine"); });
    Toolkit& kit = *toolkit;
    Bindings bindings = {{"", EventKind::Created, [&kit](const Event&) { kit.EndProgram(3); }},
                         {"", EventKind::Destroying, [](const Event&) { Print("destroying"); }}};
    toolkit->Load(kTestForm, std::move(bindings));
    Print("not reached");
  } else if (mode == "remarks") {
    const bool read_only = argc > 2 && std::string_view(argv[2]) == "readonly";
    Toolkit& kit = *toolkit;
    auto open_remarks = [&kit, read_only, opened = false](const Event& event) mutable {
      Print("edit gotfocus");
      if (opened) return;  // the focus given back after the modal window
      opened = true;
      kit.RunModal(kRemarksWindowForm, RemarksBindings(read_only), event.window);
      Print("modal returned");
    };
    toolkit->Load(kTestForm, TestBindings(kit, open_remarks));
    toolkit->RunEventLoop();
  } else {
    return 2;
  }
  return 0;
}
