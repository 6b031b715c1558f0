// The file layer's hot paths against the plain library doing the same work:
// finding one name among 10,000 pack entries, and reading a 16 MiB file (above
// the whole-read limit, so it is streamed) through FileBinary against fread.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "content/PackWriter.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/PackFile.h"

namespace {

constexpr int kPackEntryCount = 10000;
constexpr std::uint32_t kLargeFileBytes = 16u * 1024u * 1024u;
const char* const kLookupName = "Data\\Models\\Item_05000.MLF";

struct Fixture
{
    std::filesystem::path folder;
    std::string packPath;
    std::string largePath;
    std::map<std::string, OrrelayEngine::PackFile::Entry> plainDirectory;

    Fixture()
    {
        folder = std::filesystem::temp_directory_path() / ("quillory_filebench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);

        Content::PackWriter writer;
        char name[64];
        for (int i = 0; i < kPackEntryCount; ++i) {
            std::snprintf(name, sizeof(name), "data\\models\\item_%05d.mlf", i);
            writer.AddEntry(name, std::vector<std::uint8_t>(16, static_cast<std::uint8_t>(i)));
            plainDirectory.emplace(name, OrrelayEngine::PackFile::Entry{});
        }
        packPath = (folder / "bench.pak").string();
        writer.Write(packPath);

        largePath = (folder / "large.bin").string();
        Content::PackWriter::SaveBytes(largePath, std::vector<std::uint8_t>(kLargeFileBytes, 0x5A));
    }

    ~Fixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Fixture* gFixture = nullptr;
OrrelayEngine::MessageManager* gLog = nullptr;

void PackFileExists(benchmark::State& state)
{
    OrrelayEngine::PackFile pack(gLog, gFixture->packPath);
    const std::string name = kLookupName;
    for (auto _ : state)
        benchmark::DoNotOptimize(pack.FileExists(name));
}
BENCHMARK(PackFileExists);

// The limit: a lookup of an already lower-case key in the same kind of map.
void PlainMapFind(benchmark::State& state)
{
    const std::string name = "data\\models\\item_05000.mlf";
    for (auto _ : state)
        benchmark::DoNotOptimize(gFixture->plainDirectory.find(name));
}
BENCHMARK(PlainMapFind);

void FileBinaryRead16MiB(benchmark::State& state)
{
    std::vector<std::uint8_t> buffer(kLargeFileBytes);
    for (auto _ : state) {
        OrrelayEngine::FileBinary file(gLog, gFixture->largePath, false, false);
        file.Read(buffer.data(), kLargeFileBytes);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kLargeFileBytes);
}
BENCHMARK(FileBinaryRead16MiB)->Unit(benchmark::kMillisecond);

void PlainFread16MiB(benchmark::State& state)
{
    std::vector<std::uint8_t> buffer(kLargeFileBytes);
    for (auto _ : state) {
        std::FILE* file = std::fopen(gFixture->largePath.c_str(), "rb");
        if (file == nullptr) {
            state.SkipWithError("cannot open the large file");
            break;
        }
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, kLargeFileBytes, file));
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kLargeFileBytes);
}
BENCHMARK(PlainFread16MiB)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration so that the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds_[run.benchmark_name()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatio(const std::string& ours, const std::string& limit) const
    {
        const auto a = seconds_.find(ours);
        const auto b = seconds_.find(limit);
        if (a == seconds_.end() || b == seconds_.end() || b->second <= 0.0)
            return;
        std::printf("%s: %.3g s, %s: %.3g s, ratio %.2f\n", ours.c_str(), a->second, limit.c_str(), b->second,
                    a->second / b->second);
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    OrrelayEngine::MessageManager log("FileBench", false, false, "", "");
    gFixture = &fixture;
    gLog = &log;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("PackFileExists", "PlainMapFind");
    reporter.PrintRatio("FileBinaryRead16MiB", "PlainFread16MiB");
    benchmark::Shutdown();
    return 0;
}
