#include "cli/password_input.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#include "text/gbk_codec.h"

namespace molvane {

namespace {

constexpr int kSignalsThatEnd[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The terminal's settings while echo is off, for the signal handler to restore.
termios saved_terminal{};
volatile std::sig_atomic_t echo_is_off = 0;

// An interrupted prompt must not leave the terminal without echo.
void RestoreEchoAndEnd(int signal_number) {
  if (echo_is_off != 0) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_terminal);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

// Turns echo off for as long as it lives; does nothing when standard input
// is no terminal.
class HiddenEntry {
 public:
  HiddenEntry() {
    if (tcgetattr(STDIN_FILENO, &saved_terminal) != 0) return;
    struct sigaction action {};
    action.sa_handler = RestoreEchoAndEnd;
    for (int signal_number : kSignalsThatEnd) sigaction(signal_number, &action, nullptr);
    termios quiet = saved_terminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    echo_is_off = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0 ? 1 : 0;
  }
  HiddenEntry(const HiddenEntry&) = delete;
  HiddenEntry& operator=(const HiddenEntry&) = delete;
  ~HiddenEntry() {
    if (echo_is_off == 0) return;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_terminal);
    echo_is_off = 0;
    std::fputs("\n", stderr);  // the Enter that was not echoed
  }
};

// Reads byte by byte, so that no buffer beyond `line` ever holds the
// password and nothing after the line is taken from the input.
bool ReadLine(std::string& line) {
  for (;;) {
    char byte = 0;
    const ssize_t got = read(STDIN_FILENO, &byte, 1);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (byte == '\n') break;
    line += byte;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

bool ReadPassword(SecretBytes& password) {
  SecretBytes typed;
  {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    if (terminal) std::fputs("Password: ", stderr);
    std::optional<HiddenEntry> hidden;
    if (terminal) hidden.emplace();
    // Room for any password a person types, so the line is never moved and
    // no copy is left behind unwiped.
    typed.get().reserve(1024);
    if (!ReadLine(typed.get())) return false;
  }
  password.Wipe();
  password.get() = Utf8ToGbk(typed.get());
  return true;
}

}  // namespace molvane
