// Molvane's entry point: the real toolkit, the operating system's services
// and the main window's form with its event table.

#include "app/default_services.h"
#include "app/startup.h"
#include "toolkit/toolkit.h"
#include "ui/main_window_bindings.h"
#include "ui/main_window_form.h"

int main() {
  const auto toolkit = molvane::toolkit::MakeToolkit();
  return molvane::StartProgram(*toolkit, molvane::DefaultServices(), molvane::kMainWindowForm,
                               molvane::BindMainWindow);
}
