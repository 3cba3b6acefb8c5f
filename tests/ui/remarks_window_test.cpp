// The remarks window opened from the main window's remarks box: what it
// shows, what "确定" writes back, and that the focus coming back from it
// opens nothing.

#include "ui/remarks_window.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/main_window_names.h"
#include "support/program_fixture.h"
#include "ui/remarks_window_form.h"

namespace molvane {
namespace {

using testing::ProgramFixture;
using toolkit::HeadlessWindow;

constexpr std::string_view kOk = "按钮_确定";

// The main window with its boxes enabled, the remarks box holding `stored`
// and editable (a new entry or an edit) or read-only (an entry viewed), as
// the workflow leaves them.
class RemarksWindowTest : public ::testing::Test {
 protected:
  void Open(std::string_view stored, bool read_only) {
    main_ = fixture_.LoadMainWindow();
    ASSERT_NE(main_, nullptr);
    for (std::string_view name : {kRemarksBox, kSiteBox}) {
      toolkit::EditBox& box = main_->Edit(name);
      box.SetEnabled(true);
      box.SetReadOnly(read_only);
      box.SetBackground(read_only ? toolkit::kDefaultBackground : toolkit::kWhite);
    }
    main_->Edit(kRemarksBox).SetText(stored);
    ASSERT_TRUE(main_->Focus(kSiteBox));
  }

  [[nodiscard]] std::string Stored() { return main_->Edit(kRemarksBox).Text(); }
  [[nodiscard]] HeadlessWindow* LastRemarksWindow() const {
    return fixture_.toolkit.LastWindow(kRemarksWindowForm.name);
  }

