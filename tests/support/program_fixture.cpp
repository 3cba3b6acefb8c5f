#include "support/program_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/startup.h"
#include "ui/main_window_bindings.h"
#include "ui/main_window_form.h"
#include "vault/vault_cipher.h"

namespace molvane::testing {

namespace {

std::string MakeTemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "molvane-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

}  // namespace

ProgramFixture::ProgramFixture() : app(toolkit, {}), directory_(MakeTemporaryDirectory()) {
  app.services = TestServices();
}

ProgramFixture::~ProgramFixture() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void ProgramFixture::WriteRegister(std::string_view bytes) const {
  std::ofstream(RegisterPath(), std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ProgramFixture::WriteSealedRegister(std::string_view plain) {
  WriteRegister(SealVault(plain, kRegisterPassword));
  toolkit.QueueInput(std::string(kRegisterPassword));
}

std::string ProgramFixture::ReadRegister() const {
  std::ifstream in(RegisterPath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Services ProgramFixture::TestServices() {
  Services services;
  services.program_directory = directory_;
  services.now = [this] { return now; };
  services.open_address = [this](const std::string& address) {
    opened_addresses.push_back(address);
  };
  return services;
}

toolkit::HeadlessWindow* ProgramFixture::LoadMainWindow() {
  return static_cast<toolkit::HeadlessWindow*>(
      molvane::LoadMainWindow(app, kMainWindowForm, BindMainWindow));
}

std::string PlainRegister(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    text += "[项目" + n + "]\r\n";
    text += "网址=https://site" + n + ".example/\r\n账号=user" + n + "\r\n密码=pw" + n + "\r\n";
    text += "手机=无\r\n邮箱=无\r\n注册IP=未知\r\n注册邮箱=无\r\n注册手机=无\r\n";
    text += "注册地点=未知\r\n注册时间=未知\r\n备注信息=无\r\n";
  }
  return text;
}

}  // namespace molvane::testing
