#include "ui/field_conveniences.h"

#include <optional>
#include <string>

#include "app/main_window_names.h"
#include "toolkit/window.h"
#include "ui/format_date_time.h"
#include "ui/site_address.h"

namespace molvane {

namespace {

constexpr std::string_view kPlaceText = "山东省枣庄市薛城区";

}  // namespace

toolkit::Binding SelectAllOnFocus(std::string_view box) {
  return {std::string(box), toolkit::EventKind::GotFocus,
          [name = std::string(box)](const toolkit::Event& event) {
            event.window.Edit(name).SelectAll();
          }};
}

// The box's read-only state is not consulted: while an entry is viewed the
// text shows until the next entry is loaded and is stored only by a Save.
void OnPlaceDoubleClicked(App& /*app*/, const toolkit::Event& event) {
  event.window.Edit(kPlaceBox).SetText(kPlaceText);
}

// The picture's hour is the 12-hour one; the 24-hour flag forces 00 to 23.
void OnTimeClicked(App& app, const toolkit::Event& event) {
  event.window.Edit(kTimeBox).SetText(
      FormatDateTime(app.services.now(), "yyyy-MM-dd", " hh:mm", true));
}

// Only while the boxes are read-only (an entry viewed, or a new one
// cancelled), never while an entry is typed. The text is checked first: a
// path or any scheme other than http and https would have the system run or
// open something other than a web page.
void OnSiteLabelDoubleClicked(App& app, const toolkit::Event& event) {
  const toolkit::EditBox& site = event.window.Edit(kSiteBox);
  const std::string text = site.Text();
  if (text.empty() || !site.ReadOnly()) return;
  const std::optional<std::string> address = WebAddressToOpen(text);
  if (address && app.services.open_address) app.services.open_address(*address);
}

}  // namespace molvane
