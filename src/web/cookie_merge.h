#pragma once
// Folding the cookies a response set into the cookie text that was sent, so
// that one cookie text can be carried across a series of requests.

#include <string>

namespace molvane {

// Both texts lose their spaces. When `new_cookies` is not empty, its pairs
// are folded into `old_cookies` (a known name gets the new value in place,
// an unknown name is appended), pairs whose value is empty or "deleted" are
// dropped, and `old_cookies` becomes the merged text, each pair followed by
// ";". Returns `old_cookies` as it then stands.
std::string MergeCookies(std::string& old_cookies, std::string& new_cookies);

}  // namespace molvane
