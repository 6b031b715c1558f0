#include "platform/Registry.h"

#include "ScopedEnvironment.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

using Platform::RegistryRoot;
using PlatformTests::ScopedEnvironment;
using PlatformTests::TemporaryFolder;

class RegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Platform::SetMachineConfigRoot(m_temp.Path() + "/machine");
        m_env.Set("XDG_CONFIG_HOME", m_temp.Path() + "/user");
    }
    void TearDown() override { Platform::SetMachineConfigRoot("/etc/xdg"); }

    TemporaryFolder m_temp;
    ScopedEnvironment m_env;
};

TEST_F(RegistryTest, ValuesAreReadFromEachRootsFile)
{
    m_temp.Write("machine/Quorvane Games/Quillory/registry.ini", "\xEF\xBB\xBFVersion=104\r\n"
                                                                 "; InstallPath=/commented/out\n"
                                                                 "\n"
                                                                 "   InstallPath =  /opt/quillory game  \r\n"
                                                                 "#Language=Hidden\n"
                                                                 "a line without a value\n"
                                                                 "Empty=\n"
                                                                 "Twice=first\n"
                                                                 "twice=second\n");
    m_temp.Write("user/Quorvane Games/Quillory/registry.ini", "Language=Deutsch\nVersion=200\n");

    const struct
    {
        RegistryRoot root;
        const char* name;
        std::optional<std::string> expected;
    } cases[] = {
        {RegistryRoot::Machine, "Version", std::string("104")},
        {RegistryRoot::Machine, "INSTALLPATH", std::string("/opt/quillory game")},
        {RegistryRoot::Machine, "Language", std::nullopt},
        {RegistryRoot::Machine, "a line without a value", std::nullopt},
        {RegistryRoot::Machine, "Empty", std::string("")},
        {RegistryRoot::Machine, "TWICE", std::string("first")},
        {RegistryRoot::User, "language", std::string("Deutsch")},
        {RegistryRoot::User, "Version", std::string("200")},
        {RegistryRoot::User, "InstallPath", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Platform::ReadRegistryValue(c.root, "Quorvane Games", "Quillory", c.name), c.expected)
            << (c.root == RegistryRoot::Machine ? "machine " : "user ") << c.name;
    }
}

TEST_F(RegistryTest, AbsentFilesAndRootsGiveAbsentValues)
{
    EXPECT_EQ(Platform::ReadRegistryValue(RegistryRoot::Machine, "Quorvane Games", "Quillory", "Version"),
              std::nullopt);
    EXPECT_EQ(Platform::ReadRegistryValue(RegistryRoot::User, "Quorvane Games", "Quillory", "Version"), std::nullopt);

    m_temp.Write("user/Quorvane Games/Other/registry.ini", "Version=1\n");
    EXPECT_EQ(Platform::ReadRegistryValue(RegistryRoot::User, "Quorvane Games", "Quillory", "Version"), std::nullopt);

    // The user root is looked up at each call, not remembered.
    m_temp.Write("second/Quorvane Games/Quillory/registry.ini", "Version=7\n");
    m_env.Set("XDG_CONFIG_HOME", m_temp.Path() + "/second");
    EXPECT_EQ(Platform::ReadRegistryValue(RegistryRoot::User, "Quorvane Games", "Quillory", "Version"),
              std::string("7"));
    m_env.Set("XDG_CONFIG_HOME", std::nullopt);
    m_env.Set("HOME", std::nullopt);
    EXPECT_EQ(Platform::ReadRegistryValue(RegistryRoot::User, "Quorvane Games", "Quillory", "Version"), std::nullopt);
}

} // namespace
