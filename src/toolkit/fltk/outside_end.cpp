#include "toolkit/fltk/outside_end.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace molvane::toolkit::fltk {

namespace {

enum EndState : int { kRunning, kEndAsked, kClosing };

// Written by the signal handler, so a lock-free atomic.
std::atomic<int> end_state{kRunning};
static_assert(std::atomic<int>::is_always_lock_free);

// The self-pipe that wakes the event loop out of its wait for a signal.
int wake_pipe[2] = {-1, -1};

constexpr int kDisplayLostCode = 1;

void OnTerminationSignal(int) {
  const int saved_errno = errno;
  int running = kRunning;
  end_state.compare_exchange_strong(running, kEndAsked);
  const char byte = 0;
  // When the pipe is full the loop has a wake-up pending already.
  [[maybe_unused]] const ssize_t written = write(wake_pipe[1], &byte, 1);
  errno = saved_errno;
}

// The loop's wait returns after this, and each loop then looks at EndAsked.
void OnWakeUp(int fd, void*) {
  char bytes[64];
  while (read(fd, bytes, sizeof bytes) > 0) {
  }
}

std::function<void()>& DisplayLostRoutine() {
  static std::function<void()> routine;
  return routine;
}

int OnDisplayLost(Display*) {
  // The clean-up of the process may touch the display again; that second
  // loss ends it at once.
  static bool lost = false;
  if (lost) std::_Exit(kDisplayLostCode);
  lost = true;
  if (DisplayLostRoutine()) DisplayLostRoutine()();
  std::exit(kDisplayLostCode);
}

}  // namespace

void WatchTerminationSignals() {
  if (wake_pipe[0] >= 0 || pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  Fl::add_fd(wake_pipe[0], FL_READ, OnWakeUp);

  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  // File writes of the handlers, interrupted by a signal, go on.
  action.sa_flags = SA_RESTART;
  for (const int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction before {};
    sigaction(signal_number, nullptr, &before);
    if (before.sa_handler != SIG_IGN) sigaction(signal_number, &action, nullptr);
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, nullptr);
}

bool EndAsked() { return end_state.load() == kEndAsked; }

void NoteTopLevelClosing() { end_state.store(kClosing); }

void SetDisplayLostRoutine(std::function<void()> routine) {
  DisplayLostRoutine() = std::move(routine);
}

void OpenWatchedDisplay() {
  static bool watched = false;
  if (watched) return;
  watched = true;
  // FLTK sets its own handler, which only ends the process, as it opens
  // the display.
  fl_open_display();
  XSetIOErrorHandler(OnDisplayLost);
}

}  // namespace molvane::toolkit::fltk
