#include "app/startup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/program_fixture.h"
#include "ui/main_window_bindings.h"
#include "ui/main_window_form.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

using testing::PlainRegister;
using testing::ProgramFixture;

struct StartCase {
  const char* name;
  std::optional<std::string> register_bytes;  // nothing: no file at all
  std::vector<std::string> titles;
  std::string caption;
};

class StartUpTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartUpTest, ListsTheRegisterInFileOrder) {
  const StartCase& c = GetParam();
  ProgramFixture program;
  // Only a register with content is sealed and asks for its password.
  const bool sealed = c.register_bytes && !c.register_bytes->empty();
  if (sealed) {
    program.WriteSealedRegister(*c.register_bytes);
  } else if (c.register_bytes) {
    program.WriteRegister(*c.register_bytes);
  }

  toolkit::HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(program.app.main_window, window);
  EXPECT_EQ(program.app.session.DataFilePath, program.Directory() + "/RegInfo.dat");
  EXPECT_EQ(program.app.session.VaultPassword, sealed ? testing::kRegisterPassword : "");
  EXPECT_EQ(program.toolkit.Dialogs().size(), sealed ? 1u : 0u);

  toolkit::ListBox& list = window->List("列表框_项目列表");
  std::vector<std::string> titles;
  for (int i = 0; i < list.Count(); ++i) titles.push_back(list.ItemText(i));
  EXPECT_EQ(titles, c.titles);
  EXPECT_EQ(list.Selection(), -1);
  EXPECT_EQ(window->Caption(), c.caption);
  EXPECT_FALSE(window->Edit("编辑框_标题").Enabled());
  EXPECT_EQ(program.ReadRegister(), c.register_bytes.value_or(""));  // plain while it runs
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Registers, StartUpTest, ::testing::Values(
    StartCase{"NoFile",        std::nullopt, {}, "Molvane"},
    StartCase{"EmptyFile",     "",           {}, "Molvane"},
    StartCase{"ThreeSections", "[网易邮箱]\r\n网址=a\r\n[Zeta]\r\n网址=b\r\n[阿里云]\r\n网址=c\r\n",
                               {"网易邮箱", "Zeta", "阿里云"}, "Molvane 3个项目"},
    StartCase{"NoSections",    "网址=a\r\n; only a comment\r\n", {}, "Molvane"}),
    [](const ::testing::TestParamInfo<StartCase>& param_info) { return std::string(param_info.param.name); });
// clang-format on

TEST(UpdateTitleCounter, CountsTheListsItemsWithoutABlankBeforeTheUnit) {
  ProgramFixture program;
  toolkit::HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  UpdateTitleCounter(*window);
  EXPECT_EQ(window->Caption(), "Molvane 0个项目");
  for (int i = 0; i < 12; ++i) window->List("列表框_项目列表").AddItem("x");
  UpdateTitleCounter(*window);
  EXPECT_EQ(window->Caption(), "Molvane 12个项目");
}

TEST(MainWindowTracking, AppKnowsTheMainWindowExactlyWhileItExists) {
  ProgramFixture program;
  toolkit::HeadlessWindow* window = program.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(program.app.main_window, window);
  ASSERT_TRUE(window->CloseBox());
  EXPECT_EQ(program.app.main_window, nullptr);
}

// StartProgram with the production form, keeping hold of the App that it
// creates (the exit routine owns it).
struct StartedProgram {
  ProgramFixture program;
  App* app = nullptr;
  int Start() {
    return StartProgram(program.toolkit, program.TestServices(), kMainWindowForm, [this](App& a) {
      app = &a;
      return BindMainWindow(a);
    });
  }
};

TEST(StartProgram, ShowsTheRegisterUntilTheUserClosesTheWindow) {
  StartedProgram started;
  started.program.WriteSealedRegister(PlainRegister(3));
  std::string caption_while_running;
  bool shown = false;
  started.program.toolkit.QueueLoopScript([&] {
    toolkit::HeadlessWindow* window = started.program.toolkit.LastWindow("主窗口");
    shown = window->IsShown();
    caption_while_running = window->Caption();
  });
  EXPECT_EQ(started.Start(), 0);
  EXPECT_TRUE(shown);
  EXPECT_EQ(caption_while_running, "Molvane 3个项目");
  EXPECT_FALSE(started.program.toolkit.LastWindow("主窗口")->IsOpen());
  ASSERT_NE(started.app, nullptr);
  EXPECT_EQ(started.app->main_window, nullptr);
  EXPECT_EQ(started.program.toolkit.ExitRoutineRuns(), 0);  // the process has not ended yet
  EXPECT_EQ(OpenVault(started.program.ReadRegister(), testing::kRegisterPassword),
            PlainRegister(3));  // sealed again as the window closed
}

TEST(StartProgram, ReleaseSessionRunsOnceAsTheProcessEnds) {
  StartedProgram started;
  EXPECT_EQ(started.Start(), 0);
  ASSERT_NE(started.app, nullptr);
  App& app = *started.app;
  EXPECT_EQ(app.session.DataFilePath, started.program.RegisterPath());
  app.session.VaultPassword = "secret";
  app.find = {true, 4, "abc"};

  started.program.toolkit.EndProcess();
  EXPECT_EQ(started.program.toolkit.ExitRoutineRuns(), 1);
  EXPECT_TRUE(app.session.DataFilePath.empty());
  EXPECT_TRUE(app.session.VaultPassword.empty());
  EXPECT_FALSE(app.find.Active);
  EXPECT_EQ(app.find.NextIndex, 0);
  EXPECT_TRUE(app.find.Pattern.empty());

  app.find.Pattern = "left alone";
  started.program.toolkit.EndProcess();
  EXPECT_EQ(started.program.toolkit.ExitRoutineRuns(), 1);
  EXPECT_EQ(app.find.Pattern, "left alone");
}

TEST(StartProgram, AnEndDuringCreationShowsNoWindowAndStillReturnsZero) {
  StartedProgram started;
  started.program.WriteSealedRegister(PlainRegister(1));
  const int code = StartProgram(
      started.program.toolkit, started.program.TestServices(), kMainWindowForm, [](App& app) {
        toolkit::Bindings bindings = BindMainWindow(app);
        bindings.push_back({{}, toolkit::EventKind::Created, [&app](const toolkit::Event&) {
                              app.toolkit.EndProgram(0);
                            }});
        bindings.push_back({{}, toolkit::EventKind::Destroying, [](const toolkit::Event&) {
                              ADD_FAILURE() << "destroyed after the end";
                            }});
        return bindings;
      });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(started.program.toolkit.EndCode(), 0);
  EXPECT_FALSE(started.program.toolkit.LastWindow("主窗口")->IsShown());
  started.program.toolkit.EndProcess();
  EXPECT_EQ(started.program.toolkit.ExitRoutineRuns(), 1);
}

}  // namespace
}  // namespace molvane
