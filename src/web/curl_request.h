#pragma once
// The request object over libcurl. One easy handle per object, so a caller
// who keeps the object also keeps its open connections between requests.
//
// What goes on the wire is what the caller set: the request line, Host,
// the caller's header lines in the order they were set, and Content-Length
// when there is a body. curl adds nothing of its own: no Accept, no
// Content-Type, no "Expect: 100-continue", no Proxy-Connection; responses
// are asked for over HTTP/1.1, so header lines keep their order and case.

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "web/request_object.h"

namespace molvane {

class CurlRequestObject final : public HttpRequestObject {
 public:
  // Null when curl cannot be initialised or gives no handle.
  [[nodiscard]] static std::shared_ptr<CurlRequestObject> Create();

  explicit CurlRequestObject(CURL* handle);
  ~CurlRequestObject() override;
  CurlRequestObject(const CurlRequestObject&) = delete;
  CurlRequestObject& operator=(const CurlRequestObject&) = delete;

  bool SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) override;
  bool SetProxy(int setting, std::string_view server) override;
  bool SetRequestHeader(std::string_view name, std::string_view value) override;
  bool Open(std::string_view verb, std::string_view url, bool async) override;
  bool Option(int number, int value) override;
  bool SendText(std::string_view text) override;
  bool SendBytes(const Bytes& body) override;
  [[nodiscard]] Bytes ResponseBody() const override;
  [[nodiscard]] std::string GetallResponseHeaders() const override;
  [[nodiscard]] int Status() const override;

 private:
  struct HeaderLine {
    std::string name;
    std::string value;
  };
  struct HeaderListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
  };
  using HeaderList = std::unique_ptr<curl_slist, HeaderListFree>;
  using Clock = std::chrono::steady_clock;

  bool Perform(std::string_view body);
  [[nodiscard]] bool Configure(std::string_view body, HeaderList& server_headers,
                               HeaderList& proxy_headers);
  [[nodiscard]] bool BuildHeaderLists(HeaderList& server_headers, HeaderList& proxy_headers) const;
  [[nodiscard]] bool HasHeader(std::string_view name) const;
  void ForgetResponse();

  static size_t KeepBody(char* data, size_t size, size_t count, void* self);
  static size_t KeepHeaderLine(char* data, size_t size, size_t count, void* self);
  static int WatchForStall(void* self, curl_off_t download_total, curl_off_t download_now,
                           curl_off_t upload_total, curl_off_t upload_now);

  CURL* handle_;

  // Settings that stay from one request to the next. The timeouts start as
  // the usual defaults of a request object: no limit for resolving, a minute
  // to connect, half a minute for sending and for each wait for data.
  int resolve_ms_ = 0;
  int connect_ms_ = 60000;
  int send_ms_ = 30000;
  int receive_ms_ = 30000;
  int proxy_setting_ = kProxyDefault;
  std::string proxy_server_;
  bool follow_redirects_ = true;
  int ignored_certificate_errors_ = 0;

  // The request being prepared; its header lines are used by one Send.
  bool opened_ = false;
  std::string verb_;
  std::string url_;
  std::vector<HeaderLine> headers_;

  // The last response.
  Bytes body_;
  std::vector<std::string> response_header_lines_;
  int status_ = 0;

  // Progress seen during the exchange, to notice a stalled send or receive.
  Clock::time_point last_progress_;
  curl_off_t downloaded_ = 0;
  curl_off_t uploaded_ = 0;
};

}  // namespace molvane
