#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "content/DataSetBuilder.h"
#include "content/GameDataSet.h"
#include "engine/core/Error.h"
#include "engine/file/TempFolder.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct RunResult
{
    int status;
    std::string output;
};

RunResult RunBuilder(const std::string& source, const std::string& out)
{
    const std::string command =
        std::string("'") + QUILLORY_DATA_BUILDER + "' --source '" + source + "' --out '" + out + "' --jobs 1 2>&1";
    RunResult result{-1, {}};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result.output += buffer;
    }
    result.status = pclose(pipe);
    return result;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const OrrelayEngine::Error& error) {
        return error.GetMessage();
    }
    return "(no error)";
}

Content::AssetRecipe TextRecipe(const std::string& origin, const std::string& packPath, const std::string& text)
{
    Content::AssetRecipe recipe;
    recipe.origin = origin;
    recipe.packPaths = {packPath};
    recipe.parameters = text;
    recipe.make = [text]() {
        return Content::AssetRecipe::Outputs{std::vector<std::uint8_t>(text.begin(), text.end())};
    };
    return recipe;
}

} // namespace

// One long test: the full data set is built once and reused for every step.
TEST(DataSetBuilder, OneJobMatchesTheBuildReusesEverythingAndRemakesOnlyAnEditedSource)
{
    FileTests::TempFolder temp;
    const std::string out = temp.Path("out");
    const std::string pack = out + "/data/pack0.pak";

    const RunResult first = RunBuilder(QUILLORY_CONTENT_DIR, out);
    ASSERT_EQ(first.status, 0) << first.output;
    const std::vector<std::uint8_t> built = ReadBytes(QUILLORY_BUILD_DIR "/data/pack0.pak");
    ASSERT_FALSE(built.empty());
    EXPECT_TRUE(ReadBytes(pack) == built) << "one worker made other bytes than the build";

    const fs::file_time_type packTime = fs::last_write_time(pack);
    const RunResult second = RunBuilder(QUILLORY_CONTENT_DIR, out);
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_NE(second.output.find("Data set: 0 generated"), std::string::npos) << second.output;
    EXPECT_EQ(fs::last_write_time(pack), packTime);

    const std::string source = temp.Path("content");
    fs::create_directories(source);
    fs::copy(QUILLORY_CONTENT_DIR "/data", source + "/data", fs::copy_options::recursive);
    fs::copy(QUILLORY_CONTENT_DIR "/required_assets.txt", source + "/required_assets.txt");
    {
        std::ofstream common(source + "/data/ui/texts/en/common.ini", std::ios::app);
        common << "\n[EXTRA_WORD]\nExtra\n";
    }
    const RunResult edited = RunBuilder(source, out);
    ASSERT_EQ(edited.status, 0) << edited.output;
    EXPECT_NE(edited.output.find("Data set: 1 generated"), std::string::npos) << edited.output;
    const std::vector<std::uint8_t> loose = ReadBytes(out + "/dataset/data/ui/texts/en/common.ini");
    EXPECT_NE(std::string(loose.begin(), loose.end()).find("[EXTRA_WORD]"), std::string::npos);
    const std::vector<std::uint8_t> editedPack = ReadBytes(pack);
    EXPECT_FALSE(editedPack == built);

    // A required input gone is an error naming the list's line, and the pack stays as it was.
    fs::remove(source + "/data/ui/texts/en/common.ini");
    const std::vector<std::uint8_t> listBytes = ReadBytes(source + "/required_assets.txt");
    const std::string list(listBytes.begin(), listBytes.end());
    const auto line = 1 + std::count(list.begin(), list.begin() + std::ptrdiff_t(list.find("section common\n")), '\n');
    const RunResult missing = RunBuilder(source, out);
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find("required_assets.txt:" + std::to_string(line) +
                                  ": \"data\\ui\\texts\\en\\common.ini\" is not in the data set"),
              std::string::npos)
        << missing.output;
    EXPECT_TRUE(ReadBytes(pack) == editedPack);
}

TEST(DataSetBuilder, RemakesCacheEntriesWhoseFilesWereDamaged)
{
    FileTests::TempFolder temp;
    const auto build = [&]() {
        Content::DataSetBuilder builder({temp.Path("out"), QUILLORY_DATA_BUILDER, 1});
        builder.Add(TextRecipe("first recipe", "data\\a.txt", "the first entry's bytes"));
        builder.Add(TextRecipe("second recipe", "data\\b.txt", "the second entry's bytes"));
        builder.Add(TextRecipe("third recipe", "data\\c.txt", "the third entry's bytes"));
        return builder.Build();
    };
    build();
    const std::vector<std::uint8_t> pack = ReadBytes(temp.Path("out/data/pack0.pak"));
    std::vector<fs::path> cached;
    for (const fs::directory_entry& entry : fs::directory_iterator(temp.Path("out/dataset/cache"))) {
        cached.push_back(entry.path() / "0");
    }
    std::sort(cached.begin(), cached.end());
    ASSERT_EQ(cached.size(), 3u);
    {
        std::fstream overwrite(cached[0], std::ios::in | std::ios::out | std::ios::binary);
        overwrite.seekp(3);
        overwrite << "XXXXXXX";
    }
    fs::resize_file(cached[1], 5);

    const Content::DataSetSummary again = build();
    EXPECT_EQ(again.generated, 2u);
    EXPECT_EQ(again.reused, 1u);
    EXPECT_EQ(again.remadeFromDamagedCache.size(), 2u);
    EXPECT_TRUE(ReadBytes(temp.Path("out/data/pack0.pak")) == pack);
    EXPECT_EQ(build().generated, 0u);
}

TEST(DataSetBuilder, FailuresNameTheirRecipesAndFiles)
{
    FileTests::TempFolder temp;
    Content::DataSetBuilder builder({temp.Path("out"), QUILLORY_DATA_BUILDER, 2});
    builder.Add(TextRecipe("first recipe", "data\\a.txt", "a"));
    const std::string twice = ErrorOf([&] { builder.Add(TextRecipe("second recipe", "DATA\\A.TXT", "b")); });
    EXPECT_NE(twice.find("first recipe"), std::string::npos) << twice;
    EXPECT_NE(twice.find("second recipe"), std::string::npos) << twice;

    temp.Write("content/data/ui/texts/en/common.ini", std::string("[OK]\nOK\n\n[ok]\nok\n"));
    const std::string badText = ErrorOf([&] { Content::GameDataSet::AddRecipes(builder, temp.Path("content")); });
    EXPECT_NE(badText.find("common.ini:4:"), std::string::npos) << badText;

    Content::AssetRecipe failing = TextRecipe("failing recipe", "data\\b.txt", "");
    failing.make = []() -> Content::AssetRecipe::Outputs { throw OrrelayEngine::Error("no luck"); };
    Content::DataSetBuilder second({temp.Path("out"), QUILLORY_DATA_BUILDER, 2});
    second.Add(std::move(failing));
    const std::string made = ErrorOf([&] { second.Build(); });
    EXPECT_EQ(made, "failing recipe: no luck");
    EXPECT_FALSE(fs::exists(temp.Path("out/data/pack0.pak")));
}
