#include "framework/ResourceListReader.h"

#include <utility>

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GameFramework {

using GameTools::XMLNode;
using GameTools::XMLValue;

namespace {

constexpr char kLoopTag[] = "loop";
constexpr char kShaderTag[] = "shader";
constexpr char kModelTag[] = "model";
// The usual top element: it adds nothing to the names inside it.
constexpr char kResourcesTag[] = "resources";
constexpr char kDefaultCounterName[] = "i";
constexpr char kMissingModelFileName[] = "unknown_file_name";
constexpr char kOpacityInDiffuse[] = "32bit";
constexpr char kDataFolderMarker[] = "data\\";

bool HasText(const XMLNode& element, const char* attribute)
{
    return element.HasAttribute(attribute);
}

std::string TextOf(const XMLNode& element, const char* attribute)
{
    XMLValue* value = element.GetAttribute(attribute);
    return value != nullptr ? value->GetString() : std::string();
}

std::int32_t IntOf(const XMLNode& element, const char* attribute, std::int32_t fallback)
{
    const XMLValue* value = element.GetAttribute(attribute);
    return value != nullptr ? value->GetInt() : fallback;
}

float FloatOf(const XMLNode& element, const char* attribute, float fallback)
{
    const XMLValue* value = element.GetAttribute(attribute);
    return value != nullptr ? value->GetFloat() : fallback;
}

bool BoolOf(const XMLNode& element, const char* attribute, bool fallback)
{
    const XMLValue* value = element.GetAttribute(attribute);
    return value != nullptr ? value->GetBool() : fallback;
}

std::uint32_t AnimationTypeOf(const std::string& text)
{
    if (text == "net")
        return ResourceListReader::kAnimationNet;
    if (text == "diffuse")
        return ResourceListReader::kAnimationDiffuse;
    if (text == "opacity")
        return ResourceListReader::kAnimationOpacity;
    if (text == "diffuse_and_opacity")
        return ResourceListReader::kAnimationDiffuseAndOpacity;
    return ResourceListReader::kAnimationNone;
}

// The digit count of a placeholder: empty means none; anything but a decimal
// of at most kMaxDigitCount is refused.
bool ParseDigitCount(const std::string& text, std::uint32_t& digits)
{
    digits = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        digits = digits * 10 + static_cast<std::uint32_t>(c - '0');
        if (digits > ResourceListReader::kMaxDigitCount)
            return false;
    }
    return true;
}

} // namespace

ResourceListReader::ResourceListReader(OrrelayEngine::MessageManager* log, const std::string& languageCode,
                                       ShaderHandler onShader, ModelHandler onModel)
    : log_(log), languageCode_(languageCode), onShader_(std::move(onShader)), onModel_(std::move(onModel))
{}

ResourceListReader::~ResourceListReader() = default;

void ResourceListReader::ReadFile(OrrelayEngine::FileManager* files, const std::string& fileName)
{
    GameTools::XMLParser parser(files);
    XMLNode root;
    try {
        parser.ParseInto(&root, fileName);
    } catch (const OrrelayEngine::FileError& error) {
        LogError(error.GetMessage());
    }
    ReadTree(root, fileName);
}

void ResourceListReader::ReadText(const std::wstring& text, const std::string& fileName)
{
    XMLNode root;
    XMLNode* start = &root;
    try {
        GameTools::XMLParser::ParseText(start, text);
    } catch (const OrrelayEngine::FileError& error) {
        LogError(error.GetMessage());
    }
    ReadTree(root, fileName);
}

std::string ResourceListReader::GetBaseFolder(const std::string& fileName)
{
    const std::string::size_type slash = fileName.find_last_of("\\/");
    if (slash == std::string::npos)
        return std::string();
    // The separator stays on while the marker is looked for, so "data\set.xml" gives "".
    std::string folder = fileName.substr(0, slash + 1);
    const std::string::size_type data = OrrelayEngine::ToLower(folder).find(kDataFolderMarker);
    if (data != std::string::npos)
        folder.erase(0, data + sizeof(kDataFolderMarker) - 1);
    if (!folder.empty())
        folder.pop_back();
    return folder;
}

void ResourceListReader::ReadTree(XMLNode& root, const std::string& fileName)
{
    fileName_ = fileName;
    baseFolder_ = GetBaseFolder(fileName);
    counters_.clear();
    ReadElement(root, std::string(), 1);
}

void ResourceListReader::ReadElement(XMLNode& element, const std::string& prefix, std::int64_t enclosingIterations)
{
    const std::string& tag = element.GetName();
    if (tag == kLoopTag) {
        ReadLoop(element, prefix, enclosingIterations);
        return;
    }
    const std::string name = TextOf(element, "name");
    if (!name.empty()) {
        ReadResource(element, prefix, name);
        return;
    }
    const std::string childPrefix = tag.empty() || tag == kResourcesTag ? prefix : prefix + tag + "/";
    for (XMLNode* child : element.GetChildren())
        ReadElement(*child, childPrefix, enclosingIterations);
}

