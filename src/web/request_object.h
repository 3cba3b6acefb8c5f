#pragma once
// The HTTP request object that WebRequest drives through one synchronous
// exchange. It is an interface so that each platform brings its own HTTP
// layer; nothing here names that layer.
//
// Every operation reports failure as a value: a false result, an empty text
// or body, or status 0. None throws. A request object may be kept by its
// caller and used for one request after another: Open starts a new request
// and forgets the previous response, while the timeouts, the proxy and the
// options stay as they were set.

#include <memory>
#include <string>
#include <string_view>

#include "text/text_primitives.h"

namespace molvane {

class HttpRequestObject {
 public:
  // Proxy settings for SetProxy.
  static constexpr int kProxyDefault = 0;  // the platform's configured proxy, if any
  static constexpr int kProxyDirect = 1;   // no proxy at all
  static constexpr int kProxyNamed = 2;    // the proxy server given to SetProxy

  // Option numbers and values for Option.
  static constexpr int kOptionIgnoreCertificateErrors = 4;
  static constexpr int kOptionAutomaticRedirects = 6;  // 0 switches following redirects off
  static constexpr int kIgnoreUnknownAuthority = 0x0100;
  static constexpr int kIgnoreWrongUsage = 0x0200;
  static constexpr int kIgnoreInvalidCommonName = 0x1000;
  static constexpr int kIgnoreInvalidDate = 0x2000;

  virtual ~HttpRequestObject() = default;

  // Timeouts in milliseconds for resolving the host name, connecting,
  // sending the request and waiting for each part of the response; 0 means
  // no limit. False (and nothing changed) when one of them is negative.
  virtual bool SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) = 0;

  // Chooses the proxy: one of the kProxy settings; `server` is "host:port"
  // and is used only with kProxyNamed. False for an unknown setting.
  virtual bool SetProxy(int setting, std::string_view server) = 0;

  // Adds one request header line for the next Send, which uses the lines
  // up in the order they were set; a line set before Open counts too. False
  // for an empty name or a name or value that could break the header block
  // (a colon, space or control byte in the name, CR or LF in the value).
  virtual bool SetRequestHeader(std::string_view name, std::string_view value) = 0;

  // Starts a new request: forgets the previous response. Only synchronous
  // requests exist, so `async` true is refused, as is an empty verb or URL.
  virtual bool Open(std::string_view verb, std::string_view url, bool async = false) = 0;

  // Writes an option: kOptionAutomaticRedirects (value 0 or not) or
  // kOptionIgnoreCertificateErrors (a sum of the kIgnore flags). False for
  // any other option number.
  virtual bool Option(int number, int value) = 0;

  // Sends the opened request with a text body or a byte body and waits for
  // the whole response. False when nothing was opened or the exchange
  // failed (no connection, a timeout, a broken response).
  virtual bool SendText(std::string_view text) = 0;
  virtual bool SendBytes(const Bytes& body) = 0;

  // The results of the last exchange; empty, or 0, when it failed.
  [[nodiscard]] virtual Bytes ResponseBody() const = 0;
  // Every header line of the final response (after redirects that were
  // followed), without the status line, separated by CR LF.
  [[nodiscard]] virtual std::string GetallResponseHeaders() const = 0;
  [[nodiscard]] virtual int Status() const = 0;
};

// Creates the platform's request object; null when it cannot be created.
[[nodiscard]] std::shared_ptr<HttpRequestObject> CreateHttpRequestObject();

}  // namespace molvane
