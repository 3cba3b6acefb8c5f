#include "app/startup.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app/main_window_names.h"
#include "app/vault_lock.h"
#include "platform/file_services.h"
#include "store/record_store.h"
#include "vault/wipe.h"

namespace molvane {

namespace {

// Wraps the window's own handler of `kind` (adding one if the table has
// none) so that `before` runs ahead of it or `after` behind it.
void AroundWindowEvent(toolkit::Bindings& bindings, toolkit::EventKind kind,
                       std::function<void(const toolkit::Event&)> before,
                       std::function<void(const toolkit::Event&)> after) {
  auto binding = std::ranges::find_if(
      bindings, [&](const toolkit::Binding& b) { return b.source.empty() && b.kind == kind; });
  if (binding == bindings.end()) {
    bindings.push_back({{}, kind, {}});
    binding = bindings.end() - 1;
  }
  binding->handler = [before = std::move(before), after = std::move(after),
                      inner = std::move(binding->handler)](const toolkit::Event& event) {
    if (before) before(event);
    if (inner) inner(event);
    if (after) after(event);
  };
}

// The display went away with the desktop session, so no prompt can be
// shown: the register is sealed at once under the password held. With none
// held it stays plain, and the next start opens it as it is.
void OnDisplayLost(const App& app) {
  if (app.session.VaultPassword.empty()) return;
  static_cast<void>(SealDataFile(app.session));
}

}  // namespace

int StartProgram(toolkit::Toolkit& toolkit, Services services, const toolkit::WindowForm& main_form,
                 const MainWindowBinder& bind) {
  // The records live until the exit routine, which owns them, has run: that
  // is after StartProgram has returned.
  auto app = std::make_shared<App>(toolkit, std::move(services));
  toolkit.SetExitRoutine([app] { ReleaseSession(*app); });
  LoadMainWindow(*app, main_form, bind);
  toolkit.RunEventLoop();
  return 0;
}

toolkit::Window* LoadMainWindow(App& app, const toolkit::WindowForm& main_form,
                                const MainWindowBinder& bind) {
  toolkit::Bindings bindings = bind(app);
  // The data file is plain and up to this run to seal from the end of the
  // creation handler (the unlock) until the Destroying handler (the lock)
  // begins; only then does a lost display seal it.
  auto unlocked = std::make_shared<bool>(false);
  AroundWindowEvent(
      bindings, toolkit::EventKind::Created,
      [&app](const toolkit::Event& event) { app.main_window = &event.window; },
      [unlocked](const toolkit::Event&) { *unlocked = true; });
  AroundWindowEvent(
      bindings, toolkit::EventKind::Destroying,
      [unlocked](const toolkit::Event&) { *unlocked = false; },
      [&app](const toolkit::Event&) { app.main_window = nullptr; });
  app.toolkit.SetDisplayLostRoutine([&app, unlocked] {
    if (*unlocked) OnDisplayLost(app);
  });
  return app.toolkit.Load(main_form, std::move(bindings));
}

void OnMainWindowCreated(App& app, const toolkit::Event& event) {
  app.session.DataFilePath = DataFilePathIn(app.services.program_directory);
  if (FileSizeOf(app.session.DataFilePath) <= 0) return;
  if (!UnlockVault(app)) return;

  const std::vector<std::string> titles = ListTitles(app.session.DataFilePath);
  if (titles.empty()) return;
  toolkit::ListBox& list = event.window.List(kTitleList);
  for (const std::string& title : titles) list.AddItem(title);
  UpdateTitleCounter(event.window);
}

void UpdateTitleCounter(toolkit::Window& main_window) {
  const int count = main_window.List(kTitleList).Count();
  main_window.SetCaption("Molvane " + std::to_string(count) + "个项目");
}

std::string DataFilePathIn(std::string_view program_directory) {
  return std::string(program_directory) + "/RegInfo.dat";
}

void ReleaseSession(App& app) {
  app.find = FindState{};
  app.session.DataFilePath.clear();
  app.session.DataFilePath.shrink_to_fit();
  WipeString(app.session.VaultPassword);
}

}  // namespace molvane
