#include "web/web_request.h"

#include <array>
#include <climits>
#include <string_view>

#include "web/cookie_merge.h"
#include "web/web_text.h"

namespace molvane {
namespace {

constexpr std::array<std::string_view, 8> kVerbs = {"GET",     "POST",   "HEAD",  "PUT",
                                                    "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kDefaultTimeoutMs = 15000;
constexpr int kIgnoredCertificateErrors =
    HttpRequestObject::kIgnoreUnknownAuthority | HttpRequestObject::kIgnoreWrongUsage |
    HttpRequestObject::kIgnoreInvalidCommonName | HttpRequestObject::kIgnoreInvalidDate;

// Stands in for a request object the caller supplied empty: every
// operation fails, so the exchange ends with empty results.
class AbsentRequestObject final : public HttpRequestObject {
 public:
  bool SetTimeouts(int, int, int, int) override { return false; }
  bool SetProxy(int, std::string_view) override { return false; }
  bool SetRequestHeader(std::string_view, std::string_view) override { return false; }
  bool Open(std::string_view, std::string_view, bool) override { return false; }
  bool Option(int, int) override { return false; }
  bool SendText(std::string_view) override { return false; }
  bool SendBytes(const Bytes&) override { return false; }
  [[nodiscard]] Bytes ResponseBody() const override { return {}; }
  [[nodiscard]] std::string GetallResponseHeaders() const override { return {}; }
  [[nodiscard]] int Status() const override { return 0; }
};

// Seconds to milliseconds, held within the range of the request object's
// timeouts instead of overflowing.
int TimeoutMs(int seconds) {
  if (seconds <= 0) return kDefaultTimeoutMs;
  return seconds > INT_MAX / 1000 ? INT_MAX : seconds * 1000;
}

// Appends each default header that the text does not hold yet, tested
// case-sensitively anywhere in the text, in this order.
void CompleteHeaders(std::string& headers, std::string_view url, std::string_view verb) {
  const auto add_unless_present = [&headers](std::string_view present_when,
                                             const std::string& line) {
    if (FindText(headers, present_when) != -1) return;
    if (!headers.empty()) headers += "\r\n";
    headers += line;
  };
  add_unless_present("Accept:", "Accept: */*");
  add_unless_present("Referer:", "Referer: " + std::string(url));
  add_unless_present("Accept-Language:", "Accept-Language: zh-cn");
  add_unless_present("User-Agent:",
                     "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  if (verb == "POST") {
    add_unless_present("Content-Type:", "Content-Type: application/x-www-form-urlencoded");
  }
}

// Hands the header lines to the request object one by one. Lines are
// separated by CR LF only; empty lines are skipped.
void SetHeaderLines(HttpRequestObject& request, const std::string& headers) {
  for (const std::string& line : SplitText(headers, "\r\n")) {
    if (!line.empty()) request.SetRequestHeader(HeaderName(line), HeaderValue(line));
  }
}

// The name=value part of every Set-Cookie line, joined by "; ".
std::string CookiesSetBy(const std::string& response_headers) {
  std::string cookies;
  for (const std::string& line : SplitText(response_headers, "\r\n")) {
    if (FindText(line, "Set-Cookie") == -1) continue;
    const std::string cookie = FindText(line, ";") != -1
                                   ? TrimSpaces(TextBetween(line, "Set-Cookie:", ";"))
                                   : TrimSpaces(ReplaceText(line, "Set-Cookie:", "", false));
    cookies += cookie + "; ";
  }
  return LeftText(cookies, TextLength(cookies) - 2);
}

}  // namespace

Bytes WebRequest(const WebRequestParameters& parameters) {
  const bool auto_merge_cookies = parameters.AutoMergeCookies.value_or(true);

  int method = parameters.Method.value_or(0);
  if (method < 0 || method > 7) method = 0;
  const std::string_view verb = kVerbs[static_cast<size_t>(method)];

  std::shared_ptr<HttpRequestObject> request;
  if (parameters.RequestObject.has_value()) {
    request = *parameters.RequestObject;
    if (request == nullptr) request = std::make_shared<AbsentRequestObject>();
  } else {
    request = CreateHttpRequestObject();
    if (request == nullptr) return {};
  }

  const int timeout_seconds = parameters.TimeoutSeconds.value_or(0);
  if (timeout_seconds != -1) {
    const int timeout_ms = TimeoutMs(timeout_seconds);
    request->SetTimeouts(timeout_ms, timeout_ms, timeout_ms, timeout_ms);
  }

  // The proxy credentials are set before Open.
  const std::string proxy_address = parameters.ProxyAddress.value_or("");
  if (!proxy_address.empty()) {
    request->SetProxy(HttpRequestObject::kProxyNamed, proxy_address);
    const std::string proxy_user = parameters.ProxyUser.value_or("");
    if (!proxy_user.empty() && parameters.ProxyAuthMode.value_or(1) == 1) {
      const std::string credentials = proxy_user + ":" + parameters.ProxyPassword.value_or("");
      request->SetRequestHeader("Proxy-Authorization",
                                "Basic " + Base64Encode(TextToBytes(credentials)));
    }
  }

  request->Open(verb, parameters.Url, false);

  if (parameters.NoRedirect.value_or(false)) {
    request->Option(HttpRequestObject::kOptionAutomaticRedirects, 0);
  }
  request->Option(HttpRequestObject::kOptionIgnoreCertificateErrors, kIgnoredCertificateErrors);

  std::string own_headers;
  std::string& headers = parameters.Headers != nullptr ? *parameters.Headers : own_headers;
  CompleteHeaders(headers, parameters.Url, verb);

  std::string own_send_cookies;
  std::string& send_cookies =
      parameters.SendCookies != nullptr ? *parameters.SendCookies : own_send_cookies;
  if (!send_cookies.empty()) request->SetRequestHeader("Cookie", send_cookies);

  SetHeaderLines(*request, headers);

  if (parameters.SendBytes.has_value() && !parameters.SendBytes->empty()) {
    request->SendBytes(*parameters.SendBytes);
  } else {
    request->SendText(parameters.SendText.value_or(""));
  }

  Bytes body = request->ResponseBody();

  std::string own_response_headers;
  std::string& response_headers =
      parameters.ResponseHeaders != nullptr ? *parameters.ResponseHeaders : own_response_headers;
  response_headers = ReplaceText(request->GetallResponseHeaders(), "Set-Cookie", "Set-Cookie",
                                 /*case_sensitive=*/false);

  if (parameters.StatusCode != nullptr) *parameters.StatusCode = request->Status();

  std::string own_returned_cookies;
  std::string& returned_cookies =
      parameters.ReturnedCookies != nullptr ? *parameters.ReturnedCookies : own_returned_cookies;
  returned_cookies = CookiesSetBy(response_headers);

  if (auto_merge_cookies && parameters.SendCookies != nullptr) {
    returned_cookies = MergeCookies(send_cookies, returned_cookies);
  }
  return body;
}

}  // namespace molvane
