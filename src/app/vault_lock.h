#pragma once
// The data file has two forms: sealed under the user's password between
// runs, plain while the program runs (the record store edits it in place).
// UnlockVault turns it plain at start-up, LockVault seals it again when the
// main window is about to be destroyed. Neither keeps the content in memory
// between the two.

#include <string>
#include <string_view>

#include "app/session.h"
#include "platform/file_services.h"
#include "toolkit/event.h"

namespace molvane {

// Start-up, once DataFilePath is set: asks for the password and writes the
// data file back in plain form, keeping the password for the seal at exit.
// A plain register that an abnormal end left unsealed is opened as it is,
// and the user is told so once. Gives true when the program goes on (also,
// without asking, for an absent or empty file). Gives false once it has
// ended the program (cancel, wrong password, write-back failed; the file is
// then untouched): the caller must return at once.
[[nodiscard]] bool UnlockVault(App& app);

// The main window's Destroying handler: seals the data file under the held
// password, first asking for one, as often as the prompt is cancelled, when
// none is held. Reports a failed seal once; the file then keeps its content.
// An absent or empty file is left alone without asking.
void LockVault(App& app, const toolkit::Event& event);

// Reads a whole file: ReadFileBytes, or in tests a reader that fails.
using FileReader = std::string (*)(std::string_view path);

// Seals the data file under the held password (possibly empty) without
// asking or showing anything, so it also serves ends at which no dialog can
// be shown. True when sealed or when there is nothing to seal (absent or
// empty file). False, with the file as it was, when its content cannot be
// read or sealed, or when three writes in a row fail.
[[nodiscard]] bool SealDataFile(const AppSession& session, FileReader read = ReadFileBytes);

}  // namespace molvane
