#include "ui/public_ip_button.h"

#include <string_view>

#include "app/main_window_names.h"
#include "toolkit/window.h"
#include "web/public_ip.h"

namespace molvane {

namespace {

constexpr std::string_view kFailureText = "获取IP失败请重试.";

}  // namespace

// The failure text is chosen by what the box holds after the address went
// in, not by the address itself: a one-line box keeps only the text before
// a line break, and an address that leaves the box empty is no address.
void LookUpPublicIp(App& app, const toolkit::Event& event) {
  toolkit::Button& button = event.window.ButtonNamed(kIpButton);
  button.SetEnabled(false);
  toolkit::EditBox& box = event.window.Edit(kIpBox);
  box.SetText(FetchPublicIp(app.services.ip_lookup_url));
  if (box.Text().empty()) box.SetText(kFailureText);
  button.SetEnabled(true);
}

}  // namespace molvane
