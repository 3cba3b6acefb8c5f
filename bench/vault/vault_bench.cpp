// Sealing and opening against the same composition of DES-ECB, RC4 and MD5
// done with OpenSSL 3 (legacy provider), and the three primitives alone.
//
// Each iteration runs both implementations in turn, so both see the same load
// on a shared machine. The reported time is ours; the counters give both
// rates in MB/s (10^6 bytes) and `speedup`, OpenSSL's time over ours.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>

#include "byte_strings.h"
#include "openssl_reference.h"
#include "vault/des.h"
#include "vault/vault_cipher.h"

namespace molvane {
namespace {

constexpr std::int64_t kOneMb = 1'000'000;
constexpr char kPassword[] = "密码 of a usual length";

std::string RandomBytes(std::size_t size) {
  std::mt19937 random(42);
  return test::RandomBytes(random, size);
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <class Ours, class Theirs>
void Compare(benchmark::State& state, Ours ours, Theirs theirs) {
  double ours_seconds = 0;
  double theirs_seconds = 0;
  for (auto _ : state) {
    const double start = Now();
    benchmark::DoNotOptimize(ours());
    const double middle = Now();
    benchmark::DoNotOptimize(theirs());
    const double end = Now();
    ours_seconds += middle - start;
    theirs_seconds += end - middle;
    state.SetIterationTime(middle - start);
  }
  const double megabytes =
      static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()) / 1e6;
  state.counters["molvane_MB/s"] = megabytes / ours_seconds;
  state.counters["openssl_MB/s"] = megabytes / theirs_seconds;
  state.counters["speedup"] = theirs_seconds / ours_seconds;
}

void BM_SealVault(benchmark::State& state) {
  const std::string plain = RandomBytes(static_cast<std::size_t>(state.range(0)));
  Compare(
      state, [&] { return SealVault(plain, kPassword); },
      [&] { return openssl_reference::SealVault(plain, kPassword); });
}

void BM_OpenVault(benchmark::State& state) {
  const std::string sealed =
      SealVault(RandomBytes(static_cast<std::size_t>(state.range(0))), kPassword);
  Compare(
      state, [&] { return OpenVault(sealed, kPassword); },
      [&] { return openssl_reference::OpenVault(sealed, kPassword); });
}

void BM_DesEcb(benchmark::State& state) {
  const std::string data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  const DesKey key = FoldDesKey(kPassword);
  const DesKey standard_key = test::BitReversedKey(key);
  Compare(
      state, [&] { return test::VaultDes(data, key, DesSchedule::Direction::kEncrypt); },
      [&] { return openssl_reference::DesEcb(data, standard_key, true); });
}

void BM_Rc4(benchmark::State& state) {
  const std::string data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  Compare(
      state, [&] { return EncryptData(data, kPassword, kRc4Algorithm); },
      [&] { return openssl_reference::Rc4(data, kPassword); });
}

void BM_Md5(benchmark::State& state) {
  const std::string data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  Compare(
      state, [&] { return DataDigestMd5(data); }, [&] { return openssl_reference::Md5Hex(data); });
}

BENCHMARK(BM_SealVault)
    ->Arg(kOneMb)
    ->Arg(10 * kOneMb)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenVault)
    ->Arg(kOneMb)
    ->Arg(10 * kOneMb)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesEcb)->Arg(kOneMb)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rc4)->Arg(kOneMb)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Md5)->Arg(kOneMb)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace molvane
