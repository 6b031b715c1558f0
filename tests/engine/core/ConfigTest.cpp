#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"
#include "support/AllocationCounter.h"
#include "tests/engine/file/TempFolder.h"

#include <gtest/gtest.h>

#include "support/LogSearch.h"
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace OrrelayEngine;
using FileTests::TempFolder;

class ConfigTest : public ::testing::Test
{
protected:
    ConfigTest() : files_(&log_, folder_.Path(), "Data") {}

    std::unique_ptr<Config> MakeConfig(const std::string& videoMode = "1024x768x32", bool forceMode = false,
                                       bool forceFullscreen = false)
    {
        return std::make_unique<Config>(&log_, &files_, folder_.Path(), "Quillory", forceMode, videoMode,
                                        forceFullscreen, true);
    }

    std::string ReadIni() const
    {
        std::ifstream in(folder_.Path("Quillory.ini"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    bool LogHolds(const std::string& part) const { return TestSupport::Logged(log_, part); }

    TempFolder folder_;
    MessageManager log_{"Test", false, false, "", ""};
    FileManager files_;
};

TEST_F(ConfigTest, StartsFromTheGivenModeWithCommandsIdle)
{
    auto config = MakeConfig();
    for (const char* command : {"reset_config", "v_window_change_mode", "sc_take_screenshot", "sc_take_screenshot_tga",
                                "sc_take_screenshot_jpg", "sc_start_movie_record", "sc_stop_movie_record", "exit"}) {
        EXPECT_TRUE(config->IsCommandIdle(command)) << command;
    }
    EXPECT_EQ(config->GetValues()->videoMode, "1024x768x32");
    EXPECT_EQ(config->GetDefaultValue("v_gamma"), "1.0");
    EXPECT_EQ(config->GetDefaultValue("no_such"), "");

    Config unnamed(&log_, &files_, "", "", false, "", false, false);
    EXPECT_EQ(unnamed.GetIniPath(), "Orrelay Engine.ini");
    EXPECT_EQ(unnamed.GetValue("v_mode"), "800x600x32");
    EXPECT_EQ(unnamed.GetValue("v_fullscreen"), "0");
}

TEST_F(ConfigTest, ExecuteAnswersEachKindOfLine)
{
    auto config = MakeConfig();
    std::int32_t locked = 5;
    config->AddVariable("d_locked", kConfigInteger, true, true, &locked, "5", false);
    struct Case
    {
        const char* line;
        std::uint32_t result;
        const char* name;
    };
    const Case cases[] = {
        {"", Config::kExecuteEmptyLine, ""},
        {"  \\\\  ", Config::kExecuteEmptyLine, ""},
        {"v_mode", Config::kExecuteNoValue, "v_mode"},
        {"v_mode    ", Config::kExecuteNoValue, "v_mode"},
        {"nosuch 1", Config::kExecuteUnknownName, "nosuch"},
        {"d_locked 7", Config::kExecuteLocked, "d_locked"},
        {"V_Mode 1280X1024x32", Config::kExecuteDone, "v_mode"},
        {"\\\\v_gamma   1.5 \\\\ 9.0", Config::kExecuteDone, "v_gamma"},
        {"exit now", Config::kExecuteDone, "exit"},
    };
    for (const Case& c : cases) {
        std::string name = "unset";
        EXPECT_EQ(config->Execute(c.line, &name), c.result) << c.line;
        if (c.result != Config::kExecuteEmptyLine) {
            EXPECT_EQ(name, c.name) << c.line;
        }
    }
    EXPECT_EQ(config->GetValue("v_mode"), "1280X1024x32") << "names ignore case, values keep it";
    EXPECT_EQ(config->GetValue("v_gamma"), "1.500000");
    EXPECT_FALSE(config->IsCommandIdle("exit"));
    EXPECT_EQ(locked, 5);
    config->SetValue("d_locked", "9");
    EXPECT_EQ(locked, 9) << "SetValue does not look at the lock";
    config->SetValue("v_vsync", "abc");
    EXPECT_EQ(config->GetValue("v_vsync"), "0");
    config->SetValue("v_vsync", "12");
    EXPECT_EQ(config->GetValue("v_vsync"), "1");
}

TEST_F(ConfigTest, LoadAppliesLinesAndKeepsUnknownOnesForLaterOwners)
{
    folder_.Write("Quillory.ini", "v_fullscreen 0\r\n"
                                  "V_GAMMA 0.5 // darker\r\n"
                                  "g_music_volume 0.25\r\n"
                                  "g_music_volume 0.75\r\n"
                                  "v_mode\r\n"
                                  "// exit\r\n"
                                  "reset_config\r\n");
    auto config = MakeConfig();
    config->Load();
    EXPECT_EQ(config->GetValue("v_fullscreen"), "0");
    EXPECT_EQ(config->GetValue("v_gamma"), "0.500000");
    EXPECT_EQ(config->GetValue("v_mode"), "1024x768x32");
    EXPECT_TRUE(config->IsCommandIdle("exit")) << "a commented-out command is not issued";
    EXPECT_FALSE(config->IsCommandIdle("reset_config"));

    float volume = 0.0f;
    config->AddVariable("g_music_volume", kConfigFloat, false, true, &volume, "0.37", false);
    EXPECT_FLOAT_EQ(volume, 0.25f) << "the first line naming it wins";
    float again = 0.0f;
    config->AddVariable("g_music_volume", kConfigFloat, false, true, &again, "0.9", false);
    EXPECT_FLOAT_EQ(again, 0.0f) << "a second registration is ignored";

    folder_.Write("Quillory.ini", "exit\r\n");
    config->Load();
    EXPECT_FALSE(config->IsCommandIdle("exit"));
}

TEST_F(ConfigTest, ForcedSettingsWinOverTheIniFile)
{
    folder_.Write("Quillory.ini", "v_mode 640x480x16\r\nv_fullscreen 0\r\n");
    auto forced = MakeConfig("1024x768x32", true, true);
    forced->Load();
    EXPECT_EQ(forced->GetValue("v_mode"), "1024x768x32");
    EXPECT_EQ(forced->GetValue("v_fullscreen"), "1");
    auto free = MakeConfig();
    free->Load();
    EXPECT_EQ(free->GetValue("v_mode"), "640x480x16");
    EXPECT_EQ(free->GetValue("v_fullscreen"), "0");
}

TEST_F(ConfigTest, SaveWritesSavedVariablesInByteOrderWithSixDecimals)
{
    auto config = MakeConfig();
    float volume = 0.37f;
    std::string player = "Zo\xC3\xAB";
    std::int32_t hidden = 3;
    std::int32_t locked = 4;
    config->AddVariable("g_music_volume", kConfigFloat, false, true, &volume, "0.37", false);
    config->AddVariable("G_Player", kConfigString, false, true, &player, "Zo\xC3\xAB", false);
    config->AddVariable("d_hidden", kConfigInteger, false, false, &hidden, "3", false);
    config->AddVariable("d_locked", kConfigInteger, true, true, &locked, "4", false);
    config->SetCommandIdle("exit", false);
    config->Save();
    EXPECT_EQ(ReadIni(), "c_invert_mouse 0\r\n"
                         "g_music_volume 0.370000\r\n"
                         "g_player Zo\xC3\xAB\r\n"
                         "r_show_faces_edges 0\r\n"
                         "r_show_faces_normals 0\r\n"
                         "r_show_mip_maps 0\r\n"
                         "r_show_octree_nodes 0\r\n"
                         "r_texture_anisotropy 1\r\n"
                         "r_use_mip_mapping 1\r\n"
                         "sc_take_screenshot_format 0\r\n"
                         "v_brightness 1.000000\r\n"
                         "v_contrast 1.000000\r\n"
                         "v_fullscreen 1\r\n"
                         "v_gamma 1.000000\r\n"
                         "v_mode 1024x768x32\r\n"
                         "v_vsync 1\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("Quillory.ini.tmp")));

    auto reloaded = MakeConfig("800x600x32");
    std::string readBack;
    reloaded->AddVariable("g_player", kConfigString, false, true, &readBack, "", false);
    reloaded->Load();
    EXPECT_EQ(readBack, "Zo\xC3\xAB");
    EXPECT_EQ(reloaded->GetValue("v_mode"), "1024x768x32");
}

TEST_F(ConfigTest, FailedSaveKeepsTheOldFileAndLogsAnError)
{
    folder_.Write("Quillory.ini", "v_vsync 0\r\n");
    // A folder where the temporary file should go: it cannot be opened for writing.
    std::filesystem::create_directories(folder_.Path("Quillory.ini.tmp/inside"));
    auto config = MakeConfig();
    config->Save();
    EXPECT_EQ(ReadIni(), "v_vsync 0\r\n");
    EXPECT_TRUE(LogHolds("Error: ")) << "the failure is logged";
    std::filesystem::remove_all(folder_.Path("Quillory.ini.tmp"));

    // A folder where the file itself should go: the rename over it fails.
    std::filesystem::remove(folder_.Path("Quillory.ini"));
    std::filesystem::create_directories(folder_.Path("Quillory.ini/inside"));
    log_.ClearMessages();
    config->Save();
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path("Quillory.ini/inside")));
    EXPECT_TRUE(LogHolds("Quillory.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("Quillory.ini.tmp")));
}

TEST_F(ConfigTest, ResetLeavesCommandsAndLockedVariablesAlone)
{
    auto config = MakeConfig();
    std::int32_t locked = 4;
    config->AddVariable("d_locked", kConfigInteger, true, true, &locked, "1", false);
    locked = 4;
    config->SetValue("v_gamma", "1.7");
    config->SetCommandIdle("exit", false);
    config->Execute("reset_config");
    config->Update();
    EXPECT_TRUE(config->IsCommandIdle("reset_config")) << "reset_config is handled by the update";
    EXPECT_FALSE(config->IsCommandIdle("exit")) << "a pending exit survives the reset";
    EXPECT_EQ(config->GetValue("v_gamma"), "1.000000");
    EXPECT_EQ(locked, 4);

    config->ResetToDefault("v_gamma");
    EXPECT_FALSE(config->IsCommandIdle("no_such"));
    EXPECT_FALSE(config->IsCommandIdle("v_gamma")) << "a variable is never an idle command";
}

TEST_F(ConfigTest, ReleasedVariableKeepsItsLastValue)
{
    auto config = MakeConfig();
    float volume = 0.0f;
    {
        float first = 0.0f;
        config->AddVariable("g_sound_volume", kConfigFloat, false, true, &first, "0.48", false);
        config->SetValue("g_sound_volume", "0.6");
        config->SetReadOnly("g_sound_volume");
    }
    EXPECT_EQ(config->GetValue("g_sound_volume"), "0.600000");
    EXPECT_EQ(config->Execute("g_sound_volume 0.1"), Config::kExecuteUnknownName);
    config->SetValue("g_sound_volume", "0.2");
    EXPECT_EQ(config->GetValue("g_sound_volume"), "0.600000");
    std::vector<std::string> names;
    config->ListVariables(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "g_sound_volume"), 0);
    config->Save();
    EXPECT_NE(ReadIni().find("g_sound_volume 0.600000\r\n"), std::string::npos);

    config->AddVariable("g_sound_volume", kConfigFloat, false, true, &volume, "0.9", false);
    EXPECT_FLOAT_EQ(volume, 0.6f) << "the new owner starts from the last value";
    EXPECT_EQ(config->GetDefaultValue("g_sound_volume"), "0.48");
}

TEST_F(ConfigTest, WatchedVariablesReportChangesForOneFrame)
{
    auto config = MakeConfig();
    float level = 0.0f;
    config->AddVariable("d_level", kConfigFloat, false, false, &level, "0.5", true);
    EXPECT_TRUE(config->IsChanged("d_level")) << "a watched variable starts changed";
    config->Update();
    config->ClearChanged();
    config->Update();
    EXPECT_FALSE(config->IsChanged("d_level"));
    level = 0.50005f;
    config->Update();
    EXPECT_FALSE(config->IsChanged("d_level")) << "within the float tolerance";
    level = 0.6f;
    config->Update();
    EXPECT_TRUE(config->IsChanged("d_level"));
    config->ClearChanged();
    config->Update();
    EXPECT_FALSE(config->IsChanged("d_level"));
    EXPECT_FALSE(config->IsChanged("v_gamma")) << "unwatched";
}

TEST_F(ConfigTest, SteadyFramesAllocateNothing)
{
    auto config = MakeConfig();
    float level = 0.0f;
    std::int32_t count = 0;
    std::uint8_t flag = 0;
    std::string title;
    config->AddVariable("d_level", kConfigFloat, false, false, &level, "0.5", true);
    config->AddVariable("d_count", kConfigInteger, false, false, &count, "3", true);
    config->AddVariable("d_flag", kConfigBoolean, false, false, &flag, "1", true);
    config->AddVariable("d_title", kConfigString, false, false, &title, "a title longer than any small buffer", true);
    std::int32_t detail = 0;
    config->AddVariable("d_watched_detail_level", kConfigInteger, false, false, &detail, "1", true);
    // Names as an owner keeps them; too long for a string's own storage.
    const std::string longWatched = "d_watched_detail_level";
    const std::string longCommand = "sc_start_movie_record";
    for (int frame = 0; frame < 3; ++frame) {
        config->Update();
        config->ClearChanged();
    }

    bool seenEveryChange = true;
    TestSupport::ScopedAllocationCount allocations;
    for (int frame = 0; frame < 100; ++frame) {
        // Numbers that change every frame still take no memory to notice.
        level = 0.5f + 0.01f * static_cast<float>(frame % 2);
        count = frame;
        flag = static_cast<std::uint8_t>(frame % 2);
        detail = frame;
        config->Update();
        seenEveryChange = seenEveryChange && config->IsChanged("D_Count") && config->IsChanged(longWatched);
        if (!config->IsCommandIdle(longCommand)) {
            config->SetCommandIdle(longCommand, true);
        }
        config->ClearChanged();
    }
    EXPECT_EQ(allocations.Count(), 0u);
    EXPECT_TRUE(seenEveryChange) << "whatever the case of the name";
}

TEST(ParseVideoMode, ReadsEachPartLikeTheCLibraryAndFallsBackWhenOneGivesNoSize)
{
    struct Case
    {
        const char* text;
        std::uint32_t width;
        std::uint32_t height;
        std::uint32_t bits;
    };
    const Case cases[] = {
        {"1024X768X32", 1024, 768, 32},
        {"800x600x16", 800, 600, 16},
        {" 1280 x 1024 x 32 ", 1280, 1024, 32},
        {"desktop", 640, 480, 16},
        {"1024x768", 640, 480, 16},
        {"axbxc", 640, 480, 16},
        {"0x0x32", 640, 480, 16},
        {"", 640, 480, 16},
        {"99999999999x768x32", 640, 480, 16},
        {"1024x768x32x8", 1024, 768, 32},
        {"800x600x32bpp", 800, 600, 32},
        {"+800x600x16", 800, 600, 16},
        {"-1x768x32", 640, 480, 16},
        {"1024x768x", 640, 480, 16},
    };
    for (const Case& c : cases) {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint32_t bits = 0;
        ParseVideoMode(c.text, &width, &height, &bits);
        EXPECT_EQ(width, c.width) << c.text;
        EXPECT_EQ(height, c.height) << c.text;
        EXPECT_EQ(bits, c.bits) << c.text;
    }
    std::uint32_t height = 0;
    ParseVideoMode("1024x768x32", nullptr, &height, nullptr);
    EXPECT_EQ(height, 768u);
}

} // namespace
