// The check over the built data set: data/pack0.pak beside the game, read with
// the engine's own readers through a headless engine, against every line of
// content/required_assets.txt. Entries no line names are printed, not failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>

#include "content/RequiredAssetList.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/NullEngine.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "engine/file/PackFile.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/StageRecord.h"

using Content::RequiredAsset;

namespace {

const char* const kLanguageCodes[] = {"en", "ru", "ge", "fr", "it", "sp", "cz"};
constexpr std::uint32_t kMusicMinimumBytes = 1u << 20;
constexpr double kEffectLongestSeconds = 1.5;
constexpr double kEffectStartSeconds = 0.005;
constexpr double kJoinWindowSeconds = 0.05;
// One percent of full scale: quieter than that is silence for the start test.
constexpr int kAudibleSample = 328;

std::string ToLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

// The game's campaign reader: stage files "stage<index>.ini", level lines of
// board, item kinds, environment and energy factor.
class CampaignReader : public GameFramework::LevelManagerBase
{
public:
    using LevelManagerBase::LevelManagerBase;

    std::string GetStageFileName(std::uint32_t stageIndex) override
    {
        return "stage" + std::to_string(stageIndex) + ".ini";
    }
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override
    {
        return std::make_unique<GameFramework::StageRecord>();
    }
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override
    {
        return std::make_unique<GameFramework::LevelRecord>();
    }
    void ReadLevel(GameFramework::LevelRecord&, OrrelayEngine::FileTextual& file) override
    {
        std::string board;
        std::string environment;
        file.ReadWord(board);
        const std::int32_t kinds = file.ReadInt();
        file.ReadWord(environment);
        const float energy = file.ReadFloat();
        EXPECT_FALSE(board.empty());
        EXPECT_EQ(board.find('_'), std::string::npos) << board;
        EXPECT_GT(kinds, 0);
        EXPECT_FALSE(environment.empty());
        EXPECT_GT(energy, 0.0f);
        boards.push_back(board);
        environments.push_back(environment);
    }

