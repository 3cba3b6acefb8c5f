#include "web/public_ip.h"

#include <cstdlib>

#include "text/text_primitives.h"
#include "web/web_request.h"
#include "web/web_text.h"

namespace molvane {

std::string PublicIpLookupUrl() {
  const char* configured = std::getenv("MOLVANE_IP_LOOKUP_URL");
  if (configured != nullptr && *configured != '\0') return configured;
  return std::string(kPublicIpLookupUrl);
}

// Only the verb is supplied: the page gets the routine's default headers,
// timeouts and certificate leniency, and no cookies.
std::string FetchPublicIp(const std::string& url) {
  const Bytes body = WebRequest({.Url = url, .Method = 0});
  const std::string page = BytesToText(body);
  return TextBetween(page, kPublicIpLeftMarker, kPublicIpRightMarker);
}

}  // namespace molvane
