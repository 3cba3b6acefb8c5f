#pragma once
// The one general routine for an HTTP or HTTPS exchange: one synchronous
// request with fixed default headers, cookies, a text or byte body, and the
// response's body, headers, status and cookies handed back. It shows and
// throws nothing; a step that fails leaves its result empty, so a failed
// exchange ends with an empty body, empty headers, status 0 and no cookies.

#include <memory>
#include <optional>
#include <string>

#include "text/text_primitives.h"
#include "web/request_object.h"

namespace molvane {

// The parameters of WebRequest. Only Url is required. An omitted optional
// parameter is an empty std::optional; an omitted in-out or out parameter is
// a null pointer, and the routine then writes a temporary of its own.
// Designated initialisers name what a call supplies (leaving out Url is a
// compile-time warning, since it alone has no default):
//   WebRequest({.Url = url, .Method = 1, .SendText = form, .StatusCode = &status});
struct WebRequestParameters {
  std::string Url;
  // Index into GET, POST, HEAD, PUT, OPTIONS, DELETE, TRACE, CONNECT;
  // anything outside 0..7 means GET.
  std::optional<int> Method{};
  // The body as text; sent when SendBytes is empty.
  std::optional<std::string> SendText{};
  // In-out: sent as the Cookie header when not empty. When supplied (even
  // empty) and AutoMergeCookies holds, the returned cookies are merged into it.
  std::string* SendCookies = nullptr;
  // Out: the name=value pairs the response set, joined by "; ", or the
  // merged cookie text.
  std::string* ReturnedCookies = nullptr;
  // In-out: request header lines separated by CR LF; receives them
  // completed with the default headers.
  std::string* Headers = nullptr;
  // Out: the response header lines, every "Set-Cookie" spelled so.
  std::string* ResponseHeaders = nullptr;
  // Out: the response's status code; 0 when none was obtained.
  int* StatusCode = nullptr;
  // True switches automatic following of redirects off.
  std::optional<bool> NoRedirect{};
  // The body as bytes; when not empty it is sent instead of SendText.
  std::optional<Bytes> SendBytes{};
  // "host:port" of a proxy; empty leaves the request object's proxy alone.
  std::optional<std::string> ProxyAddress{};
  // -1 leaves the request object's timeouts alone; above 0 sets every
  // timeout to that many seconds; anything else (or omitted) 15 seconds.
  std::optional<int> TimeoutSeconds{};
  std::optional<std::string> ProxyUser{};
  std::optional<std::string> ProxyPassword{};
  // 1 (the default) sends ProxyUser and ProxyPassword to the proxy as Basic
  // credentials; any other value sends none.
  std::optional<int> ProxyAuthMode{};
  // A request object of the caller's to use instead of a new one; the
  // caller keeps it, with its connections, for further requests. A supplied
  // null object makes every step fail.
  std::optional<std::shared_ptr<HttpRequestObject>> RequestObject{};
  // Omitted means true.
  std::optional<bool> AutoMergeCookies{};
};

// Runs the exchange and returns the response body; empty when there is none
// or the request failed.
Bytes WebRequest(const WebRequestParameters& parameters);

}  // namespace molvane
