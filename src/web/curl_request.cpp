#include "web/curl_request.h"

#include <algorithm>

namespace molvane {
namespace {

constexpr long kMaxRedirects = 10;

// The certificate checks behind these three errors are one check in curl
// (the peer's chain); it is switched off only when all three are ignored.
constexpr int kChainErrors = HttpRequestObject::kIgnoreUnknownAuthority |
                             HttpRequestObject::kIgnoreWrongUsage |
                             HttpRequestObject::kIgnoreInvalidDate;

bool CurlReady() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

// Header names compare without regard to ASCII letter case.
bool SameHeaderName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

// A header name is an HTTP token: no colon, no space, no control byte.
bool ValidHeaderName(std::string_view name) {
  return !name.empty() && std::ranges::none_of(name, [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == ':' || byte <= 0x20 || byte == 0x7F;
  });
}

// A value holding CR or LF would start a header line of its own.
bool ValidHeaderValue(std::string_view value) {
  return value.find_first_of("\r\n") == std::string_view::npos;
}

// curl is C code, so no exception may leave a callback. A callback that
// cannot keep what it is given (out of memory) reports 0 bytes taken,
// which makes curl end the exchange as failed.
template <class Keep>
size_t KeptOrNothing(size_t taken, Keep keep) noexcept {
  try {
    keep();
    return taken;
  } catch (...) {
    return 0;
  }
}

}  // namespace

std::shared_ptr<CurlRequestObject> CurlRequestObject::Create() {
  if (!CurlReady()) return nullptr;
  CURL* handle = curl_easy_init();
  if (handle == nullptr) return nullptr;
  return std::make_shared<CurlRequestObject>(handle);
}

CurlRequestObject::CurlRequestObject(CURL* handle) : handle_(handle) {}

CurlRequestObject::~CurlRequestObject() { curl_easy_cleanup(handle_); }

bool CurlRequestObject::SetTimeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) {
  if (std::min({resolve_ms, connect_ms, send_ms, receive_ms}) < 0) return false;
  resolve_ms_ = resolve_ms;
  connect_ms_ = connect_ms;
  send_ms_ = send_ms;
  receive_ms_ = receive_ms;
  return true;
}

bool CurlRequestObject::SetProxy(int setting, std::string_view server) {
  const bool known = setting == kProxyDefault || setting == kProxyDirect ||
                     (setting == kProxyNamed && !server.empty());
  if (!known) return false;
  proxy_setting_ = setting;
  proxy_server_ = setting == kProxyNamed ? std::string(server) : std::string();
  return true;
}

bool CurlRequestObject::SetRequestHeader(std::string_view name, std::string_view value) {
  if (!ValidHeaderName(name) || !ValidHeaderValue(value)) return false;
  headers_.push_back({std::string(name), std::string(value)});
  return true;
}

bool CurlRequestObject::Open(std::string_view verb, std::string_view url, bool async) {
  if (async || verb.empty() || url.empty()) return false;
  verb_ = verb;
  url_ = url;
  opened_ = true;
  ForgetResponse();
  return true;
}

bool CurlRequestObject::Option(int number, int value) {
  switch (number) {
    case kOptionAutomaticRedirects:
      follow_redirects_ = value != 0;
      return true;
    case kOptionIgnoreCertificateErrors:
      ignored_certificate_errors_ = value;
      return true;
    default:
      return false;
  }
}

// A text body goes out as its bytes, unconverted.
bool CurlRequestObject::SendText(std::string_view text) { return Perform(text); }

bool CurlRequestObject::SendBytes(const Bytes& body) { return Perform(body); }

Bytes CurlRequestObject::ResponseBody() const { return body_; }

