// What WebRequest and the request object put on the wire and read back,
// checked against real HTTP and HTTPS servers on the loopback interface.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "web/loopback_server.h"
#include "web/web_request.h"

namespace molvane {
namespace {

constexpr const char* kUserAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

class WebRequestWire : public ::testing::Test {
 protected:
  void SetUp() override {
    // Loopback requests must not wander off to a proxy of the environment.
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
      unsetenv(name);
    }
    ASSERT_TRUE(server.started());
  }

  // The single request the server has read.
  RawRequest OnlyRequest() const {
    const std::vector<RawRequest> requests = server.Requests();
    EXPECT_EQ(requests.size(), 1U);
    return requests.empty() ? RawRequest{} : requests.back();
  }

  // The default header lines behind the caller's lines, for `url`.
  static std::vector<std::string> Defaults(const std::string& url) {
    return {"Accept: */*", "Referer: " + url, "Accept-Language: zh-cn", kUserAgent};
  }

  LoopbackServer server;
};

TEST_F(WebRequestWire, GetSendsTheDefaultHeadersAndReadsTheResponse) {
  const std::string url = server.HttpUrl("/page");
  std::string response_headers;
  int status = 0;
  const Bytes body = WebRequest(
      {.Url = url, .Method = 0, .ResponseHeaders = &response_headers, .StatusCode = &status});
  EXPECT_EQ(body, "hello");
  EXPECT_EQ(status, 200);
  EXPECT_EQ(response_headers, "Content-Type: text/plain\r\nContent-Length: 5");

  const RawRequest request = OnlyRequest();
  EXPECT_EQ(request.request_line, "GET /page HTTP/1.1");
  std::vector<std::string> expected = {server.HostLine()};
  for (const std::string& line : Defaults(url)) expected.push_back(line);
  EXPECT_EQ(request.header_lines, expected);
  EXPECT_EQ(request.body, "");
}

// Each row: what the caller gives, and the request the server must read.
struct WireCase {
  const char* name;
  int method;
  std::string headers;
  std::string send_cookies;
  std::string send_text;
  Bytes send_bytes;
  std::string request_line;
  std::vector<std::string> lines_before_defaults;  // behind Host
  std::vector<std::string> lines_after_defaults;
  std::string body;
};

TEST_F(WebRequestWire, HeaderLinesAndBodiesOnTheWire) {
  const std::string form_type = "Content-Type: application/x-www-form-urlencoded";
  const Bytes binary("\x01\x00\xff", 3);
  const Bytes large(2 * 1024 * 1024, 'x');  // big enough for curl to think of "Expect"
  // clang-format off
  const std::vector<WireCase> cases = {
      {"POST with a text body", 1, "", "", "a=1&b=2", "",
       "POST /form HTTP/1.1", {}, {form_type, "Content-Length: 7"}, "a=1&b=2"},
      {"POST with an empty body", 1, "", "", "", "",
       "POST /form HTTP/1.1", {}, {form_type, "Content-Length: 0"}, ""},
      {"caller's Content-Type, byte body wins", 1, "Content-Type: application/json", "",
       "ignored", binary,
       "POST /form HTTP/1.1", {"Content-Type: application/json"}, {"Content-Length: 3"}, binary},
      {"large body, no Expect line", 1, "", "", "", large,
       "POST /form HTTP/1.1", {}, {form_type, "Content-Length: 2097152"}, large},
      {"GBK text body goes out as its bytes", 3, "", "", "名=值", "",
       "PUT /form HTTP/1.1", {}, {"Content-Length: 5"}, "名=值"},
      {"lower-case accept", 0, "accept: text/html", "", "", "",
       "GET /form HTTP/1.1", {"accept: text/html"}, {}, ""},
      {"method out of range", 9, "", "", "", "", "GET /form HTTP/1.1", {}, {}, ""},
      {"negative method", -1, "", "", "", "", "GET /form HTTP/1.1", {}, {}, ""},
      {"DELETE without body", 5, "", "", "", "", "DELETE /form HTTP/1.1", {}, {}, ""},
      {"cookie before the caller's lines", 0, "X-First: 1\r\nCookie: c=3", "a=1; b=2", "", "",
       "GET /form HTTP/1.1", {"Cookie: a=1; b=2", "X-First: 1", "Cookie: c=3"}, {}, ""},
  };
  // clang-format on
  const std::string url = server.HttpUrl("/form");
  size_t seen = 0;
  for (const WireCase& c : cases) {
    std::string headers = c.headers;
    std::string cookies = c.send_cookies;
    int status = 0;
    (void)WebRequest({.Url = url,
                      .Method = c.method,
                      .SendText = c.send_text,
                      .SendCookies = &cookies,
                      .Headers = &headers,
                      .StatusCode = &status,
                      .SendBytes = c.send_bytes});
    EXPECT_EQ(status, 200) << c.name;
    const std::vector<RawRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), seen + 1) << c.name;
    seen = requests.size();
    const RawRequest& request = requests.back();
    std::vector<std::string> expected = {server.HostLine()};
    expected.insert(expected.end(), c.lines_before_defaults.begin(), c.lines_before_defaults.end());
    for (const std::string& line : Defaults(url)) expected.push_back(line);
    expected.insert(expected.end(), c.lines_after_defaults.begin(), c.lines_after_defaults.end());
    EXPECT_EQ(request.request_line, c.request_line) << c.name;
    EXPECT_EQ(request.header_lines, expected) << c.name;
    EXPECT_EQ(request.body, c.body) << c.name;
  }
}

