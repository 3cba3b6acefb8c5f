#include "app/vault_lock.h"

#include "app/dialogs.h"
#include "store/plain_register.h"
#include "vault/secret_bytes.h"
#include "vault/vault_cipher.h"

namespace molvane {

namespace {

constexpr std::string_view kUnlockPrompt = "请输入注册信息文件的密码：";
constexpr std::string_view kUnlockTitle = "请输入密码：";
constexpr std::string_view kWrongPassword = "密码错误！";
constexpr std::string_view kWriteBackFailed = "写出解密文件失败！";
constexpr std::string_view kLeftPlain = "注册信息文件未加密，已按明文打开。";
constexpr std::string_view kSetPasswordPrompt =
    "请设置注册信息文件的密码(防止注册信息被泄露)：\r\n"
    "注：如果不设置密码就结束进程，将无法读取保存的注册信息！";
constexpr std::string_view kSetPasswordTitle = "请设置密码：";
constexpr std::string_view kSealFailed = "写出加密文件失败！";

constexpr int kSealWriteAttempts = 3;
constexpr int kOkOnly = 0;

// Ends the program during start-up, leaving the data file as it is. Gives
// false for the caller to return at once.
bool EndStartUp(App& app) {
  app.toolkit.EndProgram(0);
  return false;
}

bool FailUnlock(App& app, std::string_view message) {
  ShowMessage(app.toolkit, message, kOkOnly);
  return EndStartUp(app);
}

bool AskForNewPassword(App& app) {
  return ShowInputBox(app.toolkit, kSetPasswordPrompt, kSetPasswordTitle,
                      app.session.VaultPassword);
}

}  // namespace

bool UnlockVault(App& app) {
  AppSession& session = app.session;
  if (FileSizeOf(session.DataFilePath) <= 0) return true;
  if (!ShowInputBox(app.toolkit, kUnlockPrompt, kUnlockTitle, session.VaultPassword)) {
    return EndStartUp(app);
  }

  // A failed read gives nothing, which no password opens.
  const SecretBytes stored(ReadFileBytes(session.DataFilePath));
  const SecretBytes plain(OpenVault(stored.get(), session.VaultPassword));
  if (plain.get().empty()) {
    // The process was killed, or the machine went off, while the register
    // was plain: open it as it is and seal it at exit under this password.
    if (!IsPlainRegister(stored.get())) return FailUnlock(app, kWrongPassword);
    ShowMessage(app.toolkit, kLeftPlain, kOkOnly);
    return true;
  }
  if (!WriteFileBytes(session.DataFilePath, plain.get())) return FailUnlock(app, kWriteBackFailed);
  return true;
}

void LockVault(App& app, const toolkit::Event&) {
  AppSession& session = app.session;
  if (FileSizeOf(session.DataFilePath) <= 0) return;
  if (session.VaultPassword.empty()) {
    // Only a confirmed entry, even an empty one, ends the asking: a register
    // left plain on a cancel could be read by anyone.
    while (!AskForNewPassword(app)) {
    }
  }
  if (!SealDataFile(session)) ShowMessage(app.toolkit, kSealFailed, kOkOnly);
}

bool SealDataFile(const AppSession& session, FileReader read) {
  if (FileSizeOf(session.DataFilePath) <= 0) return true;
  const SecretBytes plain(read(session.DataFilePath));
  // A file that has content but reads as nothing could not be read: sealing
  // that nothing would put an empty register in place of the user's.
  if (plain.get().empty()) return false;
  const std::string sealed = SealVault(plain.get(), session.VaultPassword);
  if (sealed.empty()) return false;
  for (int attempt = 0; attempt < kSealWriteAttempts; ++attempt) {
    if (WriteFileBytes(session.DataFilePath, sealed)) return true;
  }
  return false;
}

}  // namespace molvane
