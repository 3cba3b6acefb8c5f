#pragma once
// The computer's public IP address, as an IP-lookup page shows it. The page
// is fetched with a plain GET and the address cut out of its markup; the
// window code decides what the user sees when nothing is found.

#include <string>
#include <string_view>

namespace molvane {

// The lookup page used when MOLVANE_IP_LOOKUP_URL is not set. Its HTML holds
// the caller's address between kPublicIpLeftMarker and kPublicIpRightMarker.
inline constexpr std::string_view kPublicIpLookupUrl = "https://ip.chinaz.com/ip.html";

inline constexpr std::string_view kPublicIpLeftMarker =
    "IP: <span style=\"color: rgb(243, 102, 102);\">";
inline constexpr std::string_view kPublicIpRightMarker = "</span></th>";

// The address of the lookup page: MOLVANE_IP_LOOKUP_URL when it is set and
// not empty (a service that moved, or a test page), else kPublicIpLookupUrl.
[[nodiscard]] std::string PublicIpLookupUrl();

// GETs `url` with the request defaults and gives the text between the
// markers, unchanged (neither checked to be an address nor trimmed); "" when
// the request fails, the page is cut short by a zero byte before the
// markers, or the markers (matched case-sensitively) are not there.
[[nodiscard]] std::string FetchPublicIp(const std::string& url);

}  // namespace molvane