  ProgramFixture fixture_;
  HeadlessWindow* main_ = nullptr;
};

struct Case {
  const char* name;
  std::string stored;  // the main window's box before
  bool read_only;
  std::string shown;   // the remarks window's box when it opens
  std::string typed;   // typed into it (after a select-all when `replace`)
  bool ok;             // "确定", else the close box
  std::string after;   // the main window's box afterwards
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// clang-format off
const Case kCases[] = {
  {"TwoTypedLinesComeBackOnOneLine",   "",              false, "",             "ab\r\ncd",   true,  "ab\\r\\ncd"},
  {"StoredEscapesShowAsLineBreaks",    "ab\\r\\ncd",     false, "ab\r\ncd",     "",           true,  "ab\\r\\ncd"},
  {"TypingGoesOnAfterTheLastLine",     "a\\r\\nb",       false, "a\r\nb",       "\r\nc",      true,  "a\\r\\nb\\r\\nc"},
  {"ALoneLineFeedIsALineBreakToo",     "",              false, "",             "ab\ncd",     true,  "ab\\r\\ncd"},
  {"ALoneCarriageReturnIsOneToo",      "",              false, "",             "ab\rcd",     true,  "ab\\r\\ncd"},
  {"MixedAndEmptyLines",               "",              false, "",             "a\r\n\r\nb\n\rc\r", true,
                                                                                 "a\\r\\n\\r\\nb\\r\\n\\r\\nc\\r\\n"},
  {"DoubleByteTextAroundTheBreaks",    "",              false, "",             "备注\r\n信息", true,  "备注\\r\\n信息"},
  // A trail byte 5C is no backslash: 乗 is 81 5C in GBK, so 乗 followed by r, backslash, n
  // holds no escape.
  {"TrailByteBackslashIsNoEscape",     "\x81\x5Cr\\n",   false, "\x81\x5Cr\\n",  "",          true,  "\x81\x5Cr\\n"},
  {"ReadOnlyViewingWritesNothing",     "ab\\r\\ncd",     true,  "ab\r\ncd",     "zz",         true,  "ab\\r\\ncd"},
  {"CloseBoxWritesNothing",            "ab",            false, "ab",           "\r\nzz",     false, "ab"},
};
// clang-format on

class RemarksCaseTest : public RemarksWindowTest, public ::testing::WithParamInterface<Case> {};

TEST_P(RemarksCaseTest, ShowsDecodedAndWritesBackEncoded) {
  const Case& c = GetParam();
  Open(c.stored, c.read_only);
  bool ran = false;
  fixture_.toolkit.QueueModalScript([&](HeadlessWindow& remarks) {
    ran = true;
    EXPECT_FALSE(main_->CanTakeInput()) << "the main window must wait for the remarks window";
    EXPECT_EQ(remarks.Caption(), "备注信息：");
    const toolkit::EditBox& box = remarks.Edit(kRemarksBox);
    EXPECT_EQ(box.Text(), c.shown);
    EXPECT_EQ(box.ReadOnly(), c.read_only);
    EXPECT_EQ(box.Background(), main_->Edit(kRemarksBox).Background());
    EXPECT_EQ(remarks.Type(kRemarksBox, c.typed), !c.read_only);
    if (c.ok) {
      EXPECT_TRUE(remarks.Click(kOk));
    } else {
      EXPECT_TRUE(remarks.CloseBox());
    }
    EXPECT_FALSE(remarks.IsOpen());
  });
  ASSERT_TRUE(main_->Focus(kRemarksBox));
  EXPECT_TRUE(ran);
  EXPECT_EQ(Stored(), c.after);
  EXPECT_TRUE(main_->CanTakeInput());
}

INSTANTIATE_TEST_SUITE_P(Remarks, RemarksCaseTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST_F(RemarksWindowTest, LiteralEscapeTypedByTheUserOpensAsALineBreak) {
  Open("", false);
  fixture_.toolkit.QueueModalScript([](HeadlessWindow& remarks) {
    remarks.Type(kRemarksBox, "ab\\r\\ncd");
    remarks.Click(kOk);
  });
  fixture_.toolkit.QueueModalScript([](HeadlessWindow& remarks) {
    EXPECT_EQ(remarks.Edit(kRemarksBox).Text(), "ab\r\ncd");
    remarks.Click(kOk);
  });
  ASSERT_TRUE(main_->Focus(kRemarksBox));
  EXPECT_EQ(Stored(), "ab\\r\\ncd");
  ASSERT_TRUE(main_->Focus(kSiteBox));
  ASSERT_TRUE(main_->Focus(kRemarksBox));
  EXPECT_EQ(Stored(), "ab\\r\\ncd");
  EXPECT_EQ(fixture_.toolkit.UnusedAnswers(), 0u);
}

// The toolkit gives the focus back to the remarks box when the window
// closes, raising its focus event again; that must open nothing, however the
// window was closed. A new focus from elsewhere opens it again.
TEST_F(RemarksWindowTest, TheFocusComingBackOpensNothing) {
  for (const bool by_ok : {true, false}) {
    SCOPED_TRACE(by_ok ? "closed by OK" : "closed by the close box");
    Open("x", false);
    HeadlessWindow* opened = nullptr;
    fixture_.toolkit.QueueModalScript([&](HeadlessWindow& remarks) {
      opened = &remarks;
      if (by_ok) {
        remarks.Click(kOk);
      } else {
        remarks.CloseBox();
      }
    });
    ASSERT_TRUE(main_->Focus(kRemarksBox));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(LastRemarksWindow(), opened) << "a second remarks window was opened";
    EXPECT_EQ(main_->FocusedControl(), kRemarksBox);
    EXPECT_FALSE(fixture_.app.remarks_window_open);

    // The user comes back into the box from another one: it opens again.
    ASSERT_TRUE(main_->Focus(kSiteBox));
    fixture_.toolkit.QueueModalScript([](HeadlessWindow& remarks) { remarks.Click(kOk); });
    ASSERT_TRUE(main_->Focus(kRemarksBox));
    EXPECT_NE(LastRemarksWindow(), opened);
    EXPECT_EQ(fixture_.toolkit.UnusedAnswers(), 0u);
  }
}

TEST(RemarksEncoding, EveryLineBreakBecomesTheEscapeAndBack) {
  // clang-format off
  const struct { std::string shown, stored; } cases[] = {
    {"",               ""},
    {"plain",          "plain"},
    {"a\r\nb",         "a\\r\\nb"},
    {"a\nb",           "a\\r\\nb"},
    {"a\rb",           "a\\r\\nb"},
    {"\n\r",           "\\r\\n\\r\\n"},   // LF then CR are two breaks
    {"\r\n\r\n",       "\\r\\n\\r\\n"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeRemarks(c.shown), c.stored) << c.shown;
    EXPECT_EQ(EncodeRemarks(DecodeRemarks(c.stored)), c.stored) << c.stored;
  }
  EXPECT_EQ(DecodeRemarks("a\\r\\nb\\r\\n"), "a\r\nb\r\n");
  EXPECT_EQ(DecodeRemarks("a\\rb\\n"), "a\\rb\\n");  // half escapes stay as they are
}

}  // namespace
}  // namespace molvane