std::string CurlRequestObject::GetallResponseHeaders() const {
  std::string text;
  for (const std::string& line : response_header_lines_) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

int CurlRequestObject::Status() const { return status_; }

// Runs the opened request once. The header lines set for it are used up
// whatever the outcome; a failed exchange leaves no partial response.
bool CurlRequestObject::Perform(std::string_view body) {
  if (!opened_) return false;
  ForgetResponse();
  HeaderList server_headers;
  HeaderList proxy_headers;
  const bool sent =
      Configure(body, server_headers, proxy_headers) && curl_easy_perform(handle_) == CURLE_OK;
  long status = 0;
  if (sent) curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &status);
  // Back to curl's defaults: the handle keeps no pointer to the header
  // lists freed on return, and the next request starts from a clean slate
  // (a reset keeps the live connections and the DNS and TLS caches).
  curl_easy_reset(handle_);
  headers_.clear();
  opened_ = false;
  if (!sent) {
    ForgetResponse();
    return false;
  }
  status_ = static_cast<int>(status);
  return true;
}

// Every option is set afresh for each request on a handle at curl's defaults.
bool CurlRequestObject::Configure(std::string_view body, HeaderList& server_headers,
                                  HeaderList& proxy_headers) {
  if (!BuildHeaderLists(server_headers, proxy_headers)) return false;
  CURLcode result = CURLE_OK;
  const auto set = [&](CURLoption option, auto value) {
    if (result == CURLE_OK) result = curl_easy_setopt(handle_, option, value);
  };

  set(CURLOPT_URL, url_.c_str());
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_FOLLOWLOCATION, follow_redirects_ ? 1L : 0L);
  set(CURLOPT_MAXREDIRS, kMaxRedirects);

  // curl has one limit for resolving and connecting together.
  set(CURLOPT_CONNECTTIMEOUT_MS, connect_ms_ == 0 ? 0L : long{resolve_ms_} + long{connect_ms_});
  set(CURLOPT_NOPROGRESS, 0L);
  set(CURLOPT_XFERINFOFUNCTION, &CurlRequestObject::WatchForStall);
  set(CURLOPT_XFERINFODATA, static_cast<void*>(this));

  if (proxy_setting_ == kProxyNamed) set(CURLOPT_PROXY, proxy_server_.c_str());
  if (proxy_setting_ == kProxyDirect) set(CURLOPT_PROXY, "");

  const bool ignore_chain = (ignored_certificate_errors_ & kChainErrors) == kChainErrors;
  const bool ignore_name = (ignored_certificate_errors_ & kIgnoreInvalidCommonName) != 0;
  set(CURLOPT_SSL_VERIFYPEER, ignore_chain ? 0L : 1L);
  set(CURLOPT_SSL_VERIFYHOST, ignore_name ? 0L : 2L);

  // Proxy-Authorization goes only to the proxy, both in a plain request
  // through it and in the CONNECT of a tunnel; the site never sees it.
  set(CURLOPT_HEADEROPT, long{CURLHEADER_SEPARATE});
  set(CURLOPT_HTTPHEADER, server_headers.get());
  set(CURLOPT_PROXYHEADER, proxy_headers.get());

  // A null body pointer would make curl read the body from stdin.
  static constexpr char kNoBody[] = "";
  const char* body_data = body.empty() ? kNoBody : body.data();
  const auto body_size = static_cast<curl_off_t>(body.size());
  if (verb_ == "HEAD") {
    set(CURLOPT_NOBODY, 1L);
  } else if (verb_ == "GET" && body.empty()) {
    set(CURLOPT_HTTPGET, 1L);
  } else {
    // POST and PUT always state their length, other verbs only with a body.
    if (verb_ != "POST") set(CURLOPT_CUSTOMREQUEST, verb_.c_str());
    if (verb_ == "POST" || verb_ == "PUT" || !body.empty()) {
      set(CURLOPT_POSTFIELDSIZE_LARGE, body_size);
      set(CURLOPT_POSTFIELDS, body_data);
    }
  }

  set(CURLOPT_WRITEFUNCTION, &CurlRequestObject::KeepBody);
  set(CURLOPT_WRITEDATA, static_cast<void*>(this));
  set(CURLOPT_HEADERFUNCTION, &CurlRequestObject::KeepHeaderLine);
  set(CURLOPT_HEADERDATA, static_cast<void*>(this));
  last_progress_ = Clock::now();
  downloaded_ = 0;
  uploaded_ = 0;
  return result == CURLE_OK;
}

