#pragma once
// Runs a built program the way a user starts it, from a folder of its own:
// the executable is copied into a fresh temporary folder (so a data file
// put there lies beside it), started as a child process with its standard
// output kept in a file, and waited for. The folder is removed, and the
// process killed if it still runs, when the object goes.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molvane::gui_test {

using namespace std::chrono_literals;

class ChildProgram {
 public:
  explicit ChildProgram(const std::filesystem::path& executable);
  ~ChildProgram();
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  // The folder that holds the copy of the executable.
  [[nodiscard]] const std::filesystem::path& Directory() const { return directory_; }
  // Writes a file beside the executable before the start.
  void WriteFile(std::string_view name, std::string_view bytes) const;

  // Starts the copy with `arguments`, in `working_directory` (its own folder
  // when empty). Gives false when it could not be started.
  bool Start(const std::vector<std::string>& arguments = {},
             const std::filesystem::path& working_directory = {});

  // The exit code once the process has ended within `timeout` (128 plus the
  // signal number when a signal ended it); nothing while it still runs.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout = 10s);

  // Sends the signal to the running process; false when none runs.
  bool SendSignal(int signal_number) const;

  // What the process has written to its standard output so far.
  [[nodiscard]] std::string Output() const;

 private:
  std::filesystem::path directory_;
  std::filesystem::path executable_;
  pid_t pid_ = -1;
};

// A fresh empty temporary folder, removed by the caller.
[[nodiscard]] std::filesystem::path MakeTempDirectory(std::string_view prefix);

}  // namespace molvane::gui_test