TEST_F(WebRequestWire, CustomRefererHeaderReplacesTheDefaultReferer) {
  const std::string url = server.HttpUrl("/page");
  std::string headers = "X-Referer: me";
  (void)WebRequest({.Url = url, .Headers = &headers});
  const std::vector<std::string> expected = {server.HostLine(), "X-Referer: me", "Accept: */*",
                                             "Accept-Language: zh-cn", kUserAgent};
  EXPECT_EQ(OnlyRequest().header_lines, expected);
}

TEST_F(WebRequestWire, SetCookieHeadersInAnyCaseGiveTheirPairs) {
  std::string response_headers;
  std::string returned;
  const Bytes body = WebRequest({.Url = server.HttpUrl("/cookies"),
                                 .ReturnedCookies = &returned,
                                 .ResponseHeaders = &response_headers});
  EXPECT_EQ(body, "cookies");
  EXPECT_EQ(response_headers,
            "Set-Cookie: a=1; Path=/\r\n"
            "Set-Cookie: B=two; Expires=Wed, 21 Oct 2037 07:28:00 GMT; HttpOnly\r\n"
            "Set-Cookie: gone=deleted; Path=/\r\n"
            "Content-Length: 7");
  EXPECT_EQ(returned, "a=1; B=two; gone=deleted");
}

TEST_F(WebRequestWire, ReturnedCookiesAreMergedIntoTheSentOnes) {
  std::string cookies = "a=0; keep=yes; gone=x";
  std::string returned;
  (void)WebRequest(
      {.Url = server.HttpUrl("/cookies"), .SendCookies = &cookies, .ReturnedCookies = &returned});
  EXPECT_EQ(returned, "a=1;keep=yes;B=two;");
  EXPECT_EQ(cookies, "a=1;keep=yes;B=two;");
  EXPECT_EQ(OnlyRequest().header_lines.at(1), "Cookie: a=0; keep=yes; gone=x");
}

TEST_F(WebRequestWire, RedirectsFollowedAndNot) {
  std::string response_headers;
  int status = 0;
  Bytes body = WebRequest({.Url = server.HttpUrl("/redirect"),
                           .ResponseHeaders = &response_headers,
                           .StatusCode = &status});
  EXPECT_EQ(body, "final");
  EXPECT_EQ(status, 200);
  EXPECT_EQ(response_headers, "X-Step: final\r\nContent-Length: 5");
  std::vector<RawRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2U);
  EXPECT_EQ(requests[1].request_line, "GET /final HTTP/1.1");

  body = WebRequest({.Url = server.HttpUrl("/redirect"),
                     .ResponseHeaders = &response_headers,
                     .StatusCode = &status,
                     .NoRedirect = true});
  EXPECT_EQ(body, "moved");
  EXPECT_EQ(status, 302);
  EXPECT_EQ(response_headers, "Location: /final\r\nX-Step: redirect\r\nContent-Length: 5");
  EXPECT_EQ(server.Requests().size(), 3U);
}

TEST_F(WebRequestWire, ErrorStatusKeepsItsBody) {
  int status = 0;
  const Bytes body = WebRequest({.Url = server.HttpUrl("/missing"), .StatusCode = &status});
  EXPECT_EQ(status, 404);
  EXPECT_EQ(body, "no such page");
}

