#include "app/vault_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/program_fixture.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

using testing::PlainRegister;
using testing::ProgramFixture;
using toolkit::HeadlessWindow;
using toolkit::ShownDialog;

constexpr std::string_view kUnlockPrompt = "请输入注册信息文件的密码：";
constexpr std::string_view kUnlockTitle = "请输入密码：";
constexpr std::string_view kSetPrompt =
    "请设置注册信息文件的密码(防止注册信息被泄露)：\r\n"
    "注：如果不设置密码就结束进程，将无法读取保存的注册信息！";
constexpr std::string_view kSetTitle = "请设置密码：";
constexpr std::string_view kWrongPassword = "密码错误！";
constexpr std::string_view kWriteBackFailed = "写出解密文件失败！";
constexpr std::string_view kSealFailed = "写出加密文件失败！";
constexpr std::string_view kLeftPlain = "注册信息文件未加密，已按明文打开。";

const std::string kPassword = "正确的密码";
const std::string kRegister = PlainRegister(2);

const std::filesystem::perms kReadOnly = std::filesystem::perms(0444);

// A user's answer to a prompt: the text confirmed, or nothing for a cancel.
using Answer = std::optional<std::string>;

void Queue(ProgramFixture& program, const std::vector<Answer>& answers) {
  for (const Answer& answer : answers) {
    if (answer) {
      program.toolkit.QueueInput(*answer);
    } else {
      program.toolkit.QueueInputCancel();
    }
  }
}

std::vector<std::string> Texts(const ProgramFixture& program, ShownDialog::Kind kind) {
  std::vector<std::string> texts;
  for (const ShownDialog& shown : program.toolkit.Dialogs()) {
    if (shown.kind == kind) texts.push_back(shown.text);
  }
  return texts;
}

std::vector<std::string> Messages(const ProgramFixture& program) {
  return Texts(program, ShownDialog::Kind::Message);
}

// The title list of the main window, as start-up filled it.
int TitleCount(HeadlessWindow& window) { return window.List("列表框_项目列表").Count(); }

// What is in the data folder before a start.
enum class Before {
  kNoFile,
  kEmpty,
  kSealed,              // kRegister sealed under kPassword
  kUnsealed,            // kRegister, left plain by a run that was killed
  kUnsealedBlankFirst,  // plain, with blank lines before its first header
  kNotARegister,        // plain text whose first line is no header
  kZeroByte,            // a header first, but a zero byte inside
};

std::optional<std::string> BytesOf(Before before) {
  switch (before) {
    case Before::kNoFile:
      return std::nullopt;
    case Before::kEmpty:
      return "";
    case Before::kSealed:
      return SealVault(kRegister, kPassword);
    case Before::kUnsealed:
      return kRegister;
    case Before::kUnsealedBlankFirst:
      return " \t\r\n\r\n" + kRegister;
    case Before::kNotARegister:
      return "notes\r\n" + kRegister;
    case Before::kZeroByte:
      return kRegister + std::string(1, '\0');
  }
  return std::nullopt;
}

