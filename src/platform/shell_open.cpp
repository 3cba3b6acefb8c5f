#include "platform/shell_open.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "text/gbk_codec.h"

namespace molvane {

void OpenInBrowser(const std::string& address) {
  if (address.find('\0') != std::string::npos) return;
  std::string argument = GbkToUtf8(address);
  char program[] = "xdg-open";
  const std::array<char*, 3> arguments{program, argument.data(), nullptr};

  // The opener starts with no blocked signals and SIGPIPE at its default,
  // whatever this program has set for itself.
  sigset_t no_signals;
  sigemptyset(&no_signals);
  sigset_t default_signals;
  sigemptyset(&default_signals);
  sigaddset(&default_signals, SIGPIPE);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setsigmask(&attributes, &no_signals);
  posix_spawnattr_setsigdefault(&attributes, &default_signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  // The opener may run for as long as the browser does. It is started by a
  // short-lived intermediate process that ends at once, so the opener is
  // adopted and reaped by the system and this program neither waits for it
  // nor leaves it behind as a zombie. Everything the intermediate process
  // uses is prepared above, before the fork.
  const pid_t intermediate = fork();
  if (intermediate == 0) {
    pid_t opener = 0;
    const int failed =
        posix_spawnp(&opener, program, nullptr, &attributes, arguments.data(), environ);
    _exit(failed == 0 ? 0 : 127);
  }
  posix_spawnattr_destroy(&attributes);
  if (intermediate > 0) {
    while (waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
}

}  // namespace molvane
