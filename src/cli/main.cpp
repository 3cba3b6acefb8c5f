// molvane-vault: opens, seals and lists the register outside the program,
// for backups, recovery and scripts. The password comes from standard input.

#include <cstdio>
#include <span>
#include <string_view>

#include "cli/vault_commands.h"

int main(int argc, char** argv) {
  const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
  if (arguments.size() == 1 &&
      (std::string_view(arguments[0]) == "--help" || std::string_view(arguments[0]) == "-h")) {
    std::fputs(molvane::kUsage, stdout);
    return molvane::kExitSuccess;
  }
  const auto command = molvane::ParseCommand(arguments);
  if (!command) {
    std::fputs(molvane::kUsage, stderr);
    return molvane::kExitUsage;
  }
  return molvane::RunCommand(*command);
}
