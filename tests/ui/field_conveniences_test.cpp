// The aids on the main window's field boxes: select all on focus, the place
// text, the current time, and the site address opened from its label.

#include "ui/field_conveniences.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "app/main_window_names.h"
#include "support/program_fixture.h"

namespace molvane {
namespace {

using testing::ProgramFixture;
using toolkit::HeadlessWindow;

constexpr std::string_view kSelectAllBoxes[] = {
    "编辑框_网址",     "编辑框_账号",     "编辑框_密码",     "编辑框_手机",     "编辑框_邮箱",
    "编辑框_注册邮箱", "编辑框_注册手机", "编辑框_注册地点", "编辑框_注册时间", "编辑框_注册IP",
};

// The main window with these boxes enabled, read-only (an entry viewed) or
// editable (an entry typed), each holding "text".
HeadlessWindow& OpenWithBoxes(ProgramFixture& fixture, bool read_only) {
  HeadlessWindow* window = fixture.LoadMainWindow();
  if (window == nullptr) std::abort();
  std::vector<std::string_view> boxes(std::begin(kSelectAllBoxes), std::end(kSelectAllBoxes));
  boxes.push_back(kTitleBox);
  for (std::string_view name : boxes) {
    toolkit::EditBox& box = window->Edit(name);
    box.SetEnabled(true);
    box.SetReadOnly(read_only);
    box.SetText("text");
  }
  return *window;
}

TEST(SelectAllOnFocus, TenBoxesSelectAllInEveryStateAndTheTitleBoxDoesNot) {
  for (const bool read_only : {true, false}) {
    SCOPED_TRACE(read_only ? "read-only" : "editable");
    ProgramFixture fixture;
    HeadlessWindow& window = OpenWithBoxes(fixture, read_only);
    for (std::string_view name : kSelectAllBoxes) {
      ASSERT_TRUE(window.Focus(name)) << name;
      EXPECT_TRUE(window.EditState(name).AllSelected()) << name;
    }
    ASSERT_TRUE(window.Focus(kTitleBox));
    EXPECT_FALSE(window.EditState(kTitleBox).AllSelected());
  }
}

TEST(SelectAllOnFocus, TypingAfterTheFocusReplacesTheWholeText) {
  ProgramFixture fixture;
  HeadlessWindow& window = OpenWithBoxes(fixture, false);
  ASSERT_TRUE(window.Type("编辑框_账号", "new"));
  EXPECT_EQ(window.Edit("编辑框_账号").Text(), "new");
  ASSERT_TRUE(window.Type(kTitleBox, "new"));
  EXPECT_EQ(window.Edit(kTitleBox).Text(), "textnew");
}

// The place text replaces what was there, read-only or not; the register is
// not touched.
TEST(PlaceDoubleClick, FillsTheFixedPlaceInEveryState) {
  for (const bool read_only : {true, false}) {
    ProgramFixture fixture;
    HeadlessWindow& window = OpenWithBoxes(fixture, read_only);
    ASSERT_TRUE(window.DoubleClick(kPlaceBox));
    EXPECT_EQ(window.Edit(kPlaceBox).Text(), "山东省枣庄市薛城区");
    EXPECT_TRUE(fixture.ReadRegister().empty());
  }
}

TEST(TimeButton, WritesTheCurrentTimeAs24HourDateAndMinutes) {
  const struct {
    double now;
    std::string shown;
  } cases[] = {
      {AutomationDate(2018, 3, 3, 9, 5, 0), "2018-03-03 09:05"},
      {AutomationDate(2018, 3, 3, 21, 5, 59), "2018-03-03 21:05"},
      {AutomationDate(2000, 12, 31, 0, 0, 0), "2000-12-31 00:00"},
      {std::numeric_limits<double>::quiet_NaN(), ""},  // no date: the box is emptied
  };
  for (const auto& c : cases) {
    ProgramFixture fixture;
    fixture.now = c.now;
    HeadlessWindow& window = OpenWithBoxes(fixture, false);
    window.ButtonNamed(kTimeButton).SetEnabled(true);
    ASSERT_TRUE(window.Click(kTimeButton));
    EXPECT_EQ(window.Edit(kTimeBox).Text(), c.shown);
  }
}

// What a double-click on the label "网址：" hands to the browser.
struct SiteCase {
  const char* name;
  std::string text;
  bool read_only;
  std::optional<std::string> opened;
};

void PrintTo(const SiteCase& c, std::ostream* out) { *out << c.name; }

// clang-format off
const SiteCase kSiteCases[] = {
  {"WebAddressOpensAsItIs",        "https://example.com/a?b=1", true,  "https://example.com/a?b=1"},
  {"SchemeInAnyCase",              "HTTP://Example.com",        true,  "HTTP://Example.com"},
  {"BlanksAtTheEndsAreLeftOut",    "  http://example.com  ",    true,  "http://example.com"},
  {"NoSchemeGetsHttp",             "www.example.com",           true,  "http://www.example.com"},
  {"HostAndPathGetsHttp",          "example.com/login",         true,  "http://example.com/login"},
  {"OtherSchemeOpensNothing",      "file:///etc/passwd",        true,  std::nullopt},
  {"AbsolutePathOpensNothing",     "/usr/bin/xterm",            true,  std::nullopt},
  {"HomePathOpensNothing",         "~/run.sh",                  true,  std::nullopt},
  {"RelativePathOpensNothing",     "./run.sh",                  true,  std::nullopt},
  {"DrivePathOpensNothing",        "C:\\Windows\\notepad.exe",  true,  std::nullopt},
  {"BackslashPathOpensNothing",    "\\\\server\\share",         true,  std::nullopt},
  {"EmptyOpensNothing",            "",                          true,  std::nullopt},
  {"EditableOpensNothing",         "https://example.com",       false, std::nullopt},
};
// clang-format on

class SiteLabelTest : public ::testing::TestWithParam<SiteCase> {};

TEST_P(SiteLabelTest, OpensOnlyAWebAddressWhileTheBoxesAreReadOnly) {
  const SiteCase& c = GetParam();
  ProgramFixture fixture;
  HeadlessWindow& window = OpenWithBoxes(fixture, c.read_only);
  window.Edit(kSiteBox).SetText(c.text);
  ASSERT_TRUE(window.DoubleClick("标签_网址"));
  const std::vector<std::string> expected =
      c.opened ? std::vector<std::string>{*c.opened} : std::vector<std::string>{};
  EXPECT_EQ(fixture.opened_addresses, expected);
  EXPECT_TRUE(fixture.toolkit.Dialogs().empty());  // nothing is reported
}

INSTANTIATE_TEST_SUITE_P(SiteLabel, SiteLabelTest, ::testing::ValuesIn(kSiteCases),
                         [](const ::testing::TestParamInfo<SiteCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

// At start the boxes are disabled and not read-only: nothing opens.
TEST(SiteLabel, OpensNothingBeforeAnyEntryIsShown) {
  ProgramFixture fixture;
  HeadlessWindow* window = fixture.LoadMainWindow();
  ASSERT_NE(window, nullptr);
  window->Edit(kSiteBox).SetText("https://example.com");
  ASSERT_TRUE(window->DoubleClick("标签_网址"));
  EXPECT_TRUE(fixture.opened_addresses.empty());
}

}  // namespace
}  // namespace molvane