struct StartCase {
  const char* name;
  Before before;
  std::vector<Answer> answers;  // to the start-up prompt
  bool read_only;               // the file cannot be replaced
  // What follows.
  bool asked;
  std::vector<std::string> messages;
  bool runs;         // the main window opens
  bool plain_after;  // the file holds kRegister, else it is byte for byte as before
  std::string held;  // VaultPassword once start-up is over
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

const std::string kNone;

// clang-format off
const StartCase kStartCases[] = {
    // name                       before                       answers          ro     asked  messages                         runs   plain  held
    {"NoFileAsksNothing",         Before::kNoFile,             {},              false, false, {},                              true,  false, kNone},
    {"EmptyFileAsksNothing",      Before::kEmpty,              {},              false, false, {},                              true,  false, kNone},
    {"CancelEndsLeavingTheFile",  Before::kSealed,             {std::nullopt},  false, true,  {},                              false, false, kNone},
    {"WrongPasswordEnds",         Before::kSealed,             {"错误"},        false, true,  {std::string(kWrongPassword)},   false, false, "错误"},
    {"RightPasswordOpens",        Before::kSealed,             {kPassword},     false, true,  {},                              true,  true,  kPassword},
    {"FailedWriteBackEnds",       Before::kSealed,             {kPassword},     true,  true,  {std::string(kWriteBackFailed)}, false, false, kPassword},
    {"PlainRegisterOpensAsItIs",  Before::kUnsealed,           {"新密码"},      false, true,  {std::string(kLeftPlain)},       true,  true,  "新密码"},
    {"PlainWithBlankLinesFirst",  Before::kUnsealedBlankFirst, {"新密码"},      false, true,  {std::string(kLeftPlain)},       true,  false, "新密码"},
    {"PlainOpenedWithNoPassword", Before::kUnsealed,           {""},            false, true,  {std::string(kLeftPlain)},       true,  true,  kNone},
    {"TextThatIsNoRegisterEnds",  Before::kNotARegister,       {"新密码"},      false, true,  {std::string(kWrongPassword)},   false, false, "新密码"},
    {"ZeroByteIsNoRegister",      Before::kZeroByte,           {"新密码"},      false, true,  {std::string(kWrongPassword)},   false, false, "新密码"},
};
// clang-format on

class StartUpUnlock : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartUpUnlock, OpensTheRegisterOrEndsLeavingItUntouched) {
  const StartCase& c = GetParam();
  ProgramFixture program;
  const std::optional<std::string> before = BytesOf(c.before);
  if (before) program.WriteRegister(*before);
  if (c.read_only) std::filesystem::permissions(program.RegisterPath(), kReadOnly);
  Queue(program, c.answers);

  HeadlessWindow* window = program.LoadMainWindow();

  const std::vector<std::string> prompts = Texts(program, ShownDialog::Kind::Input);
  EXPECT_EQ(prompts, c.asked ? std::vector<std::string>{std::string(kUnlockPrompt)}
                             : std::vector<std::string>{});
  if (c.asked) {
    EXPECT_EQ(program.toolkit.Dialogs().front().caption, kUnlockTitle);
  }
  EXPECT_EQ(Messages(program), c.messages);
  for (const ShownDialog& shown : program.toolkit.Dialogs()) {
    if (shown.kind == ShownDialog::Kind::Message) {
      EXPECT_EQ(shown.buttons, toolkit::MessageButtons::Ok);
    }
  }
  EXPECT_EQ(window != nullptr, c.runs);
  EXPECT_EQ(program.toolkit.EndCode(), c.runs ? std::nullopt : std::optional<int>(0));
  EXPECT_EQ(program.app.session.VaultPassword, c.held);
  EXPECT_EQ(std::filesystem::exists(program.RegisterPath()), before.has_value());
  if (before) {
    EXPECT_EQ(program.ReadRegister(), c.plain_after ? kRegister : *before);
  }
  if (window != nullptr && c.before != Before::kNoFile && c.before != Before::kEmpty) {
    EXPECT_EQ(TitleCount(*window), 2);
  }

  if (!c.runs) {
    // No handler runs after the end: the main window is never destroyed
    // through LockVault, so nothing more is asked and the file stays.
    const std::size_t shown = program.toolkit.Dialogs().size();
    HeadlessWindow* main = program.toolkit.LastWindow("主窗口");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->CloseBox());
    program.toolkit.EndProcess();
    EXPECT_EQ(program.toolkit.Dialogs().size(), shown);
    EXPECT_EQ(program.ReadRegister(), before.value_or(""));
  }
}

