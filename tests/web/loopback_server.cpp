#include "web/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

extern char** environ;

namespace molvane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPython = "/usr/bin/python3";
constexpr auto kStartLimit = std::chrono::seconds(20);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RawRequest Parse(const std::string& raw) {
  RawRequest request;
  const size_t head_end = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, head_end);
  request.body = head_end == std::string::npos ? "" : raw.substr(head_end + 4);
  size_t start = 0;
  bool first = true;
  while (start <= head.size()) {
    size_t end = head.find("\r\n", start);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(start, end - start);
    if (first) {
      request.request_line = std::move(line);
      first = false;
    } else {
      request.header_lines.push_back(std::move(line));
    }
    start = end + 2;
  }
  return request;
}

}  // namespace

LoopbackServer::LoopbackServer() {
  std::string pattern = (fs::temp_directory_path() / "molvane-web-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return;
  workdir_ = pattern;

  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[1]);
  std::string python = kPython;
  std::string script = MOLVANE_LOOPBACK_SERVER_SCRIPT;
  std::string workdir = workdir_.string();
  char* argv[] = {python.data(), script.data(), workdir.data(), nullptr};
  const bool spawned = posix_spawn(&pid_, kPython, &actions, nullptr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[0]);
  stdin_pipe_ = pipe_ends[1];
  if (!spawned) {
    pid_ = -1;
    return;
  }

  const fs::path ports = workdir_ / "ports";
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (!fs::exists(ports) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kPollInterval);
  }
  std::istringstream numbers(ReadWhole(ports));
  int http = 0;
  int https = 0;
  if (numbers >> http >> https) {
    http_port_ = http;
    https_port_ = https;
  }
}

LoopbackServer::~LoopbackServer() {
  if (stdin_pipe_ >= 0) close(stdin_pipe_);
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  std::error_code ignored;
  if (!workdir_.empty()) fs::remove_all(workdir_, ignored);
}

std::string LoopbackServer::HttpUrl(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(http_port_) + path;
}

std::string LoopbackServer::HttpsUrl(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(https_port_) + path;
}

std::string LoopbackServer::HostLine() const {
  return "Host: 127.0.0.1:" + std::to_string(http_port_);
}

void LoopbackServer::AddPage(const std::string& name, std::string_view body) const {
  const fs::path folder = workdir_ / "pages";
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  std::ofstream(folder / name, std::ios::binary | std::ios::trunc)
      .write(body.data(), static_cast<std::streamsize>(body.size()));
}

std::vector<RawRequest> LoopbackServer::Requests() const {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(workdir_)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("request-") && !name.ends_with(".tmp")) files.push_back(entry.path());
  }
  std::ranges::sort(files);
  std::vector<RawRequest> requests;
  for (const fs::path& file : files) requests.push_back(Parse(ReadWhole(file)));
  return requests;
}

RefusingPort::RefusingPort() {
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  auto* generic = reinterpret_cast<sockaddr*>(&address);
  if (socket_ >= 0 && bind(socket_, generic, length) == 0 &&
      getsockname(socket_, generic, &length) == 0) {
    port_ = ntohs(address.sin_port);
  }
}

RefusingPort::~RefusingPort() {
  if (socket_ >= 0) close(socket_);
}

}  // namespace molvane
