#pragma once
// The password prompts of the real program, answered as a user does: the
// register beside the program is sealed between runs, so a start on a
// non-empty register asks for its password, and an end with no password
// held asks for one to seal it under.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "gui/gui_test.h"
#include "vault/vault_cipher.h"

namespace molvane::gui_test {

inline const std::string kUnlockPromptCaption = Utf8(u8"请输入密码：");
inline const std::string kSetPasswordPromptCaption = Utf8(u8"请设置密码：");

// Waits for the prompt captioned `caption`, types `text` into it and
// confirms with Return; the prompt must then go away.
inline void AnswerPrompt(X11Session& x11, const std::string& caption, const std::string& text) {
  const auto prompt = x11.WaitForWindow(caption);
  ASSERT_TRUE(prompt) << "no prompt captioned " << caption;
  x11.Focus(*prompt);
  x11.TypeText(text);
  x11.PressKey("Return");
  EXPECT_TRUE(x11.WaitUntilGone(*prompt));
}

// Puts `plain` sealed under `password` beside the program, starts it in
// `working_directory` (its own folder when empty) and answers the start-up
// prompt with the password. Gives the main window once it is captioned
// `main_caption`, or nothing.
inline std::optional<WindowId> StartUnlocked(ChildProgram& program, X11Session& x11,
                                             std::string_view plain,
                                             const std::string& password,
                                             std::string_view main_caption,
                                             const std::filesystem::path& working_directory = {}) {
  program.WriteFile("RegInfo.dat", SealVault(plain, password));
  EXPECT_TRUE(program.Start({}, working_directory));
  AnswerPrompt(x11, kUnlockPromptCaption, password);
  const auto window = x11.WaitForWindow(main_caption);
  EXPECT_TRUE(window) << "the register was not opened: no window captioned " << main_caption;
  return window;
}

// The register beside the program is sealed: not plain, and it opens to
// `plain` with `password`.
inline void ExpectSealed(const ChildProgram& program, std::string_view plain,
                         std::string_view password) {
  const std::string bytes = ReadFile(program.Directory() / "RegInfo.dat");
  EXPECT_NE(bytes, plain) << "the register was left plain";
  EXPECT_EQ(OpenVault(bytes, password), plain)
      << "the register does not open to the expected content with the password";
}

}  // namespace molvane::gui_test
