// The real program under X: the 取当前IP button fills the registration-IP
// box of a new entry from the lookup page named by MOLVANE_IP_LOOKUP_URL,
// and Save stores what the box shows.

#include <filesystem>
#include <string>

#include "gui/gui_test.h"
#include "gui/main_window_input.h"
#include "support/scoped_environment.h"
#include "web/loopback_server.h"

namespace molvane::gui_test {
namespace {

using testing::ScopedEnvironment;

const std::filesystem::path kProgram = MOLVANE_PROGRAM;

class PublicIpGuiTest : public GuiTest {
 protected:
  // Starts the program with the lookup page at `url`, types a new entry,
  // clicks 取当前IP, saves, and gives the register as the Save wrote it.
  std::string SavedWithLookupFrom(const std::string& url) {
    const ScopedEnvironment page("MOLVANE_IP_LOOKUP_URL", url.c_str());
    ChildProgram program(kProgram);
    if (!program.Start()) return "program not started";
    const auto window = x11.WaitForWindow("Molvane");
    if (!window) return "no window captioned Molvane";
    x11.Focus(*window);

    TypeNewEntry(x11, *window, "Shop", "shop.example", "carol", "secret");
    ClickControl(x11, *window, kIpButton);
    ClickControl(x11, *window, kEditButton);
    // Every change goes straight to the file: it is read once the caption
    // counts the saved entry, whatever happens to it when the program ends.
    if (!x11.WaitForWindow(Utf8(u8"Molvane 1个项目"))) {
      return "not saved; caption " + x11.Caption(*window);
    }
    return ReadFile(program.Directory() / "RegInfo.dat");
  }

  static std::string Entry(const std::string& ip) {
    const std::string before =
        "[Shop]\r\n网址=shop.example\r\n账号=carol\r\n密码=secret\r\n"
        "手机=无\r\n邮箱=无\r\n注册IP=";
    const std::string after =
        "\r\n注册邮箱=未知\r\n注册手机=未知\r\n注册地点=未知\r\n"
        "注册时间=未知\r\n备注信息=无\r\n";
    return before + ip + after;
  }

  void SetUp() override {
    GuiTest::SetUp();
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
      unsetenv(name);
    }
  }
};

TEST_F(PublicIpGuiTest, TheAddressOnTheLookupPageIsSavedWithTheNewEntry) {
  LoopbackServer server;
  ASSERT_TRUE(server.started());
  server.AddPage("ip.html",
                 "<table><tr><th>IP: <span style=\"color: rgb(243, 102, 102);\">203.0.113.7"
                 "</span></th></tr></table>");
  EXPECT_EQ(SavedWithLookupFrom(server.HttpsUrl("/pages/ip.html")), Entry("203.0.113.7"));
}

TEST_F(PublicIpGuiTest, WithoutALookupServerTheFailureTextIsSaved) {
  RefusingPort closed;
  ASSERT_NE(closed.port(), 0);
  const std::string url = "https://127.0.0.1:" + std::to_string(closed.port()) + "/ip.html";
  EXPECT_EQ(SavedWithLookupFrom(url), Entry("获取IP失败请重试."));
}

}  // namespace
}  // namespace molvane::gui_test
