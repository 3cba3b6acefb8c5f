// The routine's conversation with its request object, seen through a
// request object that records every call and plays back a canned response.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "web/web_request.h"

namespace molvane {
namespace {

constexpr const char* kUrl = "http://example.test/page";
constexpr const char* kUserAgent =
    "Header User-Agent|Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

class RecordingRequest final : public HttpRequestObject {
 public:
  std::vector<std::string> calls;
  Bytes body;
  std::string headers;
  int status = 0;

  bool SetTimeouts(int resolve, int connect, int send, int receive) override {
    calls.push_back("SetTimeouts " + std::to_string(resolve) + " " + std::to_string(connect) + " " +
                    std::to_string(send) + " " + std::to_string(receive));
    return true;
  }
  bool SetProxy(int setting, std::string_view server) override {
    calls.push_back("SetProxy " + std::to_string(setting) + " " + std::string(server));
    return true;
  }
  bool SetRequestHeader(std::string_view name, std::string_view value) override {
    calls.push_back("Header " + std::string(name) + "|" + std::string(value));
    return true;
  }
  bool Open(std::string_view verb, std::string_view url, bool async) override {
    calls.push_back("Open " + std::string(verb) + " " + std::string(url) +
                    (async ? " async" : " sync"));
    return true;
  }
  bool Option(int number, int value) override {
    calls.push_back("Option " + std::to_string(number) + " " + std::to_string(value));
    return true;
  }
  bool SendText(std::string_view text) override {
    calls.push_back("SendText " + std::string(text));
    return true;
  }
  bool SendBytes(const Bytes& bytes) override {
    calls.push_back("SendBytes " + bytes);
    return true;
  }
  [[nodiscard]] Bytes ResponseBody() const override { return body; }
  [[nodiscard]] std::string GetallResponseHeaders() const override { return headers; }
  [[nodiscard]] int Status() const override { return status; }

  // The header calls made after Open, in order.
  [[nodiscard]] std::vector<std::string> HeadersAfterOpen() const {
    std::vector<std::string> lines;
    bool opened = false;
    for (const std::string& call : calls) {
      if (call.starts_with("Open ")) opened = true;
      if (opened && call.starts_with("Header ")) lines.push_back(call);
    }
    return lines;
  }
};

class WebRequestCalls : public ::testing::Test {
 protected:
  std::shared_ptr<RecordingRequest> request = std::make_shared<RecordingRequest>();

