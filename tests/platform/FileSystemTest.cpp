#include "platform/FileSystem.h"

#include "ScopedEnvironment.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {

using PlatformTests::ScopedEnvironment;
using PlatformTests::TemporaryFolder;

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Runs a test body with the current directory moved, and moves it back.
class ScopedCurrentDirectory
{
public:
    explicit ScopedCurrentDirectory(const std::string& folder) : m_old(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~ScopedCurrentDirectory() { std::filesystem::current_path(m_old); }

private:
    std::filesystem::path m_old;
};

TEST(FileSystem, ToNativePathFindsExistingPartsInAnyLetterCase)
{
    TemporaryFolder temp;
    const std::string root = temp.Path();
    temp.Write("Data/Levels/stages_info.ini", "x");
    temp.MakeFolder("Mixed");
    temp.MakeFolder("mixed");
    temp.MakeFolder("MIXED2");
    temp.MakeFolder("Mixed2");

    const struct
    {
        std::string in;
        std::string expected;
    } cases[] = {
        {root + "\\data\\levels\\STAGES_INFO.INI", root + "/Data/Levels/stages_info.ini"},
        {root + "/Data/Levels/stages_info.ini", root + "/Data/Levels/stages_info.ini"},
        {root + "\\\\DATA//levels\\new\\File.TXT", root + "/Data/Levels/new/File.TXT"},
        {root + "\\data\\", root + "/Data/"},
        {root + "\\mixed", root + "/mixed"}, // an exact spelling wins
        {root + "\\MIXED", root + "/Mixed"}, // else the first by byte order
        {root + "\\mixed2", root + "/MIXED2"},
        {root + "\\missing\\data", root + "/missing/data"},
        {"\\", "/"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Platform::ToNativePath(c.in), c.expected) << c.in;
    }

    ScopedCurrentDirectory here(root);
    EXPECT_EQ(Platform::ToNativePath("data\\LEVELS\\Stages_Info.ini"), "Data/Levels/stages_info.ini");
    EXPECT_EQ(Platform::ToNativePath("DATA\\..\\data"), "Data/../Data");
}

TEST(FileSystem, ListFolderMatchesMaskIgnoringCaseInByteOrder)
{
    TemporaryFolder temp;
    for (const char* name : {"b.pak", "A.PAK", "a.pak", "c.txt", "pak", "x.pakx"}) {
        temp.Write(name, "x");
    }
    temp.MakeFolder("z.pak");
    std::filesystem::create_symlink(temp.Path() + "/z.pak", temp.Path() + "/y.pak");

    const std::vector<Platform::FolderEntry> paks = Platform::ListFolder(temp.Path(), "*.pak");
    std::vector<std::string> names;
    for (const Platform::FolderEntry& entry : paks) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.isFolder, entry.name == "z.pak" || entry.name == "y.pak") << entry.name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A.PAK", "a.pak", "b.pak", "y.pak", "z.pak"}));

    EXPECT_EQ(Platform::ListFolder(temp.Path(), "*").size(), 8u) << "\".\" and \"..\" are never listed";
    EXPECT_TRUE(Platform::ListFolder(temp.Path() + "/absent", "*").empty());
}

