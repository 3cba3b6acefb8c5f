#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/temp_dir.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

using testing::CountEntries;
using testing::TempDir;

// "口令" as a terminal types it (UTF-8), and as the program holds it (GBK).
constexpr std::string_view kTypedPassword = "\xE5\x8F\xA3\xE4\xBB\xA4 9";
constexpr std::string_view kPassword = "口令 9";
// Titles in GBK, as the register holds them, and as the terminal shows them.
const std::string kPlain = "[网易邮箱]\r\n网址=mail.163.com\r\n[Zeta]\r\n网址=z\r\n";
constexpr std::string_view kTitlesShown =
    "\xE7\xBD\x91\xE6\x98\x93\xE9\x82\xAE\xE7\xAE\xB1\nZeta\n";

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Runs molvane-vault with `arguments`, `input` on a pipe as its standard
// input, its standard output and error kept in files of a folder of their own.
Outcome RunTool(const std::vector<std::string>& arguments, std::string_view input) {
  const TempDir capture;
  const std::string out_path = capture / "out";
  const std::string err_path = capture / "err";
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[0], STDIN_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(MOLVANE_VAULT_TOOL)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipe_ends[0]);
  // A tool that ends without reading (a usage error) closes the pipe: the
  // write then fails instead of killing the test.
  signal(SIGPIPE, SIG_IGN);
  [[maybe_unused]] const ssize_t written = write(pipe_ends[1], input.data(), input.size());
  close(pipe_ends[1]);
  int status = 0;
  waitpid(child, &status, 0);
  Outcome outcome;
  outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  outcome.out = ReadFile(out_path);
  outcome.err = ReadFile(err_path);
  return outcome;
}

std::string Line(std::string_view password) { return std::string(password) + "\n"; }

class VaultTool : public ::testing::Test {
 protected:
  std::string Path(std::string_view name) const { return folder_ / name; }

  TempDir folder_;
};

TEST_F(VaultTool, SealThenOpenGivesThePlainRegisterBackAndLeavesTheInput) {
  WriteFile(Path("plain.ini"), kPlain);
  const Outcome sealed =
      RunTool({"seal", Path("plain.ini"), Path("RegInfo.dat")}, Line(kTypedPassword));
  EXPECT_EQ(sealed.code, 0) << sealed.err;
  EXPECT_EQ(sealed.err, "");
  // The same bytes the program seals under the GBK form of the password.
  EXPECT_EQ(ReadFile(Path("RegInfo.dat")), SealVault(kPlain, kPassword));
  EXPECT_EQ(ReadFile(Path("plain.ini")), kPlain);

  const std::string sealed_bytes = ReadFile(Path("RegInfo.dat"));
  const Outcome opened =
      RunTool({"open", Path("RegInfo.dat"), Path("back.ini")}, Line(kTypedPassword));
  EXPECT_EQ(opened.code, 0) << opened.err;
  EXPECT_EQ(opened.out, "");
  EXPECT_EQ(ReadFile(Path("back.ini")), kPlain);
  EXPECT_EQ(ReadFile(Path("RegInfo.dat")), sealed_bytes);
}

TEST_F(VaultTool, TitlesArePrintedInUtf8AndNothingIsWritten) {
  WriteFile(Path("RegInfo.dat"), SealVault(kPlain, kPassword));
  const Outcome listed = RunTool({"titles", Path("RegInfo.dat")}, Line(kTypedPassword));
  EXPECT_EQ(listed.code, 0) << listed.err;
  EXPECT_EQ(listed.out, kTitlesShown);
  EXPECT_EQ(CountEntries(folder_.path()), 1u);
}