  // The parameters of a call that uses the recording request object.
  WebRequestParameters With(WebRequestParameters parameters) {
    parameters.RequestObject = request;
    return parameters;
  }
};

TEST_F(WebRequestCalls, PlainGetMakesExactlyTheseCallsInOrder) {
  (void)WebRequest(With({.Url = kUrl, .Method = 0}));
  const std::vector<std::string> expected = {
      "SetTimeouts 15000 15000 15000 15000",
      std::string("Open GET ") + kUrl + " sync",
      "Option 4 " + std::to_string(0x3300),
      "Header Accept|*/*",
      std::string("Header Referer|") + kUrl,
      "Header Accept-Language|zh-cn",
      kUserAgent,
      "SendText ",
  };
  EXPECT_EQ(request->calls, expected);
}

TEST_F(WebRequestCalls, PostAddsContentTypeAndNoRedirectSwitchesRedirectsOff) {
  (void)WebRequest(With({.Url = kUrl, .Method = 1, .SendText = "a=1", .NoRedirect = true}));
  const std::vector<std::string> expected = {
      "SetTimeouts 15000 15000 15000 15000",
      std::string("Open POST ") + kUrl + " sync",
      "Option 6 0",
      "Option 4 " + std::to_string(0x3300),
      "Header Accept|*/*",
      std::string("Header Referer|") + kUrl,
      "Header Accept-Language|zh-cn",
      kUserAgent,
      "Header Content-Type|application/x-www-form-urlencoded",
      "SendText a=1",
  };
  EXPECT_EQ(request->calls, expected);
}

TEST_F(WebRequestCalls, MethodTableWithOutOfRangeMeaningGet) {
  const std::vector<std::pair<std::optional<int>, std::string>> cases = {
      {std::nullopt, "GET"}, {0, "GET"},   {1, "POST"},    {2, "HEAD"}, {3, "PUT"}, {4, "OPTIONS"},
      {5, "DELETE"},         {6, "TRACE"}, {7, "CONNECT"}, {8, "GET"},  {9, "GET"}, {-1, "GET"},
      {INT_MIN, "GET"},
  };
  for (const auto& [method, verb] : cases) {
    request->calls.clear();
    (void)WebRequest(With({.Url = kUrl, .Method = method}));
    EXPECT_EQ(request->calls.at(1), "Open " + verb + " " + kUrl + " sync") << verb;
  }
}

TEST_F(WebRequestCalls, Timeouts) {
  const std::vector<std::pair<std::optional<int>, std::string>> cases = {
      {std::nullopt, "SetTimeouts 15000 15000 15000 15000"},
      {0, "SetTimeouts 15000 15000 15000 15000"},
      {-5, "SetTimeouts 15000 15000 15000 15000"},
      {1, "SetTimeouts 1000 1000 1000 1000"},
      {30, "SetTimeouts 30000 30000 30000 30000"},
      // Held at the largest timeout instead of overflowing.
      {INT_MAX, "SetTimeouts 2147483647 2147483647 2147483647 2147483647"},
      {-1, "Open GET http://example.test/page sync"},  // no SetTimeouts call at all
  };
  for (const auto& [seconds, first_call] : cases) {
    request->calls.clear();
    (void)WebRequest(With({.Url = kUrl, .TimeoutSeconds = seconds}));
    EXPECT_EQ(request->calls.front(), first_call) << seconds.value_or(999);
  }
}

TEST_F(WebRequestCalls, ProxyAndItsCredentialsComeBeforeOpen) {
  struct Case {
    const char* name;
    WebRequestParameters parameters;
    std::vector<std::string> calls_before_open;
  };
  const std::string credentials = "Header Proxy-Authorization|Basic dXNlcjpwYXNz";  // user:pass
  const std::vector<Case> cases = {
      {"address and user",
       {.Url = kUrl, .ProxyAddress = "proxy:8080", .ProxyUser = "user", .ProxyPassword = "pass"},
       {"SetProxy 2 proxy:8080", credentials}},
      {"auth mode 1 given",
       {.Url = kUrl,
        .ProxyAddress = "proxy:8080",
        .ProxyUser = "user",
        .ProxyPassword = "pass",
        .ProxyAuthMode = 1},
       {"SetProxy 2 proxy:8080", credentials}},
      {"user without password",
       {.Url = kUrl, .ProxyAddress = "p:1", .ProxyUser = "u"},
       {"SetProxy 2 p:1", "Header Proxy-Authorization|Basic dTo="}},
      {"auth mode 0",
       {.Url = kUrl,
        .ProxyAddress = "proxy:8080",
        .ProxyUser = "user",
        .ProxyPassword = "pass",
        .ProxyAuthMode = 0},
       {"SetProxy 2 proxy:8080"}},
      {"no user", {.Url = kUrl, .ProxyAddress = "proxy:8080"}, {"SetProxy 2 proxy:8080"}},
      {"user without address", {.Url = kUrl, .ProxyUser = "user", .ProxyPassword = "pass"}, {}},
  };
  for (const Case& c : cases) {
    request->calls.clear();
    WebRequestParameters parameters = c.parameters;
    parameters.TimeoutSeconds = -1;
    (void)WebRequest(With(parameters));
    std::vector<std::string> before_open;
    for (const std::string& call : request->calls) {
      if (call.starts_with("Open ")) break;
      before_open.push_back(call);
    }
    EXPECT_EQ(before_open, c.calls_before_open) << c.name;
  }
}

TEST_F(WebRequestCalls, HeaderTextCompletionAndTheLinesSet) {
  struct Case {
    const char* name;
    int method;
    std::string headers;
    std::string completed;
    std::vector<std::string> header_calls;
  };
  const std::string referer = std::string("Referer: ") + kUrl;
  const std::string defaults_after_accept = "\r\n" + referer +
                                            "\r\nAccept-Language: zh-cn"
                                            "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; "
                                            "Windows NT 6.1)";
  const std::string referer_call = std::string("Header Referer|") + kUrl;
  const std::vector<std::string> default_calls_after_accept = {
      referer_call, "Header Accept-Language|zh-cn", kUserAgent};
  const auto calls = [&](std::vector<std::string> first) {
    first.insert(first.end(), default_calls_after_accept.begin(), default_calls_after_accept.end());
    return first;
  };
  const std::vector<Case> cases = {
      {"caller's Content-Type on a POST", 1, "Content-Type: text/plain",
       "Content-Type: text/plain\r\nAccept: */*" + defaults_after_accept,
       calls({"Header Content-Type|text/plain", "Header Accept|*/*"})},
      {"lower-case accept does not count", 0, "accept: text/html",
       "accept: text/html\r\nAccept: */*" + defaults_after_accept,
       calls({"Header accept|text/html", "Header Accept|*/*"})},
      {"a name ending in Referer counts",
       0,
       "X-Referer: me",
       "X-Referer: me\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nUser-Agent: Mozilla/4.0 "
       "(compatible; MSIE 9.0; Windows NT 6.1)",
       {"Header X-Referer|me", "Header Accept|*/*", "Header Accept-Language|zh-cn", kUserAgent}},
      {"empty lines are skipped", 0, "A: 1\r\n\r\nB: 2\r\n",
       "A: 1\r\n\r\nB: 2\r\n\r\nAccept: */*" + defaults_after_accept,
       calls({"Header A|1", "Header B|2", "Header Accept|*/*"})},
      {"a bare LF does not separate", 0, "A: 1\nB: 2",
       "A: 1\nB: 2\r\nAccept: */*" + defaults_after_accept,
       calls({"Header A|1\nB: 2", "Header Accept|*/*"})},
      {"a line without colon goes on empty", 0, "junk",
       "junk\r\nAccept: */*" + defaults_after_accept, calls({"Header |", "Header Accept|*/*"})},
      {"all defaults present: one line",
       0,
       "Accept:Referer:Accept-Language:User-Agent: x",
       "Accept:Referer:Accept-Language:User-Agent: x",
       {"Header Accept|Referer:Accept-Language:User-Agent: x"}},
  };
  for (const Case& c : cases) {
    request->calls.clear();
    std::string headers = c.headers;
    (void)WebRequest(With({.Url = kUrl, .Method = c.method, .Headers = &headers}));
    EXPECT_EQ(headers, c.completed) << c.name;
    EXPECT_EQ(request->HeadersAfterOpen(), c.header_calls) << c.name;
  }
}

TEST_F(WebRequestCalls, CookieHeaderComesBeforeTheCallersLines) {
  std::string cookies = "a=1; b=2";
  std::string headers = "Cookie: c=3";
  (void)WebRequest(With({.Url = kUrl, .SendCookies = &cookies, .Headers = &headers}));
  const std::vector<std::string> lines = request->HeadersAfterOpen();
  ASSERT_GE(lines.size(), 2U);
  EXPECT_EQ(lines[0], "Header Cookie|a=1; b=2");
  EXPECT_EQ(lines[1], "Header Cookie|c=3");
}

TEST_F(WebRequestCalls, ByteBodyIsPreferredOverTextBody) {
  const Bytes zero_inside("x\0y", 3);
  (void)WebRequest(With({.Url = kUrl, .SendText = "text", .SendBytes = zero_inside}));
  EXPECT_EQ(request->calls.back(), "SendBytes " + zero_inside);
  (void)WebRequest(With({.Url = kUrl, .SendText = "text", .SendBytes = Bytes()}));
  EXPECT_EQ(request->calls.back(), "SendText text");
}

TEST_F(WebRequestCalls, ResponseIsReadWithEverySetCookieSpelledAlike) {
  request->body = Bytes("a\0b", 3);
  request->status = 404;
  request->headers =
      "Content-Type: text/html\r\nset-cookie: a=1; Path=/\r\nSET-COOKIE:b=2\r\n"
      "X-Note: sEt-CoOkIe ahead\r\nSet-Cookie:  c = 3 ; HttpOnly";
  std::string response_headers;
  std::string returned = "stale";
  int status = -7;
  const Bytes body = WebRequest(With({.Url = kUrl,
                                      .ReturnedCookies = &returned,
                                      .ResponseHeaders = &response_headers,
                                      .StatusCode = &status}));
  EXPECT_EQ(body, request->body);
  EXPECT_EQ(status, 404);
  EXPECT_EQ(response_headers,
            "Content-Type: text/html\r\nSet-Cookie: a=1; Path=/\r\nSet-Cookie:b=2\r\n"
            "X-Note: Set-Cookie ahead\r\nSet-Cookie:  c = 3 ; HttpOnly");
  // The X-Note line mentions the name, so it is taken whole as a cookie.
  EXPECT_EQ(returned, "a=1; b=2; X-Note: Set-Cookie ahead; c = 3");
}

TEST_F(WebRequestCalls, NoSetCookieGivesNoCookies) {
  request->headers = "Content-Type: text/html\r\nContent-Length: 0";
  std::string returned = "stale";
  (void)WebRequest(With({.Url = kUrl, .ReturnedCookies = &returned}));
  EXPECT_EQ(returned, "");
}

TEST_F(WebRequestCalls, MergeRunsOnlyWhenSendCookiesIsSupplied) {
  request->headers = "Set-Cookie: a=9; Path=/\r\nSet-Cookie: n=1";
  struct Case {
    const char* name;
    std::optional<std::string> send_cookies;  // nullopt: not supplied
    std::optional<bool> auto_merge;
    std::string returned;
    std::string send_after;
  };
  const std::vector<Case> cases = {
      {"supplied empty", "", std::nullopt, "a=9;n=1;", "a=9;n=1;"},
      {"supplied", "a=1; k=2", std::nullopt, "a=9;k=2;n=1;", "a=9;k=2;n=1;"},
      {"merge switched on", "k=2", true, "k=2;a=9;n=1;", "k=2;a=9;n=1;"},
      {"merge switched off", "a=1; k=2", false, "a=9; n=1", "a=1; k=2"},
      {"not supplied", std::nullopt, std::nullopt, "a=9; n=1", ""},
  };
  for (const Case& c : cases) {
    std::string send_cookies = c.send_cookies.value_or("");
    std::string returned;
    (void)WebRequest(With({.Url = kUrl,
                           .SendCookies = c.send_cookies ? &send_cookies : nullptr,
                           .ReturnedCookies = &returned,
                           .AutoMergeCookies = c.auto_merge}));
    EXPECT_EQ(returned, c.returned) << c.name;
    EXPECT_EQ(send_cookies, c.send_after) << c.name;
  }
}

TEST(WebRequest, SuppliedEmptyRequestObjectGivesEmptyResults) {
  std::string headers;
  std::string send_cookies = " a=1; b = 2";
  std::string returned = "stale";
  std::string response_headers = "stale";
  int status = 200;
  const Bytes body = WebRequest({.Url = kUrl,
                                 .SendCookies = &send_cookies,
                                 .ReturnedCookies = &returned,
                                 .Headers = &headers,
                                 .ResponseHeaders = &response_headers,
                                 .StatusCode = &status,
                                 .RequestObject = std::shared_ptr<HttpRequestObject>()});
  EXPECT_EQ(body, "");
  EXPECT_EQ(response_headers, "");
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(headers.starts_with("Accept: */*\r\nReferer: ")) << headers;
  // With nothing returned the merge only takes the spaces out.
  EXPECT_EQ(returned, "a=1;b=2");
  EXPECT_EQ(send_cookies, "a=1;b=2");
}

}  // namespace
}  // namespace molvane
