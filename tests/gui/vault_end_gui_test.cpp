// The real program under X with a sealed register: it is sealed again
// however the run ends, by the close box, by a termination signal, or by
// the loss of the display.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "gui/vault_prompts.h"

namespace molvane::gui_test {
namespace {

const std::filesystem::path kProgram = MOLVANE_PROGRAM;

// Places in the main window's client area, from its form.
constexpr int kFirstItemX = 40, kFirstItemY = 12;  // the first title of the list
constexpr int kDeleteX = 145, kDeleteY = 316;      // 按钮_删除项

const std::string kPlain =
    "[alpha]\r\n网址=https://alpha.example/\r\n账号=a\r\n密码=1\r\n"
    "[beta]\r\n网址=https://beta.example/\r\n账号=b\r\n密码=2\r\n"
    "[gamma]\r\n网址=https://gamma.example/\r\n账号=c\r\n密码=3\r\n";
const std::string kPassword = "Secret-7";

// Sets $DISPLAY for what is started or connected meanwhile.
class ScopedDisplay {
 public:
  explicit ScopedDisplay(const std::string& display) {
    if (const char* before = std::getenv("DISPLAY")) before_ = before;
    setenv("DISPLAY", display.c_str(), 1);
  }
  ~ScopedDisplay() {
    if (before_) {
      setenv("DISPLAY", before_->c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
  }
  ScopedDisplay(const ScopedDisplay&) = delete;
  ScopedDisplay& operator=(const ScopedDisplay&) = delete;

 private:
  std::optional<std::string> before_;
};

// An X server of the test's own, on a display number it picks itself, so
// that the test can end it under a running program.
class PrivateXServer {
 public:
  PrivateXServer() {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      // The server writes its display number to the inherited end once it
      // takes connections.
      fcntl(ready[1], F_SETFD, 0);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDERR_FILENO);
      const std::string fd = std::to_string(ready[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd wait_for{ready[0], POLLIN, 0};
    char byte = 0;
    while (poll(&wait_for, 1, 10000) == 1 && read(ready[0], &byte, 1) == 1 && byte != '\n') {
      number += byte;
    }
    close(ready[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~PrivateXServer() { Stop(); }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // Empty when the server did not start.
  [[nodiscard]] const std::string& Display() const { return display_; }

  // Ends the server: every client loses its connection.
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

class VaultEndGuiTest : public GuiTest {
 protected:
  // Starts the program on kPlain sealed under `password` and answers the
  // password prompt. Gives the main window, or nothing.
  static std::optional<WindowId> StartOnPlain(ChildProgram& program, X11Session& x11,
                                              const std::string& password = kPassword) {
    return StartUnlocked(program, x11, kPlain, password, Utf8(u8"Molvane 3个项目"));
  }
};

TEST_F(VaultEndGuiTest, ClosingTheWindowSealsUnderThePasswordGivenAtStart) {
  ChildProgram program(kProgram);
  const auto window = StartOnPlain(program, x11);
  ASSERT_TRUE(window);
  EXPECT_EQ(ReadFile(program.Directory() / "RegInfo.dat"), kPlain) << "plain while it runs";

  x11.RequestClose(*window);
  EXPECT_FALSE(x11.WaitForWindow(kSetPasswordPromptCaption, 500ms)) << "asked again at exit";
  EXPECT_EQ(program.WaitForExit(), 0);
  ExpectSealed(program, kPlain, kPassword);
}

class TerminationSignalGuiTest : public VaultEndGuiTest,
                                 public ::testing::WithParamInterface<int> {};

TEST_P(TerminationSignalGuiTest, ClosesTheWindowWhichSealsThenEndsWithCodeZero) {
  ChildProgram program(kProgram);
  const auto window = StartOnPlain(program, x11);
  ASSERT_TRUE(window);

  ASSERT_TRUE(program.SendSignal(GetParam()));
  EXPECT_TRUE(x11.WaitUntilGone(*window));
  EXPECT_EQ(program.WaitForExit(), 0);
  ExpectSealed(program, kPlain, kPassword);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalGuiTest,
                         ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const ::testing::TestParamInfo<int>& signal_info) {
                           return std::string(sigabbrev_np(signal_info.param));
                         });

// The open message box ends as cancelled, so the deletion it asks about
// does not happen, and the window is then closed and sealed.
TEST_F(VaultEndGuiTest, ATerminationSignalCancelsAnOpenMessageBoxFirst) {
  ChildProgram program(kProgram);
  const auto window = StartOnPlain(program, x11);
  ASSERT_TRUE(window);
  x11.Focus(*window);
  x11.Click(*window, kFirstItemX, kFirstItemY);
  x11.Click(*window, kDeleteX, kDeleteY);
  const auto question = x11.WaitForWindow(Utf8(u8"信息："));
  ASSERT_TRUE(question) << "no confirmation of the deletion";

  ASSERT_TRUE(program.SendSignal(SIGTERM));
  EXPECT_TRUE(x11.WaitUntilGone(*question));
  EXPECT_TRUE(x11.WaitUntilGone(*window));
  EXPECT_EQ(program.WaitForExit(), 0);
  ExpectSealed(program, kPlain, kPassword);
}

// Cancelled, the start-up prompt ends the program and the file stays as it
// was.
TEST_F(VaultEndGuiTest, ATerminationSignalAtThePasswordPromptLeavesTheFileUnchanged) {
  ChildProgram program(kProgram);
  const std::string sealed = SealVault(kPlain, kPassword);
  program.WriteFile("RegInfo.dat", sealed);
  ASSERT_TRUE(program.Start());
  const auto prompt = x11.WaitForWindow(kUnlockPromptCaption);
  ASSERT_TRUE(prompt);

  ASSERT_TRUE(program.SendSignal(SIGTERM));
  EXPECT_EQ(program.WaitForExit(), 0);
  EXPECT_EQ(ReadFile(program.Directory() / "RegInfo.dat"), sealed);
}

// With no password held, the signal brings up the set-password prompt,
// which a second signal does not take away; the answer seals the file.
TEST_F(VaultEndGuiTest, ATerminationSignalStillAsksForAPasswordWhenNoneIsHeld) {
  ChildProgram program(kProgram);
  const auto window = StartOnPlain(program, x11, "");
  ASSERT_TRUE(window);

  ASSERT_TRUE(program.SendSignal(SIGTERM));
  const auto prompt = x11.WaitForWindow(kSetPasswordPromptCaption);
  ASSERT_TRUE(prompt) << "no set-password prompt";
  ASSERT_TRUE(program.SendSignal(SIGTERM));
  EXPECT_FALSE(x11.WaitUntilGone(*prompt, 500ms)) << "the second signal took the prompt away";
  AnswerPrompt(x11, kSetPasswordPromptCaption, "fresh");
  EXPECT_EQ(program.WaitForExit(), 0);
  ExpectSealed(program, kPlain, "fresh");
}

// The desktop session ends: the program's display goes away under it. No
// prompt can be shown, and the password held seals the file at once.
TEST_F(VaultEndGuiTest, LosingTheDisplaySealsUnderTheHeldPassword) {
  PrivateXServer server;
  ASSERT_FALSE(server.Display().empty()) << "no private X server";
  ChildProgram program(kProgram);
  {
    const ScopedDisplay on_private(server.Display());
    X11Session private_x11;
    ASSERT_TRUE(private_x11.Connected());
    ASSERT_TRUE(StartOnPlain(program, private_x11));
  }  // this test's own connection goes first

  server.Stop();
  EXPECT_EQ(program.WaitForExit(), 1) << "the program outlived its display, or it was killed";
  ExpectSealed(program, kPlain, kPassword);
}

}  // namespace
}  // namespace molvane::gui_test
