#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/Registry.h"
#include "support/ScratchFolder.h"
#include "tools/RegistryReader.h"

namespace fs = std::filesystem;

namespace {

class RegistryReaderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(root_ / "machine" / "Maker" / "Product");
        fs::create_directories(root_ / "user" / "Maker" / "Product");
        Platform::SetMachineConfigRoot((root_ / "machine").string());
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldConfigHome_ = old ? old : "";
        hadConfigHome_ = old != nullptr;
        ::setenv("XDG_CONFIG_HOME", (root_ / "user").c_str(), 1);
    }

    void TearDown() override
    {
        Platform::SetMachineConfigRoot("/etc/xdg");
        if (hadConfigHome_) {
            ::setenv("XDG_CONFIG_HOME", oldConfigHome_.c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    void Write(const char* which, const std::string& text)
    {
        std::ofstream(root_ / which / "Maker" / "Product" / "registry.ini") << text;
    }

    TestSupport::ScratchFolder scratch_;
    fs::path root_ = scratch_.Root();
    std::string oldConfigHome_;
    bool hadConfigHome_ = false;
};

} // namespace

TEST_F(RegistryReaderTest, MachineValueWinsAndUserValueIsFoundSecond)
{
    Write("machine", "Version=105\n");
    Write("user", "Version=200\nLanguage=ru\nEmpty=\n");
    std::string out = "kept";
    EXPECT_TRUE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Product", "Version", out));
    EXPECT_EQ(out, "105");
    EXPECT_TRUE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Product", "Language", out));
    EXPECT_EQ(out, "ru");
    EXPECT_TRUE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Product", "Empty", out));
    EXPECT_EQ(out, "");
}

TEST_F(RegistryReaderTest, MissingValuesLeaveTheOutputAlone)
{
    Write("user", std::string("Long=") + std::string(4096, 'x') + "\nFits=" + std::string(4095, 'y') + "\n");
    std::string out = "kept";
    EXPECT_FALSE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Product", "InstallPath", out));
    EXPECT_FALSE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Other", "Version", out));
    EXPECT_FALSE(GameTools::ReadRegistryString(0, "SOFTWARE\\Maker\\Product", "Fits", out));
    EXPECT_FALSE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Product", "Long", out))
        << "a value longer than the installer's buffer is not read";
    EXPECT_EQ(out, "kept");
    EXPECT_TRUE(GameTools::ReadRegistryStringAnyRoot("SOFTWARE\\Maker\\Product", "Fits", out));
    EXPECT_EQ(out.size(), 4095u);
}

TEST(RegistryRootKey, IndexTable)
{
    using GameTools::RegistryKeyRoot;
    EXPECT_EQ(GameTools::RegistryRootKey(0), RegistryKeyRoot::ClassesRoot);
    EXPECT_EQ(GameTools::RegistryRootKey(1), RegistryKeyRoot::CurrentConfig);
    EXPECT_EQ(GameTools::RegistryRootKey(2), RegistryKeyRoot::CurrentUser);
    EXPECT_EQ(GameTools::RegistryRootKey(3), RegistryKeyRoot::LocalMachine);
    EXPECT_EQ(GameTools::RegistryRootKey(4), RegistryKeyRoot::Users);
    EXPECT_EQ(GameTools::RegistryRootKey(99), RegistryKeyRoot::CurrentUser);
}
