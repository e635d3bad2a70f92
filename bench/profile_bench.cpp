// Reading the settings file when it is far larger than any the program writes: one key
// followed by 10 MB of line feeds (a damaged or hostile file). Start-up reads several keys,
// each through a fresh read of the file, so this time is paid once per key.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/privateprofile.h"

namespace varnok {

namespace {

constexpr std::size_t kLineFeeds = 10 * 1000 * 1000;

const std::string& LargeSettingsPath()
{
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "varnok-bench-settings.ini";
        std::ofstream out(file, std::ios::binary);
        out << "[Settings]\r\nDate format=2\r\n" << std::string(kLineFeeds, '\n');
        if (!out)
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return file.string();
    }();
    return path;
}

void BM_ReadKeyOfTenMegabyteSettings(benchmark::State& state)
{
    const PrivateProfile profile(LargeSettingsPath());
    for (auto _ : state) {
        std::string value = profile.ReadString("Settings", "Date format", "1");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ReadKeyOfTenMegabyteSettings)->Unit(benchmark::kMillisecond);

// A key that is missing has to be looked for through the whole file.
void BM_ReadMissingKeyOfTenMegabyteSettings(benchmark::State& state)
{
    const PrivateProfile profile(LargeSettingsPath());
    for (auto _ : state) {
        std::string value = profile.ReadString("Settings", "Font Name", "MS Sans Serif");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ReadMissingKeyOfTenMegabyteSettings)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace varnok

using namespace varnok;

BENCHMARK_MAIN();