    std::vector<std::string> boards;
    std::vector<std::string> environments;
};

class DataSetCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        nullEngine.settings.installFolder = QUILLORY_BUILD_DIR;
        engine = &nullEngine.Start();
        files = engine->GetFileManager();
        log = engine->GetMessageManager();
        for (const char* code : kLanguageCodes) {
            if (files->Exists(std::string("data\\ui\\fonts\\") + code + ".ini")) {
                languages.push_back(code);
            }
        }
    }

    void Name(const std::string& packPath) { named.insert(ToLower(packPath)); }

    void CheckSection(const std::string& section)
    {
        for (const std::string& language : languages) {
            const std::string path = "ui\\texts\\" + language + "\\" + section + ".ini";
            ASSERT_TRUE(files->Exists("data\\" + path)) << path;
            Name("data\\" + path);
            if (texts.count(language) == 0) {
                texts[language] = std::make_unique<OrrelayEngine::GUITextManager>(log, files);
            }
            texts[language]->Load(path);
            std::unique_ptr<OrrelayEngine::FileTextual> file =
                files->OpenTextFile("data\\" + path, OrrelayEngine::FileTextual::kModeRead, 0);
            std::wstring line;
            while (file->ReadWideString(line, false, false)) {
                characters[language] += line;
            }
        }
    }

    // The language's font list read as the game base reads it.
    void LoadFonts(const std::string& language)
    {
        if (fonts.count(language) != 0) {
            return;
        }
        const std::string list = "data\\ui\\fonts\\" + language + ".ini";
        Name(list);
        OrrelayEngine::GUIManager* gui = engine->GetGUIManager();
        auto manager = std::make_unique<OrrelayEngine::GUIFontManager>(log, files, engine->GetShaderManager(),
                                                                       engine->GetModelManager(), gui->GetCamera());
        std::unique_ptr<OrrelayEngine::FileTextual> file =
            files->OpenTextFile(list, OrrelayEngine::FileTextual::kModeRead, 0);
        const std::int32_t count = file->ReadInt();
        file->ReadInt();
        ASSERT_GT(count, 0);
        for (std::int32_t id = 0; id < count; ++id) {
            std::string fontFile;
            std::string texture;
            std::string opacity;
            file->ReadWord(fontFile);
            file->ReadWord(texture);
            file->ReadWord(opacity);
            const float size = file->ReadFloat();
            file->ReadFloat();
            file->ReadFloat();
            const bool lowerCase = file->ReadBool();
            file->ReadBool();
            EXPECT_GT(size, 0.0f) << "font " << id;
            EXPECT_TRUE(lowerCase) << "font " << id;
            Name("data\\" + fontFile);
            Name("data\\" + texture);
            manager->LoadFont(static_cast<std::uint32_t>(id),
                              OrrelayEngine::MakeSingleTextureShaderDescriptor(texture, opacity, true), fontFile);
        }
        fonts[language] = std::move(manager);
    }

    void CheckFont(const RequiredAsset& asset)
    {
        for (const std::string& language : languages) {
            LoadFonts(language);
            const OrrelayEngine::GUIFont* font = fonts[language]->FindFont(asset.fontId);
            ASSERT_NE(font, nullptr) << language << " font " << asset.fontId;
            const std::wstring wanted = asset.characters.empty()
                                            ? characters[language]
                                            : std::wstring(asset.characters.begin(), asset.characters.end());
            std::set<wchar_t> missing;
            for (wchar_t c : wanted) {
                if (c != L' ' && c != L'\t' && !font->HasGlyph(c)) {
                    missing.insert(c);
                }
            }
            EXPECT_TRUE(missing.empty()) << language << " font " << asset.fontId << " lacks "
                                         << std::wstring(missing.begin(), missing.end()).size() << " characters";
        }
    }

    static void CheckJoin(const std::vector<std::int16_t>& samples, std::uint32_t channels, std::uint32_t rate)
    {
        const std::size_t frames = samples.size() / channels;
        const auto window = static_cast<std::size_t>(rate * kJoinWindowSeconds);
        ASSERT_GT(frames, 2 * window);
        for (std::uint32_t c = 0; c < channels; ++c) {
            auto at = [&](std::size_t frame) { return int(samples[(frame % frames) * channels + c]); };
            int largest = 0;
            for (std::size_t i = frames - window; i < frames + window; ++i) {
                if (i != frames - 1) {
                    largest = std::max(largest, std::abs(at(i + 1) - at(i)));
                }
            }
            EXPECT_LE(std::abs(at(0) - at(frames - 1)), largest) << "channel " << c;
        }
    }

    void CheckSound(const RequiredAsset& asset)
    {
        const std::string file = Content::RequiredAssetList::FindSoundFile(
            asset.group, asset.name, [this](const std::string& path) { return files->Exists(path); });
        ASSERT_TRUE(files->Exists("data\\" + file)) << file;
        Name("data\\" + file);
        std::unique_ptr<OrrelayEngine::SoundFileReader> reader;
        if (OrrelayEngine::FileManager::HasExtension(file, "wav")) {
            reader = std::make_unique<OrrelayEngine::SoundFileReaderWAV>(log, files, file);
        } else {
            reader = std::make_unique<OrrelayEngine::SoundFileReaderOGG>(log, files, file);
        }
        ASSERT_EQ(reader->GetBitsPerSample(), 16u);
        std::vector<std::int16_t> samples(reader->GetTotalBytes() / 2);
        std::vector<std::uint8_t> bytes(reader->GetTotalBytes());
        std::uint32_t done = 0;
        bool atEnd = false;
        while (!atEnd && done < bytes.size()) {
            std::uint32_t read = 0;
            reader->Read(bytes.data() + done, static_cast<std::uint32_t>(bytes.size()) - done, read, atEnd);
            if (read == 0) {
                break;
            }
            done += read;
        }
        ASSERT_EQ(done, bytes.size()) << file;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
        const std::uint32_t channels = reader->GetChannels();
        const std::uint32_t rate = reader->GetSampleRate();
        if (asset.group == "music") {
            EXPECT_GT(reader->GetTotalBytes(), kMusicMinimumBytes) << file;
        } else if (!asset.loop) {
            EXPECT_LT(static_cast<double>(samples.size() / channels) / rate, kEffectLongestSeconds) << file;
            const auto first = std::find_if(samples.begin(), samples.end(),
                                            [](std::int16_t s) { return std::abs(int(s)) >= kAudibleSample; });
            EXPECT_LT(static_cast<double>((first - samples.begin()) / channels) / rate, kEffectStartSeconds) << file;
        }
        if (asset.loop) {
            CheckJoin(samples, channels, rate);
        }
    }

    void CheckCampaign()
    {
        Name("data\\levels\\stages_info.ini");
        CampaignReader campaign(engine);
        try {
            campaign.Load();
        } catch (const OrrelayEngine::Error& error) {
            FAIL() << "the campaign does not load: " << error.GetMessage();
        }
        EXPECT_GT(campaign.GetStageCount(), 0u);
        for (std::uint32_t stage = 0; stage < campaign.GetStageCount(); ++stage) {
            Name("data\\levels\\" + campaign.GetStageFileName(stage));
            EXPECT_GT(campaign.GetStage(stage)->levelCount, 0u) << "stage " << stage;
        }
        // What the game opens for each level: the board, its settings and the scenery.
        std::vector<std::string> needed;
        for (const std::string& board : campaign.boards) {
            needed.push_back("data\\boards\\" + board + ".blf");
            needed.push_back("data\\boards\\" + board + ".ini");
        }
        for (const std::string& environment : campaign.environments) {
            needed.push_back("data\\environments\\" + environment + "\\environment.ini");
        }
        for (const std::string& path : needed) {
            EXPECT_TRUE(files->Exists(path)) << path;
            Name(path);
        }
    }

    EngineTests::NullEngine nullEngine;
    OrrelayEngine::Engine* engine = nullptr;
    OrrelayEngine::FileManager* files = nullptr;
    OrrelayEngine::MessageManager* log = nullptr;
    std::vector<std::string> languages;
    std::map<std::string, std::unique_ptr<OrrelayEngine::GUITextManager>> texts;
    std::map<std::string, std::wstring> characters;
    std::map<std::string, std::unique_ptr<OrrelayEngine::GUIFontManager>> fonts;
    std::set<std::string> named;
};

} // namespace

