#include <gtest/gtest.h>

#include <clocale>

#include "engine/core/StringHelpers.h"
#include "framework/LanguageManager.h"
#include "platform/Registry.h"
#include "platform/ScopedEnvironment.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

using FrameworkTests::FrameworkEnvironment;
using GameFramework::LanguageManager;

const char kKey[] = "SOFTWARE\\Quorvane Games\\Quillory";

class LanguageManagerTest : public testing::Test
{
protected:
    LanguageManagerTest()
    {
        environment.Set("XDG_CONFIG_HOME", env.Root() + "/config");
        Platform::SetMachineConfigRoot(env.Root() + "/machine");
    }
    ~LanguageManagerTest() override
    {
        Platform::SetMachineConfigRoot("/etc/xdg");
        // Every language manager sets the process locale; later tests get theirs back.
        std::setlocale(LC_ALL, previousLocale.c_str());
    }

    std::string previousLocale = std::setlocale(LC_ALL, nullptr);
    FrameworkEnvironment env;
    PlatformTests::ScopedEnvironment environment;
};

TEST_F(LanguageManagerTest, LanguageComesFromTheRegistryElseTheFirstInstalledElseEnglish)
{
    struct Case
    {
        const char* what;
        const char* registry;
        std::vector<std::string> installed;
        const char* expected;
    };
    const Case cases[] = {
        {"registry language installed", "ru", {"en", "ru"}, "ru"},
        {"registry language in capitals", "RU", {"ru"}, "ru"},
        {"registry language not installed", "ru", {"ge", "cz"}, "ge"},
        {"no registry value", nullptr, {"cz", "fr"}, "fr"},
        {"nothing installed", "it", {}, "en"},
        {"registry code the game does not know", "xx", {"xx"}, "en"},
        {"registry value reaching out of the folder", "..\\fonts\\ru", {"ru"}, "ru"},
    };
    for (const Case& c : cases) {
        FrameworkEnvironment fresh;
        PlatformTests::ScopedEnvironment scoped;
        scoped.Set("XDG_CONFIG_HOME", fresh.Root() + "/config");
        if (c.registry != nullptr)
            fresh.Write("config/Quorvane Games/Quillory/registry.ini", std::string("Language=") + c.registry + "\n");
        for (const std::string& code : c.installed)
            fresh.Write("data/ui/fonts/" + code + ".ini", "0 0\n");
        LanguageManager languages(&fresh.Files(), kKey);
        EXPECT_EQ(languages.GetCurrentLanguage().code, c.expected) << c.what;
    }
}

TEST_F(LanguageManagerTest, ChoosingTheLanguageSetsCharactersAndCollationButNotNumbers)
{
    std::setlocale(LC_ALL, "C");
    env.Write("data/ui/fonts/ru.ini", "0 0\n");
    {
        LanguageManager languages(&env.Files(), kKey);
        ASSERT_EQ(languages.GetCurrentLanguage().code, "ru");
    }
    EXPECT_EQ(OrrelayEngine::StringToWide("\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0"), L"\u0410\u043D\u043D\u0430");
    EXPECT_EQ(OrrelayEngine::ToLowerWide(L"\u0410\u041D\u041D\u0410"), L"\u0430\u043D\u043D\u0430");
    EXPECT_STREQ(std::setlocale(LC_COLLATE, nullptr), std::setlocale(LC_CTYPE, nullptr));
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_FLOAT_EQ(OrrelayEngine::StringToFloat("0.5"), 0.5f);
}

TEST_F(LanguageManagerTest, FindLanguageComparesCodesNotNames)
{
    LanguageManager languages(&env.Files(), kKey);
    ASSERT_NE(languages.FindLanguage("RU"), nullptr);
    EXPECT_EQ(languages.FindLanguage("RU")->name, "russian");
    EXPECT_EQ(languages.FindLanguage("russian"), nullptr);
    EXPECT_EQ(languages.FindLanguage(""), nullptr);
}

} // namespace