TEST_F(WebRequestWire, BodyWithZeroBytesComesBackWhole) {
  EXPECT_EQ(WebRequest({.Url = server.HttpUrl("/binary")}), Bytes("a\0b\xff", 4));
}

// The failures: every result empty, nothing thrown.
struct Outcome {
  Bytes body = "stale";
  std::string response_headers = "stale";
  std::string returned = "stale";
  int status = -1;
  std::chrono::milliseconds took{};
};

Outcome RequestAndTime(const std::string& url, int timeout_seconds) {
  Outcome outcome;
  const auto start = std::chrono::steady_clock::now();
  outcome.body = WebRequest({.Url = url,
                             .ReturnedCookies = &outcome.returned,
                             .ResponseHeaders = &outcome.response_headers,
                             .StatusCode = &outcome.status,
                             .TimeoutSeconds = timeout_seconds});
  outcome.took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  return outcome;
}

void ExpectEmpty(const Outcome& outcome) {
  EXPECT_EQ(outcome.body, "");
  EXPECT_EQ(outcome.response_headers, "");
  EXPECT_EQ(outcome.returned, "");
  EXPECT_EQ(outcome.status, 0);
}

TEST_F(WebRequestWire, ServerThatNeverAnswersGivesEmptyResultsAfterTheTimeout) {
  const Outcome outcome = RequestAndTime(server.HttpUrl("/silent"), 1);
  ExpectEmpty(outcome);
  EXPECT_GE(outcome.took.count(), 900);
  EXPECT_LT(outcome.took.count(), 8000);
  EXPECT_EQ(OnlyRequest().request_line, "GET /silent HTTP/1.1");
}

TEST_F(WebRequestWire, UnreachablePortGivesEmptyResults) {
  const RefusingPort refusing;
  ASSERT_NE(refusing.port(), 0);
  const Outcome outcome =
      RequestAndTime("http://127.0.0.1:" + std::to_string(refusing.port()) + "/page", 5);
  ExpectEmpty(outcome);
  EXPECT_LT(outcome.took.count(), 4000);
}

TEST_F(WebRequestWire, HttpsWithSelfSignedCertificate) {
  const std::string url = server.HttpsUrl("/cookies");
  std::string returned;
  int status = 0;
  const Bytes body = WebRequest({.Url = url, .ReturnedCookies = &returned, .StatusCode = &status});
  EXPECT_EQ(status, 200);
  EXPECT_EQ(body, "cookies");
  EXPECT_EQ(returned, "a=1; B=two; gone=deleted");
  std::vector<std::string> expected = {"Host: " + url.substr(8, url.find('/', 8) - 8)};
  for (const std::string& line : Defaults(url)) expected.push_back(line);
  EXPECT_EQ(OnlyRequest().header_lines, expected);
}

TEST_F(WebRequestWire, ProxyGetsTheRequestAndTheCredentials) {
  const std::string proxy = "127.0.0.1:" + std::to_string(server.http_port());
  const std::string url = "http://proxied.test/page";
  const Bytes body =
      WebRequest({.Url = url, .ProxyAddress = proxy, .ProxyUser = "user", .ProxyPassword = "pass"});
  EXPECT_EQ(body, "hello");
  (void)WebRequest({.Url = url,
                    .ProxyAddress = proxy,
                    .ProxyUser = "user",
                    .ProxyPassword = "pass",
                    .ProxyAuthMode = 0});
  const std::vector<RawRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2U);
  std::vector<std::string> expected = {"Host: proxied.test"};
  for (const std::string& line : Defaults(url)) expected.push_back(line);
  EXPECT_EQ(requests[1].request_line, "GET http://proxied.test/page HTTP/1.1");
  EXPECT_EQ(requests[1].header_lines, expected);
  expected.push_back("Proxy-Authorization: Basic dXNlcjpwYXNz");
  EXPECT_EQ(requests[0].header_lines, expected);
}

