#include "ui/main_window_bindings.h"

#include "app/startup.h"
#include "app/vault_lock.h"
#include "ui/entry_workflow.h"
#include "ui/field_conveniences.h"
#include "ui/find.h"
#include "ui/handler_binding.h"
#include "ui/public_ip_button.h"
#include "ui/remarks_window.h"

namespace molvane {

// No other event is bound: the title box, the labels other than the site
// address's and the request to close the window have no handler.
toolkit::Bindings BindMainWindow(App& app) {
  using enum toolkit::EventKind;
  // clang-format off
  return {
      On(app, kWindowItself, Created, OnMainWindowCreated),
      On(app, kWindowItself, Destroying, LockVault),
      On(app, "列表框_项目列表", ItemSelected, OnEntrySelected),
      On(app, "按钮_新建项",     Clicked,      OnNewClicked),
      On(app, "按钮_编辑项",     Clicked,      OnEditClicked),
      On(app, "按钮_删除项",     Clicked,      OnDeleteClicked),
      On(app, "列表框_项目列表", RightButtonUp, OnListRightButtonUp),
      On(app, "列表框_项目列表", KeyDown,       OnListKeyDown),
      On(app, "菜单_查找",       MenuSelected,  OnFindSelected),
      On(app, "菜单_查找下一个", MenuSelected,  OnFindNextSelected),
      On(app, "按钮_取当前时间", Clicked,       OnTimeClicked),
      On(app, "按钮_取当前IP",   Clicked,       LookUpPublicIp),
      On(app, "标签_网址",       DoubleClicked, OnSiteLabelDoubleClicked),
      On(app, "编辑框_注册地点", DoubleClicked, OnPlaceDoubleClicked),
      SelectAllOnFocus("编辑框_网址"),
      SelectAllOnFocus("编辑框_账号"),
      SelectAllOnFocus("编辑框_密码"),
      SelectAllOnFocus("编辑框_手机"),
      SelectAllOnFocus("编辑框_邮箱"),
      SelectAllOnFocus("编辑框_注册邮箱"),
      SelectAllOnFocus("编辑框_注册手机"),
      SelectAllOnFocus("编辑框_注册地点"),
      SelectAllOnFocus("编辑框_注册时间"),
      SelectAllOnFocus("编辑框_注册IP"),
      On(app, "编辑框_备注信息", GotFocus,      OnRemarksBoxFocus),
  };
  // clang-format on
}

}  // namespace molvane
