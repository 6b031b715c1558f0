#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "framework/BinaryFields.h"
#include "framework/HeaderedFile.h"
#include "framework/HeaderedFilePtr.h"
#include "platform/FileSystem.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

using FrameworkTests::FrameworkEnvironment;
using FrameworkTests::Headered;
using FrameworkTests::U32;
using FrameworkTests::U32At;
using GameFramework::HeaderedFile;
using GameFramework::HeaderedFilePtr;

std::string OpenError(HeaderedFile& file, const std::string& path, std::uint32_t mode = HeaderedFile::kModeRead)
{
    try {
        file.Open(path, mode);
    } catch (const OrrelayEngine::FileError& error) {
        return error.GetMessage();
    }
    return "";
}

TEST(HeaderedFile, WrittenFileCarriesItsExactLengthMagicAndVersion)
{
    FrameworkEnvironment env;
    const std::string path = env.UserFolder() + "\\test.bin";
    HeaderedFile file(&env.Files(), "TWPRFX", 104);
    file.Open(path, HeaderedFile::kModeWrite);
    GameFramework::WriteUInt32(*file.GetFile(), 0xA1B2C3D4u);
    file.GetFile()->WriteByte(7);
    file.Close();
    file.Close();

    const std::string bytes = FrameworkEnvironment::ReadAll(env.NativeUserFolder() + "/test.bin");
    ASSERT_EQ(bytes.size(), 18u);
    EXPECT_EQ(U32At(bytes, 0), 18u);
    EXPECT_EQ(bytes.substr(4, 5), "TWPRF");
    EXPECT_EQ(U32At(bytes, 9), 104u);
    EXPECT_EQ(U32At(bytes, 13), 0xA1B2C3D4u);
    EXPECT_EQ(bytes[17], 7);
    EXPECT_FALSE(std::filesystem::exists(env.NativeUserFolder() + "/test.bin.tmp"));

    file.Open(path, HeaderedFile::kModeRead);
    EXPECT_EQ(GameFramework::ReadUInt32(*file.GetFile()), 0xA1B2C3D4u);
}

TEST(HeaderedFile, RejectsEveryHeaderThatDoesNotDescribeTheFile)
{
    FrameworkEnvironment env;
    const std::string body = "abcd";
    const std::string good = Headered("GFHSF", 101, body);
    struct Case
    {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"stored size one less", U32(16) + "GFHSF" + U32(101) + body},
        {"stored size one more", U32(18) + "GFHSF" + U32(101) + body},
        {"file one byte longer", good + "x"},
        {"file one byte shorter", good.substr(0, good.size() - 1)},
        {"other magic", Headered("GFHSX", 101, body)},
    };
    for (const Case& c : cases) {
        FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/t.hsf", c.bytes);
        HeaderedFile file(&env.Files(), "GFHSF", 101);
        const std::string path = env.UserFolder() + "\\t.hsf";
        EXPECT_EQ(OpenError(file, path), "Incorrect \"" + path + "\" file format") << c.what;
    }

    FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/t.hsf", good);
    HeaderedFile file(&env.Files(), "GFHSF", 101);
    EXPECT_EQ(OpenError(file, env.UserFolder() + "\\t.hsf"), "");
}

TEST(HeaderedFile, FileTooShortForItsHeaderIsAShortRead)
{
    FrameworkEnvironment env;
    const std::string path = env.UserFolder() + "\\t.hsf";
    for (const std::string& bytes : {Headered("GFHSF", 101, "").substr(0, 12), std::string()}) {
        FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/t.hsf", bytes);
        HeaderedFile file(&env.Files(), "GFHSF", 101);
        EXPECT_EQ(OpenError(file, path), "Failed to read 13 bytes from \"" + path + "\" file") << bytes.size();
    }
}

TEST(HeaderedFile, OtherVersionIsRejectedWithBothNumbersUnlessAnyIsAccepted)
{
    FrameworkEnvironment env;
    FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/p.prf", Headered("TWPRF", 103, "z"));
    const std::string path = env.UserFolder() + "\\p.prf";

    HeaderedFile file(&env.Files(), "TWPRF", 104);
    EXPECT_EQ(OpenError(file, path), "Incorrect \"" + path + "\" format version (103), current is 104");

    std::uint32_t version = 0;
    file.Open(path, HeaderedFile::kModeRead, true, &version);
    EXPECT_EQ(version, 103u);
    EXPECT_EQ(file.GetFile()->GetPosition(), 13u);
}