TEST_F(DataSetCheck, EveryRequiredAssetHoldsInTheBuiltPack)
{
    ASSERT_EQ(languages, std::vector<std::string>{"en"});
    const Content::RequiredAssetList list =
        Content::RequiredAssetList::Read(QUILLORY_CONTENT_DIR "/required_assets.txt");
    // Sections first: the text and font lines check what they loaded.
    for (const RequiredAsset& asset : list.GetAssets()) {
        if (asset.kind == RequiredAsset::Kind::kSection) {
            SCOPED_TRACE("line " + std::to_string(asset.line));
            CheckSection(asset.name);
        }
    }
    for (const RequiredAsset& asset : list.GetAssets()) {
        SCOPED_TRACE("line " + std::to_string(asset.line) + ": " + asset.name);
        switch (asset.kind) {
        case RequiredAsset::Kind::kFile:
            EXPECT_TRUE(files->Exists(asset.name));
            Name(asset.name);
            break;
        case RequiredAsset::Kind::kSection:
            break;
        case RequiredAsset::Kind::kText:
            for (const std::string& language : languages) {
                EXPECT_NE(texts[language]->GetText(asset.name), L"UNKNOWN") << language;
            }
            break;
        case RequiredAsset::Kind::kFont:
            CheckFont(asset);
            break;
        case RequiredAsset::Kind::kSound:
            CheckSound(asset);
            break;
        case RequiredAsset::Kind::kCampaign:
            CheckCampaign();
            break;
        }
    }

    OrrelayEngine::PackFile pack(log, QUILLORY_BUILD_DIR "/data/pack0.pak");
    std::vector<std::string> entries;
    pack.FindFiles("data", "*", entries);
    EXPECT_FALSE(entries.empty());
    for (const std::string& entry : entries) {
        if (named.count(entry) == 0) {
            std::printf("Not named by any line of required_assets.txt: %s\n", entry.c_str());
        }
    }
}

// A shader naming a picture the pack lacks draws with the checkerboard, or
// logs the missing opacity file: every name a stage opens is there.
TEST_F(DataSetCheck, EveryPictureAShaderFileNamesIsInThePack)
{
    OrrelayEngine::PackFile pack(log, QUILLORY_BUILD_DIR "/data/pack0.pak");
    std::vector<std::string> entries;
    pack.FindFiles("data", ".srf", entries);
    ASSERT_FALSE(entries.empty());
    for (const std::string& entry : entries) {
        OrrelayEngine::ShaderDescriptor descriptor(0);
        ASSERT_NO_THROW(descriptor.ConstructFromFile(log, files, entry.substr(5))) << entry;
        for (std::uint32_t i = 0; i < descriptor.GetStageCount(); ++i) {
            const OrrelayEngine::ShaderStage& stage = descriptor.GetStage(i);
            const std::uint32_t mode = stage.animationMode;
            if (mode != OrrelayEngine::ShaderStage::kAnimationDiffuseFiles &&
                mode != OrrelayEngine::ShaderStage::kAnimationDiffuseAndOpacityFiles) {
                EXPECT_TRUE(files->Exists("data\\" + stage.diffuseFileName)) << entry << ": " << stage.diffuseFileName;
            }
            if (!stage.opacityFileName.empty() && mode < OrrelayEngine::ShaderStage::kAnimationOpacityFiles) {
                EXPECT_TRUE(files->Exists("data\\" + stage.opacityFileName)) << entry << ": " << stage.opacityFileName;
            }
        }
    }
}
