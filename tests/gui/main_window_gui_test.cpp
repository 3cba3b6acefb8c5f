// The real program under X: its main window's place and size, its start-up
// from the data file beside the executable, and its end.

#include <filesystem>
#include <string>

#include "gui/vault_prompts.h"

namespace molvane::gui_test {
namespace {

const std::filesystem::path kProgram = MOLVANE_PROGRAM;

using MainWindowGuiTest = GuiTest;

TEST_F(MainWindowGuiTest, OpensCentredAtItsFixedSizeAndEndsWithCodeZeroWhenClosed) {
  ChildProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  const auto window = x11.WaitForWindow("Molvane");
  ASSERT_TRUE(window) << "no window captioned Molvane";

  // The form's outer size is 322 x 366; a fixed single frame of 3 pixels
  // and a caption of 23 leave a client area of 316 x 337, and the frame is
  // centred on the screen.
  const Geometry screen = x11.Screen();
  const Geometry place = x11.GeometryOf(*window);
  EXPECT_EQ(place.width, 316);
  EXPECT_EQ(place.height, 337);
  EXPECT_EQ(place.x, (screen.width - 322) / 2 + 3);
  EXPECT_EQ(place.y, (screen.height - 366) / 2 + 3 + 23);
  EXPECT_TRUE(x11.HasFixedSize(*window));

  x11.RequestClose(*window);
  EXPECT_TRUE(x11.WaitUntilGone(*window));
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(MainWindowGuiTest, ListsTheEntriesOfTheDataFileBesideTheProgram) {
  ChildProgram program(kProgram);
  const std::string plain = "[甲]\r\n网址=a\r\n[乙]\r\n网址=b\r\n[丙]\r\n网址=c\r\n";
  // Started from another folder, it still reads the file beside itself.
  const std::filesystem::path elsewhere = MakeTempDirectory("molvane-cwd-");
  const auto window =
      StartUnlocked(program, x11, plain, "pass-3", Utf8(u8"Molvane 3个项目"), elsewhere);
  EXPECT_TRUE(window) << "no window captioned with the count of three entries";
  if (window) x11.RequestClose(*window);
  EXPECT_EQ(program.WaitForExit(), 0);
  // ... and seals that file again, not one in the folder it was started in.
  ExpectSealed(program, plain, "pass-3");
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "RegInfo.dat"));
  std::filesystem::remove_all(elsewhere);
}

}  // namespace
}  // namespace molvane::gui_test
