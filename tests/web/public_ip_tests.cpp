// Which page the public IP lookup asks and what it sends there. What it
// cuts out of the page is checked through the button, in the window tests.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/scoped_environment.h"
#include "web/loopback_server.h"
#include "web/public_ip.h"

namespace molvane {
namespace {

constexpr const char* kUrlVariable = "MOLVANE_IP_LOOKUP_URL";

using testing::ScopedEnvironment;

TEST(PublicIpLookupUrl, TheVariableReplacesTheBuiltInPageUnlessUnsetOrEmpty) {
  const std::string built_in(kPublicIpLookupUrl);
  EXPECT_TRUE(built_in.starts_with("https://"));
  EXPECT_TRUE(built_in.ends_with("/ip.html"));
  {
    ScopedEnvironment unset(kUrlVariable, nullptr);
    EXPECT_EQ(PublicIpLookupUrl(), built_in);
  }
  {
    ScopedEnvironment empty(kUrlVariable, "");
    EXPECT_EQ(PublicIpLookupUrl(), built_in);
  }
  {
    ScopedEnvironment moved(kUrlVariable, "https://ip.example/where/ip.html");
    EXPECT_EQ(PublicIpLookupUrl(), "https://ip.example/where/ip.html");
  }
}

// A GET with the routine's default headers and nothing else: no cookie, no
// body. The self-signed certificate of the test server does not stop it.
TEST(FetchPublicIp, SendsAPlainGetWithTheDefaultHeadersOverHttps) {
  for (const char* proxy : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
    unsetenv(proxy);
  }
  LoopbackServer server;
  ASSERT_TRUE(server.started());
  server.AddPage("ip.html",
                 "<th>IP: <span style=\"color: rgb(243, 102, 102);\">198.51.100.4"
                 "</span></th>");
  const std::string url = server.HttpsUrl("/pages/ip.html");

  EXPECT_EQ(FetchPublicIp(url), "198.51.100.4");

  const std::vector<RawRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 1U);
  EXPECT_EQ(requests[0].request_line, "GET /pages/ip.html HTTP/1.1");
  const std::string host = url.substr(std::string("https://").size(),
                                      url.find("/pages/") - std::string("https://").size());
  const std::vector<std::string> expected = {
      "Host: " + host,
      "Accept: */*",
      "Referer: " + url,
      "Accept-Language: zh-cn",
      "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)",
  };
  EXPECT_EQ(requests[0].header_lines, expected);
  EXPECT_EQ(requests[0].body, "");
}

}  // namespace
}  // namespace molvane