TEST_F(WebRequestWire, CallersRequestObjectServesOneRequestAfterAnother) {
  const std::shared_ptr<HttpRequestObject> object = CreateHttpRequestObject();
  ASSERT_NE(object, nullptr);
  std::string headers = "X-First: 1";
  int status = 0;
  (void)WebRequest({.Url = server.HttpUrl("/missing"),
                    .Headers = &headers,
                    .StatusCode = &status,
                    .RequestObject = object});
  EXPECT_EQ(status, 404);

  std::string response_headers;
  const Bytes body = WebRequest({.Url = server.HttpsUrl("/cookies"),
                                 .ResponseHeaders = &response_headers,
                                 .StatusCode = &status,
                                 .RequestObject = object});
  EXPECT_EQ(status, 200);
  EXPECT_EQ(body, "cookies");
  EXPECT_TRUE(response_headers.starts_with("Set-Cookie: a=1")) << response_headers;

  // Still the caller's to use, and the first request's lines are gone.
  ASSERT_TRUE(object->Open("GET", server.HttpUrl("/final")));
  ASSERT_TRUE(object->SendText(""));
  EXPECT_EQ(object->Status(), 200);
  EXPECT_EQ(object->ResponseBody(), "final");
  const std::vector<RawRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 3U);
  EXPECT_EQ(requests[0].header_lines.at(1), "X-First: 1");
  EXPECT_EQ(requests[1].header_lines.size(), 5U);
  EXPECT_EQ(requests[2].header_lines, std::vector<std::string>{server.HostLine()});
}

// The request object's own rules, beyond what WebRequest asks of it.
TEST_F(WebRequestWire, CertificateErrorsAreIgnoredOnlyAsTheOptionSays) {
  // The certificate is self-signed and names "localhost", not 127.0.0.1.
  struct Case {
    int ignored;
    bool succeeds;
  };
  const std::vector<Case> cases = {
      {0, false},
      {HttpRequestObject::kIgnoreInvalidCommonName, false},
      {HttpRequestObject::kIgnoreUnknownAuthority | HttpRequestObject::kIgnoreWrongUsage |
           HttpRequestObject::kIgnoreInvalidDate,
       false},
      {0x3300, true},
  };
  for (const Case& c : cases) {
    const std::shared_ptr<HttpRequestObject> object = CreateHttpRequestObject();
    ASSERT_TRUE(object->Open("GET", server.HttpsUrl("/page")));
    ASSERT_TRUE(object->Option(HttpRequestObject::kOptionIgnoreCertificateErrors, c.ignored));
    EXPECT_EQ(object->SendText(""), c.succeeds) << c.ignored;
    EXPECT_EQ(object->Status(), c.succeeds ? 200 : 0) << c.ignored;
    EXPECT_EQ(object->ResponseBody(), c.succeeds ? "hello" : "") << c.ignored;
  }
}

TEST_F(WebRequestWire, RequestObjectRefusesUnsafeHeadersAndSendsOnlyWhatWasSet) {
  const std::shared_ptr<HttpRequestObject> object = CreateHttpRequestObject();
  EXPECT_FALSE(object->SendText("")) << "nothing opened yet";
  EXPECT_TRUE(object->SetRequestHeader("X-Before-Open", "kept"));
  ASSERT_TRUE(object->Open("HEAD", server.HttpUrl("/page")));
  EXPECT_FALSE(object->SetRequestHeader("X-Injected", "1\r\nEvil: 2"));
  EXPECT_FALSE(object->SetRequestHeader("X-Bare-LF", "1\nEvil: 2"));
  EXPECT_FALSE(object->SetRequestHeader("Bad:Name", "1"));
  EXPECT_FALSE(object->SetRequestHeader("", ""));
  EXPECT_TRUE(object->SetRequestHeader("X-Empty", ""));
  EXPECT_FALSE(object->Open("GET", server.HttpUrl("/page"), /*async=*/true));
  EXPECT_FALSE(object->Option(99, 1));
  ASSERT_TRUE(object->SendText(""));
  EXPECT_EQ(object->Status(), 200);
  EXPECT_EQ(object->ResponseBody(), "");
  EXPECT_EQ(object->GetallResponseHeaders(), "Content-Type: text/plain\r\nContent-Length: 5");
  const RawRequest request = OnlyRequest();
  EXPECT_EQ(request.request_line, "HEAD /page HTTP/1.1");
  const std::vector<std::string> expected = {server.HostLine(), "X-Before-Open: kept", "X-Empty:"};
  EXPECT_EQ(request.header_lines, expected);
}

TEST_F(WebRequestWire, OnlyHttpAndHttpsAreFetched) {
  const std::shared_ptr<HttpRequestObject> object = CreateHttpRequestObject();
  ASSERT_TRUE(object->Open("GET", "file:///etc/hostname"));
  EXPECT_FALSE(object->SendText(""));
  EXPECT_EQ(object->ResponseBody(), "");
}

}  // namespace
}  // namespace molvane
