#include "platform/shell_open.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>

#include "platform/temp_dir.h"

namespace molvane {
namespace {

using namespace std::chrono_literals;

// Puts a fake "xdg-open" alone on PATH for one test. The fake first runs
// `before` (shell text), then writes its argument count and each argument in
// angle brackets to the file "arguments", ending with "end".
class FakeOpener {
 public:
  explicit FakeOpener(const std::string& before = "") {
    const char* path = std::getenv("PATH");
    saved_path_ = path != nullptr ? path : "";
    std::ofstream script(dir_ / "xdg-open");
    script << "#!/bin/sh\n"
           << before << "\n"
           << "{ printf '%s\\n' \"$#\"; printf '<%s>\\n' \"$@\"; printf 'end\\n'; } > '" << Record()
           << "'\n";
    script.close();
    chmod((dir_ / "xdg-open").c_str(), 0700);
    setenv("PATH", dir_.path().c_str(), 1);
  }
  FakeOpener(const FakeOpener&) = delete;
  FakeOpener& operator=(const FakeOpener&) = delete;
  ~FakeOpener() { setenv("PATH", saved_path_.c_str(), 1); }

  [[nodiscard]] std::string Record() const { return dir_ / "arguments"; }
  [[nodiscard]] const testing::TempDir& dir() const { return dir_; }

  // What the fake wrote, once it has finished; "" if it did not within 10 seconds.
  [[nodiscard]] std::string WaitForRecord() const {
    for (int tries = 0; tries < 1000; ++tries) {
      std::ifstream file(Record());
      std::stringstream content;
      content << file.rdbuf();
      const std::string text = content.str();
      if (text.ends_with("end\n")) return text;
      std::this_thread::sleep_for(10ms);
    }
    return "";
  }

 private:
  testing::TempDir dir_;
  std::string saved_path_;
};

TEST(OpenInBrowser, HandsTheAddressOverAsOneArgumentWithoutAShell) {
  FakeOpener opener;
  const std::string trap = opener.dir() / "ran";
  const std::string address = "http://例子.com/a b;touch " + trap + ";$(touch " + trap +
                              ")`touch " + trap + "`'\"&|<>*?$HOME";
  OpenInBrowser(address);

  // The GBK address arrives as UTF-8.
  const std::u8string_view utf8_name = u8"例子";
  const std::string expected_argument = "http://" +
                                        std::string(utf8_name.begin(), utf8_name.end()) +
                                        address.substr(std::string("http://例子").size());
  EXPECT_EQ(opener.WaitForRecord(), "1\n<" + expected_argument + ">\nend\n");
  EXPECT_NE(access(trap.c_str(), F_OK), 0) << "a part of the address was run";
  // The opener is not this program's child, and nothing is left for it to reap.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(OpenInBrowser, ReturnsWithoutWaitingForTheOpener) {
  const testing::TempDir gate_dir;
  const std::string gate = gate_dir / "gate";
  ASSERT_EQ(mkfifo(gate.c_str(), 0600), 0);
  // Held open for reading and writing, the gate never blocks on opening; the
  // fake waits on it until a line is written.
  const int gate_fd = open(gate.c_str(), O_RDWR);
  ASSERT_GE(gate_fd, 0);
  FakeOpener opener("read line < '" + gate + "'");

  auto opening = std::async(std::launch::async, [] { OpenInBrowser("http://example.com"); });
  const bool returned = opening.wait_for(5s) == std::future_status::ready;
  ASSERT_EQ(write(gate_fd, "go\n", 3), 3);
  opening.wait();
  EXPECT_TRUE(returned) << "OpenInBrowser waited for the opener to finish";
  EXPECT_EQ(opener.WaitForRecord(), "1\n<http://example.com>\nend\n");
  close(gate_fd);
}

TEST(OpenInBrowser, WithoutAnOpenerDoesNothing) {
  const testing::TempDir empty;
  const char* path = std::getenv("PATH");
  const std::string saved_path = path != nullptr ? path : "";
  setenv("PATH", empty.path().c_str(), 1);
  OpenInBrowser("http://example.com");
  setenv("PATH", saved_path.c_str(), 1);
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace
}  // namespace molvane
