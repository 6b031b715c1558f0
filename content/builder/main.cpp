// quillory-data: builds the game's data set.
//   quillory-data --source DIR --out DIR [--jobs N]
//   quillory-data --program-resources FILE
// writes DIR/data/pack0.pak and, under DIR/dataset/, its cache, loose copies of
// the entries, report.txt and the contact sheet. Any error is printed with the
// file and line it concerns, and the exit status is 1.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/DataSetBuilder.h"
#include "content/GameDataSet.h"
#include "content/ProgramResourceArt.h"
#include "engine/core/Error.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: quillory-data --source DIR --out DIR [--jobs N]\n"
                         "       quillory-data --program-resources FILE\n");
    return 2;
}

// Rewrites the file only when its text changes, so the game is not rebuilt
// each time the builder is.
int WriteProgramResources(const std::string& path)
{
    const std::string source = Content::ProgramResourceArt::BuildSource();
    std::string existing;
    if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
            existing.append(buffer, got);
        }
        std::fclose(in);
    }
    if (existing == source) {
        return 0;
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    bool written = out != nullptr && std::fwrite(source.data(), 1, source.size(), out) == source.size();
    written = out != nullptr && std::fclose(out) == 0 && written;
    if (!written) {
        std::fprintf(stderr, "quillory-data: error: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--program-resources") {
        return WriteProgramResources(argv[2]);
    }
    std::string source;
    Content::DataSetOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--source") {
            source = value;
        } else if (name == "--out") {
            options.outFolder = value;
        } else if (name == "--jobs") {
            char* end = nullptr;
            const unsigned long jobs = std::strtoul(value.c_str(), &end, 10);
            if (end == value.c_str() || *end != '\0' || jobs == 0 || jobs > 256) {
                return Usage();
            }
            options.jobs = static_cast<unsigned>(jobs);
        } else {
            return Usage();
        }
    }
    if (argc % 2 == 0 || source.empty() || options.outFolder.empty()) {
        return Usage();
    }
    try {
        options.executablePath = std::filesystem::read_symlink("/proc/self/exe").string();
        Content::DataSetBuilder builder(options);
        Content::GameDataSet::AddRecipes(builder, source);
        const Content::DataSetSummary summary = builder.Build();
        for (const std::string& origin : summary.remadeFromDamagedCache) {
            std::printf("quillory-data: the cached outputs of %s were damaged and are made again\n", origin.c_str());
        }
        std::printf("%s\n", summary.GetClosingLine().c_str());
        return 0;
    } catch (const OrrelayEngine::Error& error) {
        std::fprintf(stderr, "quillory-data: error: %s\n", error.GetMessage().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillory-data: error: %s\n", error.what());
    }
    return 1;
}