INSTANTIATE_TEST_SUITE_P(Conditions, StartUpUnlock, ::testing::ValuesIn(kStartCases),
                         [](const ::testing::TestParamInfo<StartCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

// How the run that is closing began, and what it did.
enum class Run {
  kFirstRun,            // no file at start; an entry is saved meanwhile
  kEmptyFile,           // a file of 0 bytes, left so
  kOpenedWithPassword,  // sealed under kPassword, opened with it
  kOpenedWithEmpty,     // sealed under the empty password, opened with it
};

struct ExitCase {
  const char* name;
  Run run;
  std::vector<Answer> answers;  // to the set-password prompt
  bool read_only;               // the file was made read-only during the run
  // What follows.
  int prompts;  // set-password prompts shown
  std::vector<std::string> messages;
  std::optional<std::string> sealed_under;  // nothing: the file is as the run left it
};

void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.name; }

// clang-format off
const ExitCase kExitCases[] = {
    // name                           run                       answers                                         ro     prompts messages                    sealed under
    {"EmptyFileStaysUnasked",         Run::kEmptyFile,          {},                                             false, 0,      {},                         std::nullopt},
    {"HeldPasswordSealsUnasked",      Run::kOpenedWithPassword, {},                                             false, 0,      {},                         kPassword},
    {"FirstRunAsksForAPassword",      Run::kFirstRun,           {"新密码"},                                     false, 1,      {},                         "新密码"},
    {"EmptyStartPasswordAsksAgain",   Run::kOpenedWithEmpty,    {"新密码"},                                     false, 1,      {},                         "新密码"},
    {"CancelAsksAgainUntilConfirmed", Run::kFirstRun,           {std::nullopt, std::nullopt, std::nullopt, "x"}, false, 4,      {},                         "x"},
    {"EmptyPasswordCanBeChosen",      Run::kFirstRun,           {""},                                           false, 1,      {},                         ""},
    {"ReadOnlyFileIsReportedOnce",    Run::kOpenedWithPassword, {},                                             true,  0,      {std::string(kSealFailed)}, std::nullopt},
};
// clang-format on

class ExitLock : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitLock, SealsThePlainRegisterAsTheWindowCloses) {
  const ExitCase& c = GetParam();
  ProgramFixture program;
  switch (c.run) {
    case Run::kFirstRun:
      break;
    case Run::kEmptyFile:
      program.WriteRegister("");
      break;
    case Run::kOpenedWithPassword:
      program.WriteRegister(SealVault(kRegister, kPassword));
      program.toolkit.QueueInput(kPassword);
      break;
    case Run::kOpenedWithEmpty:
      program.WriteRegister(SealVault(kRegister, ""));
      program.toolkit.QueueInput("");
      break;
  }
  HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  if (c.run == Run::kFirstRun) program.WriteRegister(kRegister);  // as a save creates it
  if (c.read_only) std::filesystem::permissions(program.RegisterPath(), kReadOnly);
  const std::string during = program.ReadRegister();
  const std::size_t start_dialogs = program.toolkit.Dialogs().size();
  Queue(program, c.answers);

  ASSERT_TRUE(window->CloseBox());

  std::vector<ShownDialog> at_exit(
      program.toolkit.Dialogs().begin() + static_cast<std::ptrdiff_t>(start_dialogs),
      program.toolkit.Dialogs().end());
  int prompts = 0;
  std::vector<std::string> messages;
  for (const ShownDialog& shown : at_exit) {
    if (shown.kind == ShownDialog::Kind::Input) {
      ++prompts;
      EXPECT_EQ(shown.text, kSetPrompt);
      EXPECT_EQ(shown.caption, kSetTitle);
    } else {
      messages.push_back(shown.text);
    }
  }
  EXPECT_EQ(prompts, c.prompts);
  EXPECT_EQ(messages, c.messages);
  EXPECT_EQ(program.toolkit.UnusedAnswers(), 0u);
  if (c.sealed_under) {
    EXPECT_EQ(program.ReadRegister(), SealVault(during, *c.sealed_under));
    EXPECT_EQ(OpenVault(program.ReadRegister(), *c.sealed_under), during);
  } else {
    EXPECT_EQ(program.ReadRegister(), during);
  }
}

