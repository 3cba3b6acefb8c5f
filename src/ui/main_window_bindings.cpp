#include "ui/main_window_bindings.h"

#include "app/main_window_names.h"
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
      On(app, kTitleList,    ItemSelected,  OnEntrySelected),
      On(app, kNewButton,    Clicked,       OnNewClicked),
      On(app, kEditButton,   Clicked,       OnEditClicked),
      On(app, kDeleteButton, Clicked,       OnDeleteClicked),
      On(app, kTitleList,    RightButtonUp, OnListRightButtonUp),
      On(app, kTitleList,    KeyDown,       OnListKeyDown),
      On(app, kFindItem,     MenuSelected,  OnFindSelected),
      On(app, kFindNextItem, MenuSelected,  OnFindNextSelected),
      On(app, kTimeButton,   Clicked,       OnTimeClicked),
      On(app, kIpButton,     Clicked,       LookUpPublicIp),
      On(app, kSiteLabel,    DoubleClicked, OnSiteLabelDoubleClicked),
      On(app, kPlaceBox,     DoubleClicked, OnPlaceDoubleClicked),
      SelectAllOnFocus(kSiteBox),
      SelectAllOnFocus(kAccountBox),
      SelectAllOnFocus(kPasswordBox),
      SelectAllOnFocus(kPhoneBox),
      SelectAllOnFocus(kMailBox),
      SelectAllOnFocus(kRegisteredMailBox),
      SelectAllOnFocus(kRegisteredPhoneBox),
      SelectAllOnFocus(kPlaceBox),
      SelectAllOnFocus(kTimeBox),
      SelectAllOnFocus(kIpBox),
      On(app, kRemarksBox,   GotFocus,      OnRemarksBoxFocus),
  };
  // clang-format on
}

}  // namespace molvane
