#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "framework/ResourceListReader.h"
#include "support/LogSearch.h"

namespace {

using GameFramework::ResourceListReader;

// What one list hands over: "model <name> <file>" and "shader <name> <diffuse> <opacity>" lines.
struct ReadResult
{
    std::vector<std::string> elements;
    std::vector<std::string> errors;
    std::vector<ResourceListReader::ShaderElement> shaders;
};

ReadResult Read(const std::string& xml, const std::string& language = "en",
                const std::string& fileName = "data\\ui\\menus\\set.xml")
{
    OrrelayEngine::MessageManager log("Test", false, false, "", "");
    log.SetSpacing(false);
    ReadResult result;
    ResourceListReader reader(
        &log, language,
        [&result](const ResourceListReader::ShaderElement& shader) {
            result.elements.push_back("shader " + shader.name + " " + shader.diffuseFileName + " " +
                                      shader.opacityFileName);
            result.shaders.push_back(shader);
        },
        [&result](const ResourceListReader::ModelElement& model) {
            result.elements.push_back("model " + model.name + " " + model.fileName);
        });
    reader.ReadText(OrrelayEngine::StringToWide(xml), fileName);
    result.errors = TestSupport::LoggedTexts(log, OrrelayEngine::MessageManager::kError);
    return result;
}

std::string Loop(const std::string& attributes, const std::string& body)
{
    return "<resources><loop " + attributes + ">" + body + "</loop></resources>";
}

TEST(ResourceListReader, NamesAndFileNamesFollowGroupsLoopsAndLanguage)
{
    const struct
    {
        const char* what;
        std::string xml;
        std::vector<std::string> expected;
    } cases[] = {
        {"padded and plain counters",
         Loop("start=\"7\" count=\"8\"",
              "<shader name=\"f%i%\" diffuse_file_name=\"frame%i3%.jpg\" opacity_file_name=\"frame%i%.jpg\" />"),
         {"shader f7 ui\\menus\\frame007.jpg ui\\menus\\frame7.jpg"}},
        {"loop from 2 up to 5",
         Loop("counter=\"k\" start=\"2\" count=\"5\"", "<model name=\"m%k%\" file_name=\"m.mlf\" />"),
         {"model m2 ui\\menus\\m.mlf", "model m3 ui\\menus\\m.mlf", "model m4 ui\\menus\\m.mlf"}},
        {"a count not above the start reads nothing", Loop("start=\"5\" count=\"5\"", "<model name=\"m\" />"), {}},
        {"group path in front of an expanded name",
         "<resources><stars><loop counter=\"n\" start=\"0\" count=\"2\"><model name=\"star%n%\" "
         "file_name=\"star%n%.mlf\" /></loop></stars></resources>",
         {"model stars/star0 ui\\menus\\star0.mlf", "model stars/star1 ui\\menus\\star1.mlf"}},
        {"nested groups, absent file name",
         "<resources><tree><branch><model name=\"leaf\" /></branch></tree></resources>",
         {"model tree/branch/leaf ui\\menus\\unknown_file_name"}},
        {"other language skipped, own and none kept",
         "<resources><model name=\"a\" language=\"de\" file_name=\"de.mlf\" /><model name=\"a\" language=\"en\" "
         "file_name=\"en.mlf\" /><model name=\"b\" file_name=\"b.mlf\" /></resources>",
         {"model a ui\\menus\\en.mlf", "model b ui\\menus\\b.mlf"}},
        {"other tags with a name are ignored with their children",
         "<resources><sprite name=\"s\"><model name=\"inner\" /></sprite><model name=\"\" /></resources>",
         {}},
        {"32bit opacity kept, absent opacity empty",
         "<resources><shader name=\"a\" diffuse_file_name=\"a.tga\" opacity_file_name=\"32bit\" /><shader "
         "name=\"b\" diffuse_file_name=\"b.jpg\" /></resources>",
         {"shader a ui\\menus\\a.tga 32bit", "shader b ui\\menus\\b.jpg "}},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        const ReadResult result = Read(entry.xml);
        EXPECT_EQ(entry.expected, result.elements);
        EXPECT_TRUE(result.errors.empty());
    }
}

TEST(ResourceListReader, BaseFolderIsTheFolderAfterTheDataFolder)
{
    EXPECT_EQ("ui\\menus", ResourceListReader::GetBaseFolder("data\\ui\\menus\\set.xml"));
    EXPECT_EQ("levels\\stage0", ResourceListReader::GetBaseFolder("Data\\levels\\stage0\\level.xml"));
    EXPECT_EQ("", ResourceListReader::GetBaseFolder("data\\set.xml"));
    EXPECT_EQ("", ResourceListReader::GetBaseFolder("set.xml"));
}

TEST(ResourceListReader, ShaderFieldsAndTheirDefaults)
{
    const ReadResult result =
        Read("<resources><shader name=\"a\" diffuse_file_name=\"a.jpg\" clamp=\"0\" animation_type=\"net\" "
             "net_size=\"4 2\" frame_count=\"8\" animation_speed=\"12.5\" /><shader name=\"b\" "
             "diffuse_file_name=\"b.jpg\" animation_type=\"diffuse_and_opacity\" net_size=\"3\" /><shader "
             "name=\"c\" diffuse_file_name=\"c.jpg\" animation_type=\"spin\" /></resources>");
    ASSERT_EQ(3u, result.shaders.size());
    const ResourceListReader::ShaderElement& a = result.shaders[0];
    EXPECT_FALSE(a.clamp);
    EXPECT_EQ(ResourceListReader::kAnimationNet, a.animationType);
    EXPECT_EQ(4u, a.columns);
    EXPECT_EQ(2u, a.rows);
    EXPECT_EQ(8u, a.frameCount);
    EXPECT_FLOAT_EQ(12.5f, a.animationSpeed);
    const ResourceListReader::ShaderElement& b = result.shaders[1];
    EXPECT_TRUE(b.clamp);
    EXPECT_EQ(ResourceListReader::kAnimationDiffuseAndOpacity, b.animationType);
    EXPECT_EQ(3u, b.columns);
    EXPECT_EQ(1u, b.rows) << "a missing row count keeps its default";
    EXPECT_EQ(1u, b.frameCount);
    EXPECT_EQ(ResourceListReader::kAnimationNone, result.shaders[2].animationType);
}

// Placeholders and loops that cannot be trusted are logged and read around.
TEST(ResourceListReader, UntrustedPlaceholdersAndLoopsAreLoggedAndLeft)
{
    const struct
    {
        const char* what;
        std::string xml;
        std::vector<std::string> expected;
        std::size_t errors;
    } cases[] = {
        {"no closing %",
         Loop("start=\"7\" count=\"8\"", "<model name=\"m%i3\" file_name=\"f%i3.mlf\" />"),
         {"model m%i3 ui\\menus\\f%i3.mlf"},
         2},
        {"digit count not a decimal",
         Loop("start=\"7\" count=\"8\"", "<model name=\"m%ix%\" file_name=\"f.mlf\" />"),
         {"model m%ix% ui\\menus\\f.mlf"},
         1},
        {"digit count above 32",
         Loop("start=\"7\" count=\"8\"", "<model name=\"m%i33%\" file_name=\"f.mlf\" />"),
         {"model m%i33% ui\\menus\\f.mlf"},
         1},
        {"digit count of 32 is used",
         Loop("start=\"7\" count=\"8\"", "<model name=\"m%i32%\" file_name=\"f.mlf\" />"),
         {"model m" + std::string(31, '0') + "7 ui\\menus\\f.mlf"},
         0},
        {"more than 65536 iterations", Loop("start=\"-1\" count=\"65536\"", "<model name=\"m%i%\" />"), {}, 1},
        {"nested loops counted together",
         Loop("counter=\"a\" count=\"300\"", "<loop counter=\"b\" count=\"300\"><model name=\"m\" /></loop>"),
         {},
         300},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        const ReadResult result = Read(entry.xml);
        EXPECT_EQ(entry.expected, result.elements);
        EXPECT_EQ(entry.errors, result.errors.size());
    }
    const ReadResult full = Read(Loop("start=\"0\" count=\"65536\"", "<model name=\"m\" />"));
    EXPECT_EQ(65536u, full.elements.size()) << "exactly the limit is read";
}

TEST(ResourceListReader, AParseFaultKeepsWhatCameBeforeIt)
{
    const ReadResult result = Read("<resources><model name=\"first\" file_name=\"a.mlf\" /><shader name=\"cut\"");
    EXPECT_EQ(std::vector<std::string>{"model first ui\\menus\\a.mlf"}, result.elements);
    ASSERT_EQ(1u, result.errors.size());
    EXPECT_NE(std::string::npos, result.errors[0].find("XML format error"));
}

} // namespace
