#include <gtest/gtest.h>

#include <filesystem>

#include "content/PackWriter.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"
#include "platform/FileSystem.h"
#include "support/LogSearch.h"
#include "tests/engine/file/TempFolder.h"

using Content::PackWriter;
using FileTests::TempFolder;
using OrrelayEngine::FileBinary;
using OrrelayEngine::FileError;
using OrrelayEngine::FileManager;
using OrrelayEngine::FileTextual;
using OrrelayEngine::MessageManager;

namespace {

class FileManagerTest : public testing::Test
{
protected:
    MessageManager log_{"Test", false, false, "", ""};
    TempFolder folder_;

    void SetUp() override { std::filesystem::create_directories(folder_.Path("Data")); }

    void WritePack(const std::string& name, const std::vector<std::pair<std::string, std::string>>& entries)
    {
        PackWriter writer;
        for (const auto& entry : entries)
            writer.AddEntry(entry.first, entry.second);
        writer.Write(folder_.Path("Data/" + name));
    }

    std::unique_ptr<FileManager> MakeManager() { return std::make_unique<FileManager>(&log_, folder_.Path(), "Data"); }

    static std::string ReadAll(FileBinary& file)
    {
        std::string text(file.GetSize(), '\0');
        file.Read(text.data(), file.GetSize());
        return text;
    }
};

} // namespace

TEST_F(FileManagerTest, LooseFileBeatsPackEntry)
{
    WritePack("pack0.pak", {{"data\\levels\\stages_info.ini", "from pack"}});
    folder_.Write("Data/Levels/Stages_Info.ini", "loose");
    auto manager = MakeManager();
    auto file = manager->OpenFile("data\\levels\\stages_info.ini", false);
    EXPECT_EQ(ReadAll(*file), "loose");
}

TEST_F(FileManagerTest, PackEntryOpensAsMemoryFileUnderAnySpelling)
{
    WritePack("pack0.pak", {{"Data\\Levels\\Stages_Info.ini", "from pack"}});
    auto manager = MakeManager();
    for (const char* name :
         {"data\\levels\\stages_info.ini", "DATA\\LEVELS\\STAGES_INFO.INI", "data\\\\levels\\\\stages_info.ini"}) {
        SCOPED_TRACE(name);
        auto file = manager->OpenFile(name, false);
        EXPECT_EQ(file->GetName(), folder_.Path() + "\\" + name);
        EXPECT_EQ(ReadAll(*file), "from pack");
        EXPECT_TRUE(manager->Exists(name));
        std::uint32_t size = 0;
        EXPECT_TRUE(manager->FindInPacks(name, &size, nullptr));
        EXPECT_EQ(size, 9u);
    }
    EXPECT_FALSE(manager->Exists("data\\levels\\other.ini"));
    try {
        manager->OpenFile("data\\levels\\other.ini", false);
        ADD_FAILURE() << "opened a file that exists nowhere";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetMessage(), "Failed to open \"" + folder_.Path() + "\\data\\levels\\other.ini\" file");
    }
}

TEST_F(FileManagerTest, EarlierPackWinsAndDamagedPackIsSkipped)
{
    WritePack("pack0.pak", {{"shared.txt", "pack0"}, {"only0.txt", "0"}});
    folder_.Write("Data/pack1.pak", "not a pack at all, but long enough");
    WritePack("pack2.pak", {{"shared.txt", "pack2"}, {"only2.txt", "2"}});

    auto manager = MakeManager();
    EXPECT_EQ(ReadAll(*manager->OpenFile("shared.txt", false)), "pack0");
    EXPECT_EQ(ReadAll(*manager->OpenFile("only2.txt", false)), "2");

    EXPECT_TRUE(TestSupport::Logged(log_, "Error: Incorrect pack file format!\n", TestSupport::LogMatch::kWhole));
}

TEST_F(FileManagerTest, ListingEntersOnlyFoldersMatchingTheMask)
{
    folder_.Write("root/a.pak", "");
    folder_.Write("root/b.txt", "");
    folder_.Write("root/sub/c.pak", "");
    folder_.Write("root/dir.pak/d.pak", "");
    folder_.Write("root/dir.pak/e.txt", "");
    const std::string root = folder_.Path("root");

    std::vector<std::string> list;
    FileManager::ListFilesRecursive(root, "*.PAK", list);
    EXPECT_EQ(list, (std::vector<std::string>{root + "\\a.pak", root + "\\dir.pak\\d.pak"}));

    list.clear();
    FileManager::ListFilesRecursive(root + "\\", "*", list);
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(list.front(), root + "\\a.pak");
}

TEST_F(FileManagerTest, FindFilesListsDiskThenPacksWithoutDuplicates)
{
    WritePack("pack0.pak", {{"profiles\\ann.prf", "x"}, {"profiles\\cid.prf", "x"}});
    WritePack("pack1.pak", {{"Profiles\\Ann.prf", "x"}, {"profiles\\dee.prf", "x"}});
    folder_.Write("profiles/bob.prf", "x");
    folder_.Write("profiles/notes.txt", "x");
    auto manager = MakeManager();

    std::vector<std::string> list = {"PROFILES\\CID.PRF", ""};
    manager->FindFiles("profiles", "*.prf", list);
    EXPECT_EQ(list, (std::vector<std::string>{"PROFILES\\CID.PRF", folder_.Path() + "\\profiles\\bob.prf",
                                              "profiles\\ann.prf", "profiles\\dee.prf"}));

    // An absolute folder matches only what is on disk.
    list.clear();
    manager->FindFiles(folder_.Path("profiles"), "*.prf", list);
    EXPECT_EQ(list, (std::vector<std::string>{folder_.Path("profiles") + "\\bob.prf"}));
}

