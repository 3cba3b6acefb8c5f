// Start-up cost: loading the main window fills the title list from a plain
// register; the cost should grow linearly with the number of entries.
#include <benchmark/benchmark.h>

#include "app/startup.h"
#include "support/program_fixture.h"
#include "toolkit/headless/headless_toolkit.h"
#include "ui/main_window_bindings.h"
#include "ui/main_window_form.h"

namespace molvane {
namespace {

// A process starts with nothing read yet, but the store keeps the last file
// it parsed: two program folders taken in turn make every load a cold one.
void BM_LoadMainWindow(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  testing::ProgramFixture programs[2];
  for (const auto& program : programs) program.WriteRegister(testing::PlainRegister(entries));
  std::size_t turn = 0;
  for (auto _ : state) {
    testing::ProgramFixture& program = programs[turn++ % 2];
    toolkit::HeadlessToolkit toolkit;
    App app{toolkit, program.TestServices()};
    toolkit::Window* window = LoadMainWindow(app, kMainWindowForm, BindMainWindow);
    if (window == nullptr || window->List("列表框_项目列表").Count() != entries) {
      state.SkipWithError("the register was not listed");
      break;
    }
  }
  state.SetComplexityN(entries);
}
BENCHMARK(BM_LoadMainWindow)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace molvane