// The caller's lines in their order, then the empty "Name:" entries that
// stop curl from adding its own Accept, Content-Type, Expect and
// Proxy-Connection lines (such entries are never sent). A line with an
// empty value is written "Name;", which curl sends as "Name:".
bool CurlRequestObject::BuildHeaderLists(HeaderList& server_headers,
                                         HeaderList& proxy_headers) const {
  const auto append = [](HeaderList& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr) return false;
    (void)list.release();
    list.reset(grown);
    return true;
  };
  for (const HeaderLine& header : headers_) {
    const std::string line =
        header.value.empty() ? header.name + ";" : header.name + ": " + header.value;
    HeaderList& list =
        SameHeaderName(header.name, "Proxy-Authorization") ? proxy_headers : server_headers;
    if (!append(list, line)) return false;
  }
  if (!HasHeader("Accept") && !append(server_headers, "Accept:")) return false;
  if (!HasHeader("Content-Type") && !append(server_headers, "Content-Type:")) return false;
  return append(server_headers, "Expect:") && append(proxy_headers, "Proxy-Connection:");
}

bool CurlRequestObject::HasHeader(std::string_view name) const {
  return std::ranges::any_of(
      headers_, [&](const HeaderLine& header) { return SameHeaderName(header.name, name); });
}

void CurlRequestObject::ForgetResponse() {
  body_.clear();
  response_header_lines_.clear();
  status_ = 0;
}

size_t CurlRequestObject::KeepBody(char* data, size_t size, size_t count, void* self) {
  return KeptOrNothing(size * count, [&] {
    static_cast<CurlRequestObject*>(self)->body_.append(data, size * count);
  });
}

// Each response in a chain of redirects (and any interim 1xx response)
// starts with its status line; only the last response's lines are kept.
size_t CurlRequestObject::KeepHeaderLine(char* data, size_t size, size_t count, void* self) {
  auto& lines = static_cast<CurlRequestObject*>(self)->response_header_lines_;
  std::string_view line(data, size * count);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return KeptOrNothing(size * count, [&] {
    if (line.starts_with("HTTP/")) {
      lines.clear();
    } else if (!line.empty()) {
      lines.emplace_back(line);
    }
  });
}

// Ends the exchange when no byte has moved for longer than the send limit
// (while the body is still going out) or the receive limit (afterwards).
// Until the connection is up, only the connect limit applies.
int CurlRequestObject::WatchForStall(void* self, curl_off_t /*download_total*/,
                                     curl_off_t download_now, curl_off_t upload_total,
                                     curl_off_t upload_now) {
  auto& request = *static_cast<CurlRequestObject*>(self);
  const Clock::time_point now = Clock::now();
  curl_off_t connected_after = 0;
  curl_easy_getinfo(request.handle_, CURLINFO_PRETRANSFER_TIME_T, &connected_after);
  if (connected_after == 0 || download_now != request.downloaded_ ||
      upload_now != request.uploaded_) {
    request.last_progress_ = now;
    request.downloaded_ = download_now;
    request.uploaded_ = upload_now;
    return 0;
  }
  const bool sending = upload_now < upload_total;
  const int limit_ms = sending ? request.send_ms_ : request.receive_ms_;
  const auto idle =
      std::chrono::duration_cast<std::chrono::milliseconds>(now - request.last_progress_);
  return limit_ms > 0 && idle.count() > limit_ms ? 1 : 0;
}

std::shared_ptr<HttpRequestObject> CreateHttpRequestObject() { return CurlRequestObject::Create(); }

}  // namespace molvane
