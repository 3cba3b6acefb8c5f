// Start-up cost: the main window is loaded on a register that a previous run
// sealed, so the start-up opens it, writes it back plain and fills the title
// list from it. The cost should grow linearly with the number of entries.
#include <benchmark/benchmark.h>

#include "app/main_window_names.h"
#include "app/startup.h"
#include "support/program_fixture.h"
#include "toolkit/headless/headless_toolkit.h"
#include "ui/main_window_bindings.h"
#include "ui/main_window_form.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

void BM_StartUpOnASealedRegister(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const std::string sealed = SealVault(testing::PlainRegister(entries), testing::kRegisterPassword);
  testing::ProgramFixture program;
  for (auto _ : state) {
    state.PauseTiming();
    program.WriteRegister(sealed);  // each start finds the file as the last exit left it
    toolkit::HeadlessToolkit toolkit;
    toolkit.QueueInput(std::string(testing::kRegisterPassword));
    App app{toolkit, program.TestServices()};
    state.ResumeTiming();

    toolkit::Window* window = LoadMainWindow(app, kMainWindowForm, BindMainWindow);
    if (window == nullptr || window->List(kTitleList).Count() != entries) {
      state.SkipWithError("the register was not listed");
      break;
    }
  }
  state.SetComplexityN(entries);
}
BENCHMARK(BM_StartUpOnASealedRegister)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace molvane