TEST_F(FileManagerTest, OpeningForWritingCreatesTheFolders)
{
    auto manager = MakeManager();
    {
        auto text = manager->OpenTextFile("users\\new\\deeper\\settings.ini", 1, 0);
        text->WriteString("r_fps 1");
        text->WriteLineEnd();
        text->Close();
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(folder_.Path("users/new/deeper/settings.ini")));
    auto text = manager->OpenTextFile("users\\new\\deeper\\settings.ini", 0, 0);
    std::string word;
    ASSERT_TRUE(text->ReadWord(word));
    EXPECT_EQ(word, "r_fps");

    // An absolute name is used as it is, whatever the base folder.
    FileManager elsewhere(&log_, "/nonexistent-base", "");
    auto absolute = elsewhere.OpenFile(folder_.Path("abs\\made.bin"), true);
    absolute->WriteByte(1);
    absolute->Close();
    EXPECT_TRUE(std::filesystem::is_regular_file(folder_.Path("abs/made.bin")));
    EXPECT_TRUE(elsewhere.Exists(folder_.Path("abs\\made.bin")));
}

TEST(FileManagerPaths, PathOperations)
{
    struct Case
    {
        std::string path;
        std::string folder;
        std::string extension;
    };
    const Case cases[] = {
        {"data\\levels\\stage1.ini", "data\\levels", "ini"},
        {"stage1.ini", "", "ini"},
        {"data\\levels\\stage1", "data\\levels", ""},
        {"data\\my.levels\\stage1", "data\\my.levels", "levels\\stage1"},
        {"archive.tar.gz", "", "gz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileManager::GetFolder(c.path), c.folder) << c.path;
        EXPECT_EQ(FileManager::GetExtension(c.path), c.extension) << c.path;
    }

    struct ExtensionCase
    {
        std::string path;
        std::string extension;
        std::string result;
    };
    const ExtensionCase extensionCases[] = {
        {"a\\b.txt", "ini", "a\\b.ini"},   {"a\\b.txt", "", "a\\b"}, {"a\\b", "ini", "a\\b.ini"}, {"a\\b", "", "a\\b"},
        {"my.dir\\file", "prf", "my.prf"}, {"name.", "x", "name.x"},
    };
    for (const ExtensionCase& c : extensionCases) {
        std::string path = c.path;
        FileManager::SetExtension(path, c.extension);
        EXPECT_EQ(path, c.result) << c.path << " + " << c.extension;
    }

    EXPECT_TRUE(FileManager::HasExtension("A\\B.PrF", "prf"));
    EXPECT_FALSE(FileManager::HasExtension("a\\b.prfx", "prf"));

    const std::string program = OrrelayEngine::GetProgramFolder();
    struct AbsoluteCase
    {
        std::string name;
        std::string dataPath;
        std::string absolute;
    };
    const AbsoluteCase absoluteCases[] = {
        {"levels\\a.ini", "data\\levels\\a.ini", program + "\\levels\\a.ini"},
        {"c:\\games\\a.ini", "c:\\games\\a.ini", "c:\\games\\a.ini"},
        {"/home/a.ini", "/home/a.ini", "/home/a.ini"},
        {"odd:name", "odd:name", "odd:name"},
    };
    for (const AbsoluteCase& c : absoluteCases) {
        EXPECT_EQ(FileManager::GetDataPath(c.name), c.dataPath);
        EXPECT_EQ(FileManager::MakeAbsolute(c.name), c.absolute);
    }

    const std::string executable = Platform::GetExecutablePath();
    const std::string executableName = executable.substr(executable.rfind('/') + 1);
    EXPECT_TRUE(FileManager::ExistsOnDisk(executableName));
    EXPECT_TRUE(FileManager::ExistsOnDisk(program));
    EXPECT_FALSE(FileManager::ExistsOnDisk(executableName + ".missing"));
}

TEST_F(FileManagerTest, DeleteFolderStaysStrictlyInside)
{
    const std::string profiles = folder_.Path("profiles");
    folder_.Write("profiles/ann/ann.prf", "x");
    folder_.Write("other/keep.txt", "x");

    const std::string refused[] = {
        profiles + "\\",
        profiles + "\\.",
        profiles + "\\ann\\..",
        profiles,
        folder_.Path("other"),
        profiles + "\\..\\other",
        "",
    };
    for (const std::string& path : refused) {
        EXPECT_FALSE(FileManager::DeleteFolder(path, profiles)) << path;
    }
    EXPECT_TRUE(std::filesystem::exists(folder_.Path("profiles/ann/ann.prf")));
    EXPECT_TRUE(std::filesystem::exists(folder_.Path("other/keep.txt")));

    EXPECT_TRUE(FileManager::DeleteFolder(profiles + "\\ANN", profiles));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("profiles/ann")));
    EXPECT_TRUE(std::filesystem::exists(profiles));

    // Without a boundary only the program folder's insides may go.
    const std::string program = Platform::GetExecutableFolder();
    if (folder_.Path().compare(0, program.size() + 1, program + "/") != 0) {
        EXPECT_FALSE(FileManager::DeleteFolder(folder_.Path("other")));
        EXPECT_TRUE(std::filesystem::exists(folder_.Path("other")));
    }
    const std::string local = program + "/delete_folder_test";
    std::filesystem::create_directories(local + "/inner");
    EXPECT_TRUE(FileManager::DeleteFolder("delete_folder_test"));
    EXPECT_FALSE(std::filesystem::exists(local));
}
