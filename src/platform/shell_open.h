#pragma once
// Handing a web address to the user's default browser.

#include <string>

namespace molvane {

// Starts "xdg-open" with `address` (GBK bytes, passed on as UTF-8) as its one
// argument, found on PATH and run directly, never through a shell, so no
// character of the address is interpreted. Returns at once without waiting
// for the browser; whether it opens is not reported. An address holding a
// zero byte is not handed over, as it would arrive cut short.
void OpenInBrowser(const std::string& address);

}  // namespace molvane
