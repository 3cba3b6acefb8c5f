#include "cli/vault_commands.h"

#include <sys/stat.h>

#include <cstdio>
#include <string_view>

#include "cli/password_input.h"
#include "platform/file_services.h"
#include "store/plain_register.h"
#include "text/gbk_codec.h"
#include "vault/secret_bytes.h"
#include "vault/vault_cipher.h"

namespace molvane {

const char* const kUsage =
    "usage: molvane-vault open SEALED PLAIN     write the plain register of SEALED to PLAIN\n"
    "       molvane-vault seal PLAIN SEALED     write PLAIN sealed to SEALED\n"
    "       molvane-vault titles SEALED         print the titles of SEALED, one per line\n"
    "The password is read from standard input: one line, not echoed on a terminal.\n";

namespace {

void Complain(const std::string& message) {
  std::fputs(("molvane-vault: " + message + "\n").c_str(), stderr);
}

// Whether both paths name one file, so that writing the output would change the input.
bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) return a == b;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The whole input file; false, after saying why, when it is missing,
// unreadable or empty (an empty file is no register, sealed or plain).
bool ReadInput(const std::string& path, SecretBytes& bytes) {
  const long long size = FileSizeOf(path);
  if (size < 0) {
    Complain("cannot read " + path + ": no such file, or not a regular file");
    return false;
  }
  if (size == 0) {
    Complain(path + " is empty: it holds no register");
    return false;
  }
  bytes.get() = ReadFileBytes(path);
  if (bytes.get().empty()) {
    Complain("cannot read " + path);
    return false;
  }
  return true;
}

// The plain register of the sealed file at `path`; false, after saying why,
// when it cannot be read or opened.
bool OpenSealed(const std::string& path, SecretBytes& plain) {
  SecretBytes sealed;
  SecretBytes password;
  if (!ReadInput(path, sealed)) return false;
  if (!ReadPassword(password)) {
    Complain("cannot read the password from standard input");
    return false;
  }
  plain.get() = OpenVault(sealed.get(), password.get());
  if (!plain.get().empty()) return true;
  if (IsPlainRegister(sealed.get())) {
    Complain(path + " is not sealed: it is already a plain register");
  } else {
    Complain("wrong password, or " + path + " is not a sealed register");
  }
  return false;
}

bool WriteOutput(const std::string& path, std::string_view bytes) {
  if (WriteFileBytes(path, bytes)) return true;
  Complain("cannot write " + path);
  return false;
}

int Open(const Command& command) {
  SecretBytes plain;
  if (!OpenSealed(command.input, plain)) return kExitFailure;
  return WriteOutput(command.output, plain.get()) ? kExitSuccess : kExitFailure;
}

int Seal(const Command& command) {
  SecretBytes plain;
  SecretBytes password;
  if (!ReadInput(command.input, plain)) return kExitFailure;
  if (!ReadPassword(password)) {
    Complain("cannot read the password from standard input");
    return kExitFailure;
  }
  const std::string sealed = SealVault(plain.get(), password.get());
  if (sealed.empty()) {
    Complain("cannot seal " + command.input + ": too large");
    return kExitFailure;
  }
  return WriteOutput(command.output, sealed) ? kExitSuccess : kExitFailure;
}

// The plain text stays in memory: it is never written anywhere.
int Titles(const Command& command) {
  SecretBytes plain;
  if (!OpenSealed(command.input, plain)) return kExitFailure;
  for (const std::string& title : TitlesIn(plain.get())) {
    const std::string line = GbkToUtf8(title) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace

std::optional<Command> ParseCommand(std::span<const char* const> arguments) {
  if (arguments.empty()) return std::nullopt;
  const std::string_view name = arguments[0];
  if (name == "titles" && arguments.size() == 2) {
    return Command{CommandKind::kTitles, arguments[1], {}};
  }
  if ((name == "open" || name == "seal") && arguments.size() == 3) {
    return Command{name == "open" ? CommandKind::kOpen : CommandKind::kSeal, arguments[1],
                   arguments[2]};
  }
  return std::nullopt;
}

int RunCommand(const Command& command) {
  if (command.kind != CommandKind::kTitles && SameFile(command.input, command.output)) {
    Complain("the output must not be the input file: " + command.input);
    return kExitUsage;
  }
  switch (command.kind) {
    case CommandKind::kOpen:
      return Open(command);
    case CommandKind::kSeal:
      return Seal(command);
    case CommandKind::kTitles:
      return Titles(command);
  }
  return kExitUsage;
}

}  // namespace molvane
