// Reads one resource description file (an XML resource list) and hands every
// shader and model element it finds, with its name and file names worked out,
// to the handlers it was given. It creates nothing itself, so it runs without
// an engine; DataKeeper turns the elements into objects.
//
// The walk: "loop" elements repeat their children for each value of a counter;
// an element with a non-empty "name" is a resource (shader or model; others
// are ignored, children included) unless its "language" names another
// language; any other element is a group whose tag, followed by "/", prefixes
// the names inside it ("resources" and the unnamed top node add nothing).
// Names and file names take counter values through placeholders such as
// "%i3%" (counter i, at least three digits).
//
// Bad input is logged and read around: a file that cannot be read or parsed
// keeps what was parsed before the fault, a placeholder without its closing
// "%" or with a digit count other than a decimal up to 32 stays as written,
// and a loop that would read its children more than kMaxLoopIterations times
// (counting the loops around it) is skipped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace OrrelayEngine {
class FileManager;
class MessageManager;
} // namespace OrrelayEngine

namespace GameTools {
class XMLNode;
}

namespace GameFramework {

class ResourceListReader
{
public:
    static constexpr std::int64_t kMaxLoopIterations = 65536;
    static constexpr std::uint32_t kMaxDigitCount = 32;

    // The animation types a shader element names.
    static constexpr std::uint32_t kAnimationNone = 0;
    static constexpr std::uint32_t kAnimationNet = 1;
    static constexpr std::uint32_t kAnimationDiffuse = 2;
    static constexpr std::uint32_t kAnimationOpacity = 3;
    static constexpr std::uint32_t kAnimationDiffuseAndOpacity = 4;

    struct ShaderElement
    {
        std::string name;
        // Relative to the data folder.
        std::string diffuseFileName;
        // Empty for none; "32bit" when the diffuse picture carries the alpha.
        std::string opacityFileName;
        bool clamp = true;
        std::uint32_t animationType = kAnimationNone;
        std::uint32_t columns = 1;
        std::uint32_t rows = 1;
        std::uint32_t frameCount = 1;
        float animationSpeed = 0.0f;
    };

    struct ModelElement
    {
        std::string name;
        // Relative to the data folder.
        std::string fileName;
        bool colorVertices = false;
        bool hasAnimationSpeed = false;
        float animationSpeed = 0.0f;
    };

    using ShaderHandler = std::function<void(const ShaderElement&)>;
    using ModelHandler = std::function<void(const ModelElement&)>;

    // languageCode is compared exactly with each element's "language".
    ResourceListReader(OrrelayEngine::MessageManager* log, const std::string& languageCode, ShaderHandler onShader,
                       ModelHandler onModel);
    virtual ~ResourceListReader();

    // fileName is relative to the installation folder and lies in the data folder.
    void ReadFile(OrrelayEngine::FileManager* files, const std::string& fileName);
    // For tests: the same over text already in memory; fileName gives the base folder and
    // names the list in messages.
    void ReadText(const std::wstring& text, const std::string& fileName);

    // The folder part of fileName after the first "data\" (any letter case):
    // "data\ui\menus\set.xml" gives "ui\menus".
    static std::string GetBaseFolder(const std::string& fileName);

private:
    struct Counter
    {
        std::string name;
        std::int32_t value;
    };

    void ReadTree(GameTools::XMLNode& root, const std::string& fileName);
    void ReadElement(GameTools::XMLNode& element, const std::string& prefix, std::int64_t enclosingIterations);
    void ReadLoop(GameTools::XMLNode& element, const std::string& prefix, std::int64_t enclosingIterations);
    void ReadResource(GameTools::XMLNode& element, const std::string& prefix, const std::string& name);
    void ReadShader(GameTools::XMLNode& element, const std::string& name);
    void ReadModel(GameTools::XMLNode& element, const std::string& name);
    // base folder + "\" + text, counters expanded.
    std::string MakeFileName(const std::string& text);
    std::string Expand(const std::string& text);
    void LogError(const std::string& text);

    OrrelayEngine::MessageManager* log_;
    std::string languageCode_;
    ShaderHandler onShader_;
    ModelHandler onModel_;
    // Of the file being read.
    std::string fileName_;
    std::string baseFolder_;
    // Outermost first.
    std::vector<Counter> counters_;
};

} // namespace GameFramework
