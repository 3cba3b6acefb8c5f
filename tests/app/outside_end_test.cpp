// Ends that come from outside the program: a termination request closes the
// main window through its Destroying handler, so the register is sealed as
// after the close box; a lost display seals it at once under the password
// held, without asking.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_names.h"
#include "app/startup.h"
#include "support/program_fixture.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

using testing::PlainRegister;
using testing::ProgramFixture;
using toolkit::HeadlessWindow;
using toolkit::ShownDialog;

constexpr std::string_view kUnlockTitle = "请输入密码：";
constexpr std::string_view kSetTitle = "请设置密码：";

const std::string kPassword = "口令 1";
const std::string kRegister = PlainRegister(3);

std::vector<std::string> Captions(const ProgramFixture& program) {
  std::vector<std::string> captions;
  for (const ShownDialog& shown : program.toolkit.Dialogs()) captions.push_back(shown.caption);
  return captions;
}

// Starts on kRegister sealed under `password`, which the user gives.
HeadlessWindow* StartUnlocked(ProgramFixture& program, const std::string& password) {
  program.WriteRegister(SealVault(kRegister, password));
  program.toolkit.QueueInput(password);
  return program.LoadMainWindow();
}

void ExpectSealedUnder(const ProgramFixture& program, const std::string& password) {
  const std::string bytes = program.ReadRegister();
  EXPECT_NE(bytes, kRegister) << "left plain";
  EXPECT_EQ(OpenVault(bytes, password), kRegister) << "not sealed under that password";
}

TEST(TerminationRequest, ClosesTheMainWindowWhichSealsUnderTheHeldPassword) {
  ProgramFixture program;
  HeadlessWindow* window = StartUnlocked(program, kPassword);
  ASSERT_NE(window, nullptr);
  program.toolkit.QueueLoopScript([&] { program.toolkit.RequestEnd(); });

  program.toolkit.RunEventLoop();

  EXPECT_FALSE(window->IsOpen());
  EXPECT_EQ(program.app.main_window, nullptr);
  EXPECT_EQ(Captions(program), std::vector<std::string>{std::string(kUnlockTitle)});
  ExpectSealedUnder(program, kPassword);
}

// The dialogs open when the request comes end as cancelled, but the closing
// then asks for a password as usual, and once it has begun a second request
// takes nothing away.
TEST(TerminationRequest, StillAsksForAPasswordWhenNoneIsHeld) {
  ProgramFixture program;
  HeadlessWindow* window = StartUnlocked(program, "");
  ASSERT_NE(window, nullptr);
  program.toolkit.QueueLoopScript([&] { program.toolkit.RequestEnd(); });
  program.toolkit.QueueInput("新口令");
  program.toolkit.RunEventLoop();
  program.toolkit.RequestEnd();

  EXPECT_EQ(Captions(program),
            (std::vector<std::string>{std::string(kUnlockTitle), std::string(kSetTitle)}));
  EXPECT_TRUE(program.toolkit.Dialogs().back().answered);
  EXPECT_EQ(program.toolkit.UnusedAnswers(), 0u);
  ExpectSealedUnder(program, "新口令");
}

TEST(TerminationRequest, CancelsTheQuestionOpenAtThatMomentSoNothingIsDeleted) {
  ProgramFixture program;
  HeadlessWindow* window = StartUnlocked(program, kPassword);
  ASSERT_NE(window, nullptr);
  program.toolkit.QueueLoopScript([&] {
    ASSERT_TRUE(window->SelectItem(kTitleList, 0));
    program.toolkit.RequestEnd();
    program.toolkit.QueueMessageAnswer(toolkit::MessageAnswer::Ok);  // what the user would say
    window->Click("按钮_删除项");
  });

  program.toolkit.RunEventLoop();

  ASSERT_EQ(program.toolkit.Dialogs().size(), 2u);
  const ShownDialog& question = program.toolkit.Dialogs().back();
  EXPECT_FALSE(question.answered);
  EXPECT_EQ(question.answer, toolkit::MessageAnswer::Cancel);
  ExpectSealedUnder(program, kPassword);  // all three entries
}

