#pragma once
// A program ready to start in a test: a temporary program folder (with or
// without a RegInfo.dat), the headless toolkit, and an App whose services
// point at that folder and record what the program hands to the system.
// LoadMainWindow builds the main window the way start-up does, from the
// production form and event table.

#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "toolkit/headless/headless_toolkit.h"

namespace molvane::testing {

class ProgramFixture {
 public:
  ProgramFixture();
  ~ProgramFixture();
  ProgramFixture(const ProgramFixture&) = delete;
  ProgramFixture& operator=(const ProgramFixture&) = delete;

  // Writes RegInfo.dat with exactly these bytes.
  void WriteRegister(std::string_view bytes) const;
  // Writes RegInfo.dat sealed under kRegisterPassword, as a previous run
  // left it, and queues that password for the start-up prompt: the window
  // then opens on `plain`, which the file holds again while it runs.
  void WriteSealedRegister(std::string_view plain);
  [[nodiscard]] std::string ReadRegister() const;
  [[nodiscard]] std::string RegisterPath() const { return directory_ + "/RegInfo.dat"; }
  [[nodiscard]] const std::string& Directory() const { return directory_; }

  // Services for this folder: the clock reads `now`, opened addresses are
  // appended to `opened_addresses`.
  [[nodiscard]] Services TestServices();

  // Loads the main window for `app`; null when the program ended while the
  // window was being created.
  toolkit::HeadlessWindow* LoadMainWindow();

  double now = 45000.5;  // 2023-03-15 12:00:00
  std::vector<std::string> opened_addresses;
  toolkit::HeadlessToolkit toolkit;
  App app;

 private:
  std::string directory_;
};

inline constexpr std::string_view kRegisterPassword = "fixture 口令";

// A plain register of `count` entries titled "项目1", "项目2", ...
[[nodiscard]] std::string PlainRegister(int count);

}  // namespace molvane::testing
