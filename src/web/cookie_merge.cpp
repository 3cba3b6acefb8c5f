#include "web/cookie_merge.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "text/text_primitives.h"
#include "web/web_text.h"

namespace molvane {

namespace {

struct CookiePair {
  std::string name;
  std::string value;
};

// The pairs of a cookie text in their order; repeated names stay repeated.
std::vector<CookiePair> ParseCookies(std::string_view cookies) {
  std::vector<CookiePair> pairs;
  for (const std::string& piece : SplitText(cookies, ";")) {
    pairs.push_back({CookieName(piece), CookieValue(piece)});
  }
  return pairs;
}

}  // namespace

std::string MergeCookies(std::string& old_cookies, std::string& new_cookies) {
  old_cookies = RemoveSpaces(old_cookies);
  new_cookies = RemoveSpaces(new_cookies);
  // Nothing was set: the old text stays as it is, empty or deleted pairs too.
  if (new_cookies.empty()) return old_cookies;

  std::vector<CookiePair> merged = ParseCookies(old_cookies);
  for (CookiePair& fresh : ParseCookies(new_cookies)) {
    // Only the first pair of a name is updated; appended pairs are looked up
    // too, so of several new pairs with one name the last value wins.
    const auto known = std::find_if(merged.begin(), merged.end(),
                                    [&](const CookiePair& p) { return p.name == fresh.name; });
    if (known != merged.end()) {
      known->value = std::move(fresh.value);
    } else {
      merged.push_back(std::move(fresh));
    }
  }

  std::string result;
  for (const CookiePair& pair : merged) {
    if (pair.name.empty() || pair.value.empty() || pair.value == "deleted") continue;
    result += pair.name + "=" + pair.value + ";";
  }
  old_cookies = std::move(result);
  return old_cookies;
}

}  // namespace molvane
