#pragma once
// Which site addresses may be handed to the browser.

#include <optional>
#include <string>
#include <string_view>

namespace molvane {

// The web address to open for the text of a site-address box, or nothing when
// the text is not a web address. Blanks at the ends (ASCII white space and the
// full-width space) are ignored. Text beginning with "http://" or "https://",
// in any letter case, opens as it is; any other "scheme://" opens nothing.
// Text without "://" that looks like a path (it starts with "/", "\", "~", "."
// or a drive letter and a colon) opens nothing; any other text without "://"
// opens with "http://" put in front. Text holding a control character, or
// beginning with "-" (a launcher could take it for an option), opens nothing.
[[nodiscard]] std::optional<std::string> WebAddressToOpen(std::string_view text);

}  // namespace molvane
