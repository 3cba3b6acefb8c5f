// The 取当前IP button against lookup pages served on the loopback interface:
// what lands in the registration-IP box, and the button's state afterwards.

#include "ui/public_ip_button.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "app/default_services.h"
#include "app/main_window_names.h"
#include "support/program_fixture.h"
#include "support/scoped_environment.h"
#include "web/loopback_server.h"
#include "web/public_ip.h"

namespace molvane {
namespace {

using testing::ProgramFixture;
using toolkit::HeadlessWindow;

constexpr std::string_view kFailure = "获取IP失败请重试.";

const std::string kLeft = "IP: <span style=\"color: rgb(243, 102, 102);\">";
const std::string kRight = "</span></th>";

void UnsetProxies() {
  for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
    unsetenv(name);
  }
}

// Clicks the button of a main window whose IP box holds "old" with the
// given read-only state, and gives the window.
HeadlessWindow& ClickWithBox(ProgramFixture& fixture, bool read_only) {
  HeadlessWindow* window = fixture.LoadMainWindow();
  if (window == nullptr) std::abort();
  toolkit::EditBox& box = window->Edit(kIpBox);
  box.SetEnabled(true);
  box.SetReadOnly(read_only);
  box.SetText("old");
  window->ButtonNamed(kIpButton).SetEnabled(true);
  EXPECT_TRUE(window->Click(kIpButton));
  return *window;
}

struct PageCase {
  const char* name;
  std::string page;
  std::string expected;
};

TEST(LookUpPublicIp, FillsTheBoxFromThePageOrWithTheFailureText) {
  UnsetProxies();
  LoopbackServer server;
  ASSERT_TRUE(server.started());
  const std::string failure(kFailure);
  // clang-format off
  const PageCase cases[] = {
      {"address",          "<tr><th>" + kLeft + "203.0.113.9" + kRight + "</tr>", "203.0.113.9"},
      {"first of two",     kLeft + "192.0.2.1" + kRight + kLeft + "192.0.2.2" + kRight, "192.0.2.1"},
      {"kept as it is",    kLeft + " 不是地址 " + kRight,                              " 不是地址 "},
      {"no markers",       "<html><body>busy, try later</body></html>",               failure},
      {"right only first", kRight + " " + kLeft + "203.0.113.9",                       failure},
      {"left lower case",  "ip: <span style=\"color: rgb(243, 102, 102);\">203.0.113.9" + kRight,
                                                                                       failure},
      {"zero byte before", std::string("<html>\0", 7) + kLeft + "203.0.113.9" + kRight, failure},
      {"nothing enclosed", kLeft + kRight,                                             failure},
      {"line break first", kLeft + "\r\n203.0.113.9" + kRight,                          failure},
      {"empty page",       "",                                                         failure},
  };
  // clang-format on
  int page_number = 0;
  for (const PageCase& c : cases) {
    const std::string page = "ip-" + std::to_string(++page_number) + ".html";
    server.AddPage(page, c.page);
    for (const bool read_only : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (read_only ? ", read-only box" : ", editable box"));
      ProgramFixture fixture;
      fixture.app.services.ip_lookup_url = server.HttpsUrl("/pages/" + page);
      HeadlessWindow& window = ClickWithBox(fixture, read_only);
      EXPECT_EQ(window.Edit(kIpBox).Text(), c.expected);
      EXPECT_EQ(window.Edit(kIpBox).ReadOnly(), read_only);
      EXPECT_TRUE(window.ButtonNamed(kIpButton).Enabled());
    }
  }
}

// Nothing answers: a closed port, and no page address at all. The failure
// text shows and no message box is raised.
TEST(LookUpPublicIp, WithoutAServerTheFailureTextShowsAndTheButtonIsBack) {
  UnsetProxies();
  RefusingPort closed;
  ASSERT_NE(closed.port(), 0);
  for (const std::string& url :
       {"https://127.0.0.1:" + std::to_string(closed.port()) + "/ip.html", std::string()}) {
    SCOPED_TRACE(url);
    ProgramFixture fixture;
    fixture.app.services.ip_lookup_url = url;
    HeadlessWindow& window = ClickWithBox(fixture, true);
    EXPECT_EQ(window.Edit(kIpBox).Text(), kFailure);
    EXPECT_TRUE(window.ButtonNamed(kIpButton).Enabled());
    EXPECT_TRUE(window.CanTakeInput());  // no dialog over the window
  }
}

// The button comes back enabled even when it was disabled before the
// handler ran, as after every click.
TEST(LookUpPublicIp, TheButtonIsEnabledAfterTheHandlerWhateverItsStateBefore) {
  ProgramFixture fixture;
  HeadlessWindow* window = fixture.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  window->ButtonNamed(kIpButton).SetEnabled(false);
  LookUpPublicIp(fixture.app, toolkit::Event{*window});
  EXPECT_TRUE(window->ButtonNamed(kIpButton).Enabled());
  EXPECT_EQ(window->Edit(kIpBox).Text(), kFailure);
}

TEST(DefaultServices, TheLookupPageComesFromTheEnvironment) {
  {
    testing::ScopedEnvironment moved("MOLVANE_IP_LOOKUP_URL", "http://127.0.0.1:9/ip.html");
    EXPECT_EQ(DefaultServices().ip_lookup_url, "http://127.0.0.1:9/ip.html");
  }
  testing::ScopedEnvironment unset("MOLVANE_IP_LOOKUP_URL", nullptr);
  EXPECT_EQ(DefaultServices().ip_lookup_url, kPublicIpLookupUrl);
}

}  // namespace
}  // namespace molvane