void ResourceListReader::ReadLoop(XMLNode& element, const std::string& prefix, std::int64_t enclosingIterations)
{
    const std::string counter = HasText(element, "counter") ? TextOf(element, "counter") : kDefaultCounterName;
    const std::int32_t start = IntOf(element, "start", 0);
    const std::int32_t end = IntOf(element, "count", 0);
    if (end <= start)
        return;
    // Nested loops multiply: the limit is on how often the children are read.
    const std::int64_t iterations = static_cast<std::int64_t>(end) - start;
    if (iterations > kMaxLoopIterations || iterations * enclosingIterations > kMaxLoopIterations) {
        LogError("Resource list \"" + fileName_ + "\": loop of counter \"" + counter + "\" from " +
                 OrrelayEngine::IntToString(start) + " to " + OrrelayEngine::IntToString(end) +
                 " reads its children more than " + std::to_string(kMaxLoopIterations) + " times; skipped");
        return;
    }
    counters_.push_back(Counter{counter, start});
    for (std::int64_t value = start; value < end; ++value) {
        counters_.back().value = static_cast<std::int32_t>(value);
        for (XMLNode* child : element.GetChildren())
            ReadElement(*child, prefix, iterations * enclosingIterations);
    }
    counters_.pop_back();
}

void ResourceListReader::ReadResource(XMLNode& element, const std::string& prefix, const std::string& name)
{
    if (HasText(element, "language") && TextOf(element, "language") != languageCode_)
        return;
    const std::string resourceName = prefix + Expand(name);
    if (element.GetName() == kShaderTag)
        ReadShader(element, resourceName);
    else if (element.GetName() == kModelTag)
        ReadModel(element, resourceName);
}

void ResourceListReader::ReadShader(XMLNode& element, const std::string& name)
{
    ShaderElement shader;
    shader.name = name;
    shader.diffuseFileName = MakeFileName(TextOf(element, "diffuse_file_name"));
    // An absent opacity name means no opacity picture, not the base folder itself.
    const std::string opacity = TextOf(element, "opacity_file_name");
    if (opacity == kOpacityInDiffuse)
        shader.opacityFileName = opacity;
    else if (!opacity.empty())
        shader.opacityFileName = MakeFileName(opacity);
    shader.clamp = BoolOf(element, "clamp", true);
    shader.animationType = AnimationTypeOf(TextOf(element, "animation_type"));
    if (const XMLValue* net = element.GetAttribute("net_size")) {
        std::int32_t size[2] = {1, 1};
        net->GetIntArray(size, 2);
        shader.columns = static_cast<std::uint32_t>(size[0]);
        shader.rows = static_cast<std::uint32_t>(size[1]);
    }
    shader.frameCount = static_cast<std::uint32_t>(IntOf(element, "frame_count", 1));
    shader.animationSpeed = FloatOf(element, "animation_speed", 0.0f);
    if (onShader_)
        onShader_(shader);
}

void ResourceListReader::ReadModel(XMLNode& element, const std::string& name)
{
    ModelElement model;
    model.name = name;
    model.fileName = MakeFileName(HasText(element, "file_name") ? TextOf(element, "file_name") : kMissingModelFileName);
    model.colorVertices = BoolOf(element, "color_verticies", false);
    model.hasAnimationSpeed = HasText(element, "animation_speed");
    model.animationSpeed = FloatOf(element, "animation_speed", 0.0f);
    if (onModel_)
        onModel_(model);
}

std::string ResourceListReader::MakeFileName(const std::string& text)
{
    return baseFolder_ + "\\" + Expand(text);
}

std::string ResourceListReader::Expand(const std::string& text)
{
    std::string result = text;
    for (const Counter& counter : counters_) {
        const std::string opening = "%" + counter.name;
        const std::string::size_type start = result.find(opening);
        if (start == std::string::npos)
            continue;
        const std::string::size_type digitsStart = start + opening.size();
        const std::string::size_type closing = result.find('%', digitsStart);
        if (closing == std::string::npos) {
            LogError("Resource list \"" + fileName_ + "\": counter placeholder in \"" + text +
                     "\" has no closing %; left as written");
            continue;
        }
        std::uint32_t digits = 0;
        if (!ParseDigitCount(result.substr(digitsStart, closing - digitsStart), digits)) {
            LogError("Resource list \"" + fileName_ + "\": counter placeholder \"" +
                     result.substr(start, closing + 1 - start) + "\" has no digit count from 0 to " +
                     std::to_string(kMaxDigitCount) + "; left as written");
            continue;
        }
        OrrelayEngine::ReplaceAll(result, result.substr(start, closing + 1 - start),
                                  OrrelayEngine::IntToString(counter.value, digits));
    }
    return result;
}

void ResourceListReader::LogError(const std::string& text)
{
    if (log_ != nullptr)
        log_->LogError(text);
}

} // namespace GameFramework