TEST(HeaderedFile, AbandonedOrFailedWriteKeepsTheOldFile)
{
    FrameworkEnvironment env;
    const std::string path = env.UserFolder() + "\\keep.bin";
    const std::string native = env.NativeUserFolder() + "/keep.bin";
    const std::string old = Headered("FLPMF", 100, "old");
    FrameworkEnvironment::WriteAll(native, old);

    HeaderedFile file(&env.Files(), "FLPMF", 100);
    file.Open(path, HeaderedFile::kModeWrite);
    file.GetFile()->WriteByte(1);
    file.Abandon();
    EXPECT_EQ(FrameworkEnvironment::ReadAll(native), old);
    EXPECT_FALSE(std::filesystem::exists(native + ".tmp"));

    // A write its owner never finished is not put in place by the next Open.
    file.Open(path, HeaderedFile::kModeWrite);
    file.GetFile()->WriteByte(2);
    file.Open(path, HeaderedFile::kModeRead);
    EXPECT_EQ(FrameworkEnvironment::ReadAll(native), old);

    // A folder in the way: the rename cannot happen, and Close says so.
    const std::string blockedPath = env.UserFolder() + "\\blocked";
    std::filesystem::create_directories(env.NativeUserFolder() + "/blocked/inside");
    file.Open(blockedPath, HeaderedFile::kModeWrite);
    EXPECT_THROW(file.Close(), OrrelayEngine::FileError);
    EXPECT_TRUE(std::filesystem::is_directory(env.NativeUserFolder() + "/blocked"));
    EXPECT_FALSE(std::filesystem::exists(env.NativeUserFolder() + "/blocked.tmp"));
}

TEST(HeaderedFile, SetAsideDamagedKeepsTheBytesBesideWithBak)
{
    FrameworkEnvironment env;
    HeaderedFile file(&env.Files(), "GFPLF", 1);
    const std::string native = env.NativeUserFolder() + "/list.pmf";
    EXPECT_TRUE(file.SetAsideDamaged(env.UserFolder() + "\\list.pmf"));
    EXPECT_FALSE(std::filesystem::exists(native + ".bak"));

    FrameworkEnvironment::WriteAll(native, "garbage");
    EXPECT_TRUE(file.SetAsideDamaged(env.UserFolder() + "\\list.pmf"));
    EXPECT_FALSE(std::filesystem::exists(native));
    EXPECT_EQ(FrameworkEnvironment::ReadAll(native + ".bak"), "garbage");
}

TEST(HeaderedFile, RelativeNamesLiveUnderTheFileManagersBaseFolder)
{
    FrameworkEnvironment env;
    const std::string name = "relative-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".dat";
    const std::string beside = Platform::ToNativePath(OrrelayEngine::GetProgramFolder() + "\\" + name);
    HeaderedFile file(&env.Files(), "GFHSF", 101);

    ASSERT_TRUE(file.Save(
        name, [](OrrelayEngine::FileBinary& body) { body.WriteByte(1); }, &env.Log(), "Test"));
    EXPECT_EQ(FrameworkEnvironment::ReadAll(env.Root() + "/" + name), Headered("GFHSF", 101, std::string(1, '\1')));
    EXPECT_FALSE(std::filesystem::exists(beside));
    EXPECT_FALSE(std::filesystem::exists(env.Root() + "/" + name + ".tmp"));

    EXPECT_TRUE(file.SetAsideDamaged(name));
    EXPECT_TRUE(std::filesystem::exists(env.Root() + "/" + name + ".bak"));
    EXPECT_FALSE(std::filesystem::exists(beside + ".bak"));
}

TEST(HeaderedFilePtr, CompletesTheWriteWhenItGoes)
{
    FrameworkEnvironment env;
    const std::string path = env.UserFolder() + "\\map.bin";
    {
        HeaderedFilePtr owner(new HeaderedFile(&env.Files(), "PHGMF", 1));
        owner->Open(path, HeaderedFile::kModeWrite);
        owner->GetFile()->WriteByte(9);
    }
    const std::string bytes = FrameworkEnvironment::ReadAll(env.NativeUserFolder() + "/map.bin");
    ASSERT_EQ(bytes.size(), 14u);
    EXPECT_EQ(U32At(bytes, 0), 14u);
}

} // namespace