TEST(FileSystem, WildcardMatchTable)
{
    const struct
    {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.prf", "Alice.prf", true},
        {"*.PRF", "alice.prf", true},
        {"*.prf", "alice.prf.bak", false},
        {"*.prf", ".prf", true},
        {"*", "", true},
        {"", "", true},
        {"", "a", false},
        {"?", "", false},
        {"?", "a", true},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXcYYb", false},
        {"*a", "banana", true},
        {"*an*an*", "banana", true},
        {"**", "x", true},
        {"?.prf", "\xC3\xA9.prf", true},
        {"??.prf", "\xC3\xA9.prf", false},
        {"stage?.ini", "Stage1.INI", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Platform::WildcardMatch(c.mask, c.name), c.matches) << c.mask << " / " << c.name;
    }

    // Many stars against a long near-miss must finish at once, not explode.
    const std::string longName(20000, 'a');
    EXPECT_FALSE(Platform::WildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", longName));
    EXPECT_TRUE(Platform::WildcardMatch("*a*a*a*a*a*a*a*a*a*a*", longName));
}

TEST(FileSystem, DeleteTreeRefusesTargetsNotStrictlyInside)
{
    TemporaryFolder temp;
    const std::string within = temp.MakeFolder("profiles");
    temp.Write("profiles/alice/alice.dat", "keep");
    const std::string outsideFile = temp.Write("outside/keep.txt", "keep");
    std::filesystem::create_symlink(temp.Path() + "/outside", within + "/link");

    const std::string refused[] = {
        "",
        within + "/",
        within + "/.",
        within + "/..",
        within + "/alice/..",
        within,
        within + "/../outside",
        within + "/../profiles",
        temp.Path() + "/outside/keep.txt",
        within + "/link",
        within + "/link/keep.txt",
        "/",
    };
    for (const std::string& target : refused) {
        EXPECT_FALSE(Platform::DeleteTree(target, within)) << target;
    }
    EXPECT_FALSE(Platform::DeleteTree(within + "/alice", ""));
    // A profile folder named from an empty profile name is the profiles
    // folder itself, which does lie inside the user's folder.
    for (const std::string& target : {within + "/", within + "/.", within + "//"}) {
        EXPECT_FALSE(Platform::DeleteTree(target, temp.Path())) << target;
    }
    EXPECT_TRUE(Platform::PathExists(within + "/alice/alice.dat"));
    EXPECT_TRUE(Platform::PathExists(outsideFile));
}

TEST(FileSystem, DeleteTreeRemovesEverythingUnderTarget)
{
    TemporaryFolder temp;
    const std::string within = temp.MakeFolder("profiles");
    temp.Write("profiles/alice/sub/deep.dat", "x");
    temp.Write("profiles/bob/bob.dat", "x");
    std::filesystem::create_symlink(within + "/bob", within + "/alias");

    EXPECT_TRUE(Platform::DeleteTree(within + "/bob/../alice", within + "/"));
    EXPECT_FALSE(Platform::PathExists(within + "/alice"));
    EXPECT_FALSE(Platform::DeleteTree(within + "/alice", within)) << "nothing left to delete";

    // A link inside is removed as a link; what it points at stays.
    EXPECT_TRUE(Platform::DeleteTree(within + "/alias", within));
    EXPECT_FALSE(std::filesystem::is_symlink(within + "/alias"));
    EXPECT_TRUE(Platform::PathExists(within + "/bob/bob.dat"));

    // A relative target is taken from the current directory.
    ScopedCurrentDirectory here(temp.Path());
    EXPECT_TRUE(Platform::DeleteTree("profiles/bob", within));
    EXPECT_FALSE(Platform::PathExists(within + "/bob"));
    EXPECT_TRUE(Platform::IsFolder(within));
}

TEST(FileSystem, FoldersAndFilesAreCreatedAndReplaced)
{
    TemporaryFolder temp;
    const std::string folder = temp.Path() + "/Saves";
    EXPECT_TRUE(Platform::CreateFolder(folder));
    EXPECT_FALSE(Platform::CreateFolder(folder)) << "an existing folder is not created";
    EXPECT_TRUE(Platform::IsFolder(folder));
    EXPECT_FALSE(Platform::CreateFolder(temp.Path() + "/no/such/parent"));

    const std::string fresh = temp.Write("Saves/profiles.tmp", "new");
    const std::string old = temp.Write("Saves/profiles.dat", "old");
    EXPECT_TRUE(Platform::PathExists(old));
    EXPECT_FALSE(Platform::IsFolder(old));
    EXPECT_TRUE(Platform::ReplaceFile(fresh, old));
    EXPECT_EQ(ReadAll(old), "new");
    EXPECT_FALSE(Platform::PathExists(fresh));
    EXPECT_FALSE(Platform::ReplaceFile(fresh, old)) << "a missing source replaces nothing";
    EXPECT_EQ(ReadAll(old), "new");
}

TEST(FileSystem, UserRootsFollowEnvironment)
{
    ScopedEnvironment env;
    env.Set("XDG_DATA_HOME", std::string("/data/home/"));
    env.Set("XDG_CONFIG_HOME", std::string("/config/home"));
    env.Set("HOME", std::string("/home/player"));
    EXPECT_EQ(Platform::GetUserDataRoot(), "/data/home");
    EXPECT_EQ(Platform::GetUserConfigRoot(), "/config/home");

    env.Set("XDG_DATA_HOME", std::string("relative/data"));
    env.Set("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(Platform::GetUserDataRoot(), "/home/player/.local/share");
    EXPECT_EQ(Platform::GetUserConfigRoot(), "/home/player/.config");

    env.Set("XDG_DATA_HOME", std::string(""));
    env.Set("HOME", std::nullopt);
    EXPECT_EQ(Platform::GetUserDataRoot(), "");
    EXPECT_EQ(Platform::GetUserConfigRoot(), "");
}

TEST(FileSystem, ExecutableFolderHoldsRunningExecutable)
{
    const std::string path = Platform::GetExecutablePath();
    const std::string folder = Platform::GetExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(path, folder + "/platform_tests");
    EXPECT_TRUE(Platform::IsFolder(folder));
}

} // namespace
