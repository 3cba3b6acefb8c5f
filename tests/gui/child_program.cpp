#include "gui/child_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

namespace molvane::gui_test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kOutputFile = "stdout.txt";

}  // namespace

fs::path MakeTempDirectory(std::string_view prefix) {
  std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

ChildProgram::ChildProgram(const fs::path& executable)
    : directory_(MakeTempDirectory("molvane-gui-")),
      executable_(directory_ / executable.filename()) {
  fs::copy_file(executable, executable_);
}

ChildProgram::~ChildProgram() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::error_code ignored;
  fs::remove_all(directory_, ignored);
}

void ChildProgram::WriteFile(std::string_view name, std::string_view bytes) const {
  std::ofstream file(directory_ / name, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool ChildProgram::Start(const std::vector<std::string>& arguments,
                         const fs::path& working_directory) {
  const std::string program = executable_.string();
  const std::string output = (directory_ / kOutputFile).string();
  const std::string folder = (working_directory.empty() ? directory_ : working_directory).string();
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_ = fork();
  if (pid_ == 0) {
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0 || chdir(folder.c_str()) != 0) _exit(127);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid_ > 0;
}

std::optional<int> ChildProgram::WaitForExit(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return {};
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (std::chrono::steady_clock::now() > deadline) return {};
    std::this_thread::sleep_for(20ms);
  }
}

bool ChildProgram::SendSignal(int signal_number) const {
  return pid_ > 0 && kill(pid_, signal_number) == 0;
}

std::string ChildProgram::Output() const {
  std::ifstream file(directory_ / kOutputFile, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace molvane::gui_test