// The password is the first line, whatever ends it; no line at all is the
// empty password.
TEST_F(VaultTool, ThePasswordIsOneLineOfStandardInput) {
  struct Spelling {
    const char* input;
    std::string_view password;
  };
  const Spelling spellings[] = {
      {"pw\n", "pw"},     {"pw\r\n", "pw"}, {"pw", "pw"}, {"pw\nnext line\n", "pw"},
      {" pw \n", " pw "}, {"\n", ""},       {"", ""},
  };
  for (const Spelling& s : spellings) {
    SCOPED_TRACE(::testing::PrintToString(std::string(s.input)));
    WriteFile(Path("RegInfo.dat"), SealVault(kPlain, s.password));
    const Outcome listed = RunTool({"titles", Path("RegInfo.dat")}, s.input);
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(listed.out, kTitlesShown);
  }
}

TEST_F(VaultTool, FailuresExitWithOneAndWriteNothing) {
  WriteFile(Path("RegInfo.dat"), SealVault(kPlain, kPassword));
  WriteFile(Path("plain.ini"), kPlain);
  WriteFile(Path("empty"), "");
  struct Failure {
    const char* name;
    std::vector<std::string> arguments;
    std::string_view typed;  // the password line
    const char* says;
  };
  const Failure failures[] = {
      {"WrongPassword", {"open", Path("RegInfo.dat"), Path("out")}, "wrong", "wrong password"},
      {"WrongPasswordTitles", {"titles", Path("RegInfo.dat")}, "wrong", "wrong password"},
      {"PlainInput", {"open", Path("plain.ini"), Path("out")}, kTypedPassword, "is not sealed"},
      {"MissingInput", {"open", Path("nothing"), Path("out")}, kTypedPassword, "cannot read"},
      {"FolderAsInput", {"titles", folder_.path()}, kTypedPassword, "cannot read"},
      {"EmptyInputToOpen", {"open", Path("empty"), Path("out")}, kTypedPassword, "is empty"},
      {"EmptyInputToSeal", {"seal", Path("empty"), Path("out")}, kTypedPassword, "is empty"},
      {"OutputInAMissingFolder",
       {"open", Path("RegInfo.dat"), Path("no/out")},
       kTypedPassword,
       "cannot write"},
  };
  const std::size_t files = CountEntries(folder_.path());
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.name);
    const Outcome outcome = RunTool(f.arguments, Line(f.typed));
    EXPECT_EQ(outcome.code, 1);
    EXPECT_NE(outcome.err.find(f.says), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(CountEntries(folder_.path()), files);
  }
  EXPECT_EQ(ReadFile(Path("RegInfo.dat")), SealVault(kPlain, kPassword));
  EXPECT_EQ(ReadFile(Path("plain.ini")), kPlain);
}

TEST_F(VaultTool, UsageErrorsExitWithTwoAndTouchNothing) {
  const std::string sealed = SealVault(kPlain, kPassword);
  WriteFile(Path("RegInfo.dat"), sealed);
  const std::vector<std::string> usages[] = {
      {},
      {"list", Path("RegInfo.dat")},
      {"titles"},
      {"titles", Path("RegInfo.dat"), Path("out")},
      {"open", Path("RegInfo.dat")},
      {"seal", Path("RegInfo.dat"), Path("a"), Path("b")},
      {"--password", "x", "titles", Path("RegInfo.dat")},
      // Writing the output would change the input.
      {"open", Path("RegInfo.dat"), Path("RegInfo.dat")},
      {"seal", Path("RegInfo.dat"), folder_.path() + "/./RegInfo.dat"},
  };
  for (const std::vector<std::string>& arguments : usages) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const Outcome outcome = RunTool(arguments, Line(kTypedPassword));
    EXPECT_EQ(outcome.code, 2);
    EXPECT_NE(outcome.err, "");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(CountEntries(folder_.path()), 1u);
    EXPECT_EQ(ReadFile(Path("RegInfo.dat")), sealed);
  }
}

TEST_F(VaultTool, HelpGoesToStandardOutput) {
  const Outcome help = RunTool({"--help"}, "");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("molvane-vault titles SEALED"), std::string::npos);
  EXPECT_EQ(help.err, "");
}

}  // namespace
}  // namespace molvane