INSTANTIATE_TEST_SUITE_P(Conditions, ExitLock, ::testing::ValuesIn(kExitCases),
                         [](const ::testing::TestParamInfo<ExitCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST(LockVault, NoFileAtExitWritesNothing) {
  ProgramFixture program;
  HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->CloseBox());
  EXPECT_TRUE(program.toolkit.Dialogs().empty());
  EXPECT_FALSE(std::filesystem::exists(program.RegisterPath()));
}

// One run of the program on `file`: answers the prompts, closes the main
// window and gives the file as the run left it, with what was asked.
struct RunResult {
  std::string file;
  std::vector<std::string> prompts;
  std::vector<std::string> messages;
  int titles = 0;
};

RunResult RunOnce(const std::string& file, const std::vector<Answer>& answers) {
  ProgramFixture program;
  program.WriteRegister(file);
  Queue(program, answers);
  RunResult result;
  HeadlessWindow* window = program.LoadMainWindow();
  if (window != nullptr) {
    result.titles = TitleCount(*window);
    EXPECT_TRUE(window->CloseBox());
  }
  EXPECT_EQ(program.toolkit.UnusedAnswers(), 0u);
  result.file = program.ReadRegister();
  result.prompts = Texts(program, ShownDialog::Kind::Input);
  result.messages = Messages(program);
  return result;
}

TEST(VaultRoundTrip, ThePasswordGivenAtStartSealsTheSameFileAgain) {
  const std::string sealed = SealVault(kRegister, kPassword);
  const RunResult first = RunOnce(sealed, {kPassword});
  EXPECT_EQ(first.prompts, std::vector<std::string>{std::string(kUnlockPrompt)});
  EXPECT_EQ(first.titles, 2);
  EXPECT_EQ(first.file, sealed);  // sealing is deterministic: unchanged content, same bytes

  const RunResult second = RunOnce(first.file, {kPassword});
  EXPECT_EQ(second.titles, 2);
  EXPECT_TRUE(second.messages.empty());
}

TEST(VaultRoundTrip, AnEmptyPasswordOpensAndIsAskedForAgainAtTheNextExit) {
  const RunResult first = RunOnce(SealVault(kRegister, ""), {"", ""});
  EXPECT_EQ(first.prompts,
            (std::vector<std::string>{std::string(kUnlockPrompt), std::string(kSetPrompt)}));
  EXPECT_EQ(first.titles, 2);
  EXPECT_EQ(OpenVault(first.file, ""), kRegister);

  const RunResult second = RunOnce(first.file, {"", "新密码"});
  EXPECT_EQ(second.titles, 2);
  EXPECT_EQ(OpenVault(second.file, "新密码"), kRegister);
}

TEST(VaultRoundTrip, ARegisterLeftPlainIsSealedUnderThePasswordGivenForIt) {
  const RunResult recovered = RunOnce(kRegister, {kPassword});
  EXPECT_EQ(recovered.messages, std::vector<std::string>{std::string(kLeftPlain)});
  EXPECT_EQ(recovered.prompts, std::vector<std::string>{std::string(kUnlockPrompt)});
  EXPECT_EQ(recovered.titles, 2);
  EXPECT_EQ(recovered.file, SealVault(kRegister, kPassword));

  const RunResult next = RunOnce(recovered.file, {kPassword});
  EXPECT_TRUE(next.messages.empty());
  EXPECT_EQ(next.titles, 2);
}

std::string ReadsNothing(std::string_view) { return {}; }

// A file that has content but reads as nothing (no reader fails that way
// for root, who may read any file, so a stand-in reader plays the part).
TEST(SealDataFile, NeverSealsAFailedReadOverAFileWithContent) {
  ProgramFixture program;
  program.WriteRegister(kRegister);
  const AppSession session{program.RegisterPath(), kPassword};
  EXPECT_FALSE(SealDataFile(session, ReadsNothing));
  EXPECT_EQ(program.ReadRegister(), kRegister);
}

TEST(SealDataFile, SealsUnderTheHeldPasswordWithoutAsking) {
  ProgramFixture program;
  program.WriteRegister(kRegister);
  EXPECT_TRUE(SealDataFile({program.RegisterPath(), kPassword}));
  EXPECT_EQ(OpenVault(program.ReadRegister(), kPassword), kRegister);
  EXPECT_TRUE(program.toolkit.Dialogs().empty());
}

TEST(SealDataFile, HasNothingToSealForAnAbsentOrEmptyFile) {
  ProgramFixture program;
  EXPECT_TRUE(SealDataFile({program.RegisterPath(), kPassword}));
  EXPECT_FALSE(std::filesystem::exists(program.RegisterPath()));
  program.WriteRegister("");
  EXPECT_TRUE(SealDataFile({program.RegisterPath(), kPassword}));
  EXPECT_EQ(program.ReadRegister(), "");
}

}  // namespace
}  // namespace molvane
