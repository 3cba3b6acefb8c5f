#pragma once
// Starts tests/web/loopback_server.py for one test: plain HTTP and HTTPS
// (self-signed certificate for "localhost") on 127.0.0.1 at free ports.
// The server stores the raw bytes of every request it reads, so a test can
// check exactly what went over the wire. It ends with this object.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// One request as the server read it.
struct RawRequest {
  std::string request_line;
  std::vector<std::string> header_lines;  // in the order received
  std::string body;
};

class LoopbackServer {
 public:
  LoopbackServer();  // check started() before use
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  [[nodiscard]] bool started() const { return http_port_ != 0; }
  [[nodiscard]] int http_port() const { return http_port_; }
  [[nodiscard]] std::string HttpUrl(const std::string& path) const;
  [[nodiscard]] std::string HttpsUrl(const std::string& path) const;
  [[nodiscard]] std::string HostLine() const;  // "Host: 127.0.0.1:<http port>"

  // Serves `body` at HttpUrl("/pages/" + name) and HttpsUrl("/pages/" + name).
  void AddPage(const std::string& name, std::string_view body) const;

  // Every request read so far, oldest first.
  [[nodiscard]] std::vector<RawRequest> Requests() const;

 private:
  std::filesystem::path workdir_;
  pid_t pid_ = -1;
  int stdin_pipe_ = -1;  // closing it ends the server
  int http_port_ = 0;
  int https_port_ = 0;
};

// A loopback port where nothing listens: bound, never listening, so a
// connection attempt is refused for as long as the object lives.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  [[nodiscard]] int port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};

}  // namespace molvane
