#pragma once
// The fixture of the GUI tests: a connection to the X display, or a
// skipped test when there is none.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>

#include "gui/child_program.h"
#include "gui/x11_session.h"

namespace molvane::gui_test {

// Skips the test when no display is named (run the GUI tests under
// xvfb-run); a display that is named but cannot be reached is a failure.
inline void RequireDisplay(const X11Session& x11) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display: run under xvfb-run";
  ASSERT_TRUE(x11.Connected()) << "cannot connect to the X display " << std::getenv("DISPLAY");
}

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override { RequireDisplay(x11); }

  X11Session x11;
};

// Window captions travel as UTF-8, whatever the program's own text is.
inline std::string Utf8(std::u8string_view text) { return {text.begin(), text.end()}; }

// The whole content of a file, empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether the program's output holds `line` as a whole line within `timeout`.
inline bool WaitForLine(const ChildProgram& program, std::string_view line,
                        std::chrono::milliseconds timeout = 5s) {
  const std::string wanted = "\n" + std::string(line) + "\n";
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (("\n" + program.Output()).find(wanted) == std::string::npos) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

}  // namespace molvane::gui_test
