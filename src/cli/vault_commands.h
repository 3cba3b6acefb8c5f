#pragma once
// The commands of the command-line companion, molvane-vault.

#include <optional>
#include <span>
#include <string>

namespace molvane {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // wrong password, unreadable input, failed write
inline constexpr int kExitUsage = 2;

enum class CommandKind {
  kOpen,    // open SEALED PLAIN: writes the plain register
  kSeal,    // seal PLAIN SEALED: writes the sealed register
  kTitles,  // titles SEALED: prints the titles, one per line, in UTF-8
};

struct Command {
  CommandKind kind;
  std::string input;
  std::string output;  // empty for kTitles
};

// The command that the arguments after the program's name spell; nothing
// when they spell none.
[[nodiscard]] std::optional<Command> ParseCommand(std::span<const char* const> arguments);

// Reads the input file and then the password from standard input, and
// carries the command out; the input file is never changed. Results go to
// standard output, errors to standard error. Gives the exit code.
[[nodiscard]] int RunCommand(const Command& command);

// How the companion is called, for a usage error or --help.
extern const char* const kUsage;

}  // namespace molvane
