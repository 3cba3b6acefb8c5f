// The record store on a register of 10,000 entries (about 3 MB), each
// operation beside the whole-file read or write it is measured against.
// Ratios to read: SelectEntry / ReadFileBytes and ListTitles / ReadFileBytes
// (target at most 3), WriteEntry / WriteFileBytes (target at most 2).

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_services.h"
#include "store/record_store.h"

namespace molvane {
namespace {

constexpr int kEntries = 10000;

std::string Title(int index) { return "站点" + std::to_string(index); }

EntryValues Values(int index, const std::string& variant) {
  const std::string n = std::to_string(index);
  return {"https://www.site" + n + ".example.com/login?from=" + variant,
          "user" + n,
          "Pw-" + n + "-xyz!" + variant,
          "1380000" + n,
          "user" + n + "@mail.example.com",
          "192.168." + std::to_string(index % 256) + "." + std::to_string(index / 256),
          "user" + n + "@mail.example.com",
          "1380000" + n,
          "北京市海淀区中关村大街",
          "2024年1月2日 12:34:56",
          "第一行备注\\r\\n第二行备注，" + variant};
}

// The register files of one run, in a folder of their own, removed at exit.
class Register {
 public:
  Register() {
    folder_ = "/tmp/molvane-bench-XXXXXX";
    if (mkdtemp(folder_.data()) == nullptr) std::abort();
    std::string bytes;
    for (int i = 0; i < kEntries; ++i) {
      bytes += "[" + Title(i) + "]\r\n";
      const EntryValues values = Values(i, "a");
      for (std::size_t k = 0; k < values.size(); ++k) {
        bytes += std::string(kFieldKeys[k]) + "=" + values[k] + "\r\n";
      }
    }
    bytes_ = bytes;
    for (const std::string& file : {read_path(), write_path(), scratch_path()}) {
      if (!WriteFileBytes(file, bytes)) std::abort();
    }
    // File stamps are trusted only once the file has been still for longer
    // than the file system's clock tick; until then every call compares the
    // bytes. Measure the register at rest, as the user meets it.
    sleep(3);
  }
  Register(const Register&) = delete;
  Register& operator=(const Register&) = delete;
  ~Register() {
    for (const std::string& file : {read_path(), write_path(), scratch_path()}) {
      std::remove(file.c_str());
    }
    rmdir(folder_.c_str());
  }

  [[nodiscard]] std::string read_path() const { return folder_ + "/RegInfo.dat"; }
  [[nodiscard]] std::string write_path() const { return folder_ + "/Written.dat"; }
  [[nodiscard]] std::string scratch_path() const { return folder_ + "/Scratch.dat"; }
  [[nodiscard]] const std::string& bytes() const { return bytes_; }

 private:
  std::string folder_;
  std::string bytes_;
};

const Register& TheRegister() {
  static const Register the_register;
  return the_register;
}

void BM_ReadFileBytes(benchmark::State& state) {
  const std::string path = TheRegister().read_path();
  for (auto _ : state) benchmark::DoNotOptimize(ReadFileBytes(path));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(TheRegister().bytes().size()));
}
BENCHMARK(BM_ReadFileBytes);

// What selecting an entry costs: its eleven values.
void BM_SelectEntry(benchmark::State& state) {
  const std::string path = TheRegister().read_path();
  int index = 0;
  for (auto _ : state) {
    const std::string title = Title(index);
    for (const std::string_view key : kFieldKeys)
      benchmark::DoNotOptimize(ReadValue(path, title, key));
    index = (index + 7919) % kEntries;
  }
}
BENCHMARK(BM_SelectEntry);

void BM_ListTitles(benchmark::State& state) {
  const std::string path = TheRegister().read_path();
  for (auto _ : state) {
    const auto titles = ListTitles(path);
    if (titles.size() != kEntries) state.SkipWithError("wrong number of titles");
    benchmark::DoNotOptimize(titles.data());
  }
}
BENCHMARK(BM_ListTitles);

// The first read after the file changed: the file is read and parsed again.
void BM_SelectEntryAfterChange(benchmark::State& state) {
  const Register& the_register = TheRegister();
  const std::string path = the_register.scratch_path();
  std::string bytes = the_register.bytes();
  int index = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bytes[bytes.size() - 3] = static_cast<char>('a' + index % 2);
    if (!WriteFileBytes(path, bytes)) state.SkipWithError("write failed");
    state.ResumeTiming();
    const std::string title = Title(index);
    for (const std::string_view key : kFieldKeys)
      benchmark::DoNotOptimize(ReadValue(path, title, key));
    ++index;
  }
}
BENCHMARK(BM_SelectEntryAfterChange)->Unit(benchmark::kMillisecond);

void BM_WriteFileBytes(benchmark::State& state) {
  const Register& the_register = TheRegister();
  const std::string path = the_register.scratch_path();
  for (auto _ : state) {
    if (!WriteFileBytes(path, the_register.bytes())) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_WriteFileBytes)->Unit(benchmark::kMillisecond);

// A save of an existing entry: all eleven values change, in one replacement.
void BM_WriteEntry(benchmark::State& state) {
  const std::string path = TheRegister().write_path();
  int index = 0;
  bool second_variant = false;
  for (auto _ : state) {
    second_variant = !second_variant;
    if (!WriteEntry(path, Title(index), Values(index, second_variant ? "b" : "a"))) {
      state.SkipWithError("write failed");
    }
    index = (index + 7919) % kEntries;
  }
}
BENCHMARK(BM_WriteEntry)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace molvane
