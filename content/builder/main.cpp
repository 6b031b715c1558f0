// quillory-data: builds the game's data set.
//   quillory-data --source DIR --out DIR [--jobs N]
// writes DIR/data/pack0.pak and, under DIR/dataset/, its cache, loose copies of
// the entries, report.txt and the contact sheet. Any error is printed with the
// file and line it concerns, and the exit status is 1.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/DataSetBuilder.h"
#include "content/GameDataSet.h"
#include "engine/core/Error.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: quillory-data --source DIR --out DIR [--jobs N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
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
        std::printf("%s\n", summary.GetClosingLine().c_str());
        return 0;
    } catch (const OrrelayEngine::Error& error) {
        std::fprintf(stderr, "quillory-data: error: %s\n", error.GetMessage().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillory-data: error: %s\n", error.what());
    }
    return 1;
}