TEST(TerminationRequest, ClosesAnOpenModalWindowFirst) {
  ProgramFixture program;
  HeadlessWindow* window = StartUnlocked(program, kPassword);
  ASSERT_NE(window, nullptr);
  bool script_ran = false;
  program.toolkit.QueueModalScript([&](HeadlessWindow&) { script_ran = true; });
  program.toolkit.QueueLoopScript([&] {
    ASSERT_TRUE(window->SelectItem(kTitleList, 0));
    program.toolkit.RequestEnd();
    window->Focus("编辑框_备注信息");  // opens the remarks window
  });

  program.toolkit.RunEventLoop();

  HeadlessWindow* remarks = program.toolkit.LastWindow("备注窗口");
  ASSERT_NE(remarks, nullptr) << "the remarks window was not opened";
  EXPECT_FALSE(remarks->IsOpen());
  EXPECT_FALSE(script_ran);
  ExpectSealedUnder(program, kPassword);
}

// Before the password is given the request cancels the prompt: the program
// ends and the file stays as it was.
TEST(TerminationRequest, AtThePasswordPromptEndsLeavingTheFileSealed) {
  ProgramFixture program;
  const std::string sealed = SealVault(kRegister, kPassword);
  program.WriteRegister(sealed);
  program.toolkit.QueueInput(kPassword);
  program.toolkit.RequestEnd();

  EXPECT_EQ(program.LoadMainWindow(), nullptr);

  EXPECT_EQ(program.toolkit.EndCode(), 0);
  ASSERT_EQ(program.toolkit.Dialogs().size(), 1u);
  EXPECT_FALSE(program.toolkit.Dialogs().front().answered);
  EXPECT_EQ(program.ReadRegister(), sealed);
}

struct LostCase {
  const char* name;
  std::string start_bytes;  // the file at start
  std::string password;     // given at the start-up prompt
  bool closed_first;        // the main window was closed before the display went
  // What follows: the password that the file is sealed under, or nothing
  // when it holds kRegister plain.
  std::optional<std::string> sealed_under;
};

void PrintTo(const LostCase& c, std::ostream* out) { *out << c.name; }

// clang-format off
const LostCase kLostCases[] = {
    // name                        start bytes                    password   closed  sealed under
    {"SealsUnderTheHeldPassword",  SealVault(kRegister, kPassword), kPassword, false, kPassword},
    {"LeavesItPlainWhenNoneIsHeld", SealVault(kRegister, ""),      "",        false, std::nullopt},
    {"SealsARecoveredPlainFile",   kRegister,                      kPassword, false, kPassword},
    // The close sealed it already: sealing the sealed bytes again would
    // lock the user out.
    {"LeavesItAloneAfterTheClose", SealVault(kRegister, kPassword), kPassword, true,  kPassword},
};
// clang-format on

class DisplayLost : public ::testing::TestWithParam<LostCase> {};

TEST_P(DisplayLost, SealsAtOnceWithoutAsking) {
  const LostCase& c = GetParam();
  ProgramFixture program;
  program.WriteRegister(c.start_bytes);
  program.toolkit.QueueInput(c.password);
  HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  if (c.closed_first) {
    ASSERT_TRUE(window->CloseBox());
  }
  const std::size_t shown = program.toolkit.Dialogs().size();

  program.toolkit.LoseDisplay();

  EXPECT_EQ(program.toolkit.Dialogs().size(), shown) << "something was shown";
  EXPECT_EQ(program.toolkit.EndCode(), 1);
  if (c.sealed_under) {
    ExpectSealedUnder(program, *c.sealed_under);
  } else {
    EXPECT_EQ(program.ReadRegister(), kRegister);
  }
  // Nothing runs after the end: no handler seals it a second time.
  EXPECT_FALSE(window->CloseBox());
}

INSTANTIATE_TEST_SUITE_P(Conditions, DisplayLost, ::testing::ValuesIn(kLostCases),
                         [](const ::testing::TestParamInfo<LostCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

}  // namespace
}  // namespace molvane
