// Load and save of an IPs.td holding 100 000 hosts, through the real file system. The save
// includes its fsync, so its figure depends on the disk under the temporary folder.
#include "core/store/data_file.h"
#include "core/store/data_file_format.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tindrel;

constexpr int kHostCount = 100000;

std::vector<std::string> sample_hosts() {
    std::vector<std::string> hosts;
    hosts.reserve(kHostCount);
    for (int i = 0; i < kHostCount; ++i) {
        hosts.push_back(i % 10 == 0
                            ? "@host-" + std::to_string(i) + ".example.org"
                            : "10." + std::to_string(i / 65536) + "." +
                                  std::to_string(i / 256 % 256) + "." + std::to_string(i % 256));
    }
    return hosts;
}

Settings sample_settings() {
    Settings settings;
    settings.smtp_server = "mail.example.org";
    settings.recipient1 = "ops@example.org";
    return settings;
}

// A folder of its own under the temporary folder, removed at the end of the benchmark.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tindrel-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    std::string file() const { return (path_ / "IPs.td").string(); }

private:
    std::filesystem::path path_;
};

void BM_Load(benchmark::State& state) {
    BenchFolder folder;
    save_data_file(folder.file(), sample_settings(), sample_hosts());
    for (auto _ : state) {
        Settings settings;
        AppState app{.sound_available = 1};
        std::vector<std::string> hosts;
        benchmark::DoNotOptimize(load_data_file(folder.file(), settings, app, hosts));
        if (hosts.size() != kHostCount) {
            state.SkipWithError("wrong host count");
        }
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    BenchFolder folder;
    const Settings settings = sample_settings();
    const std::vector<std::string> hosts = sample_hosts();
    for (auto _ : state) {
        if (!save_data_file(folder.file(), settings, hosts)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_LoadThenSave(benchmark::State& state) {
    BenchFolder folder;
    save_data_file(folder.file(), sample_settings(), sample_hosts());
    for (auto _ : state) {
        Settings settings;
        AppState app{.sound_available = 1};
        std::vector<std::string> hosts;
        load_data_file(folder.file(), settings, app, hosts);
        if (!save_data_file(folder.file(), settings, hosts)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_LoadThenSave)->Unit(benchmark::kMillisecond);

// The same work without the file system: what the reading and writing themselves cost.
void BM_ParseInMemory(benchmark::State& state) {
    const std::string content = format_data_file(sample_settings(), sample_hosts());
    for (auto _ : state) {
        Settings settings;
        std::vector<std::string> hosts;
        parse_data_file(content, settings, hosts);
        benchmark::DoNotOptimize(hosts.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_ParseInMemory)->Unit(benchmark::kMillisecond);

void BM_FormatInMemory(benchmark::State& state) {
    const Settings settings = sample_settings();
    const std::vector<std::string> hosts = sample_hosts();
    for (auto _ : state) {
        benchmark::DoNotOptimize(format_data_file(settings, hosts));
    }
}
BENCHMARK(BM_FormatInMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
