#include "engine/core/Config.h"

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/file/FileTextual.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kFallbackModeWidth = 640;
constexpr std::uint32_t kFallbackModeHeight = 480;
constexpr std::uint32_t kFallbackModeBits = 16;
// Watched floats count as changed only beyond this difference.
constexpr float kFloatChangeTolerance = 0.0001f;

const char* const kDefaultConfigName = "Orrelay Engine";
const char* const kDefaultVideoMode = "800x600x32";

bool IsLowerCase(std::string_view text)
{
    for (char character : text) {
        const auto unsignedCharacter = static_cast<unsigned char>(character);
        if (std::tolower(unsignedCharacter) != unsignedCharacter) {
            return false;
        }
    }
    return true;
}

bool IsBlank(char character)
{
    return std::isspace(static_cast<unsigned char>(character)) != 0;
}

// The decimal number a part starts with (after blanks and an optional '+'),
// read up to its first other character as the C library reads one. A part with
// no digits, a sign of minus, 0 or more than 32 bits is refused.
bool ParseModePart(const std::string& part, std::uint32_t& value)
{
    std::string::size_type position = 0;
    while (position < part.size() && IsBlank(part[position])) {
        ++position;
    }
    if (position < part.size() && part[position] == '+') {
        ++position;
    }
    std::uint64_t number = 0;
    bool anyDigit = false;
    for (; position < part.size() && part[position] >= '0' && part[position] <= '9'; ++position) {
        anyDigit = true;
        number = number * 10 + static_cast<std::uint64_t>(part[position] - '0');
        if (number > 0xFFFFFFFFull) {
            return false;
        }
    }
    if (!anyDigit || number == 0) {
        return false;
    }
    value = static_cast<std::uint32_t>(number);
    return true;
}

} // namespace

void ParseVideoMode(const std::string& text, std::uint32_t* width, std::uint32_t* height, std::uint32_t* bits)
{
    std::uint32_t parsedWidth = kFallbackModeWidth;
    std::uint32_t parsedHeight = kFallbackModeHeight;
    std::uint32_t parsedBits = kFallbackModeBits;
    const std::string::size_type first = text.find_first_of("xX");
    const std::string::size_type second =
        first == std::string::npos ? std::string::npos : text.find_first_of("xX", first + 1);
    if (second != std::string::npos) {
        std::uint32_t w = 0;
        std::uint32_t h = 0;
        std::uint32_t b = 0;
        // Garbage gives the fallback mode as a whole rather than a zero-sized window.
        if (ParseModePart(text.substr(0, first), w) && ParseModePart(text.substr(first + 1, second - first - 1), h) &&
            ParseModePart(text.substr(second + 1), b)) {
            parsedWidth = w;
            parsedHeight = h;
            parsedBits = b;
        }
    }
    if (width != nullptr) {
        *width = parsedWidth;
    }
    if (height != nullptr) {
        *height = parsedHeight;
    }
    if (bits != nullptr) {
        *bits = parsedBits;
    }
}

Config::Config(MessageManager* log, FileManager* files, const std::string& configFolder, const std::string& configName,
               bool forceVideoMode, const std::string& videoMode, bool forceFullscreenSetting, bool fullscreenDefault)
    : log_(log), files_(files), forceVideoMode_(forceVideoMode && !videoMode.empty()),
      forceFullscreenSetting_(forceFullscreenSetting)
{
    const std::string name = configName.empty() ? std::string(kDefaultConfigName) : configName;
    iniPath_ = configFolder.empty() ? name + ".ini" : configFolder + "\\" + name + ".ini";

    AddVariable("reset_config", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("v_mode", kConfigString, false, true, &values_.videoMode,
                videoMode.empty() ? std::string(kDefaultVideoMode) : videoMode, false);
    AddVariable("v_fullscreen", kConfigBoolean, false, true, &values_.fullscreen, fullscreenDefault ? "1" : "0", false);
    AddVariable("v_vsync", kConfigBoolean, false, true, &values_.vsync, "1", false);
    AddVariable("v_brightness", kConfigFloat, false, true, &values_.brightness, "1.0", false);
    AddVariable("v_contrast", kConfigFloat, false, true, &values_.contrast, "1.0", false);
    AddVariable("v_gamma", kConfigFloat, false, true, &values_.gamma, "1.0", false);
    AddVariable("v_window_change_mode", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("r_use_mip_mapping", kConfigBoolean, false, true, &values_.useMipMapping, "1", false);
    AddVariable("r_show_octree_nodes", kConfigBoolean, false, true, &values_.showOctreeNodes, "0", false);
    AddVariable("r_show_faces_edges", kConfigBoolean, false, true, &values_.showFacesEdges, "0", false);
    AddVariable("r_show_faces_normals", kConfigBoolean, false, true, &values_.showFacesNormals, "0", false);
    AddVariable("r_show_mip_maps", kConfigBoolean, false, true, &values_.showMipMaps, "0", false);
    AddVariable("r_texture_anisotropy", kConfigInteger, false, true, &values_.textureAnisotropy, "1", false);
    AddVariable("c_invert_mouse", kConfigBoolean, false, true, &values_.invertMouse, "0", false);
    AddVariable("sc_take_screenshot", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("sc_take_screenshot_tga", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("sc_take_screenshot_jpg", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("sc_take_screenshot_format", kConfigInteger, false, true, &values_.screenshotFormat, "0", false);
    AddVariable("sc_start_movie_record", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("sc_stop_movie_record", kConfigCommand, false, false, nullptr, "", false);
    AddVariable("exit", kConfigCommand, false, false, nullptr, "", false);
}

Config::~Config() = default;

ConfigVariable* Config::Find(std::string_view lowerName) const
{
    const auto found = variables_.find(lowerName);
    return found == variables_.end() ? nullptr : found->second.get();
}

ConfigVariable* Config::FindNamed(std::string_view name) const
{
    // Owners poll their commands and changes every frame, and write the names
    // in lower case: such a name is looked up as it is, with no lowered copy.
    return IsLowerCase(name) ? Find(name) : Find(ToLower(std::string(name)));
}

void Config::AddVariable(const std::string& name, std::uint32_t type, bool locked, bool saved, void* storage,
                         const std::string& defaultText, bool watched)
{
    const std::string key = ToLower(name);
    ConfigVariable* existing = Find(key);
    if (existing == nullptr) {
        auto variable = std::make_unique<ConfigVariable>();
        variable->type = type;
        variable->locked = locked;
        variable->saved = saved;
        variable->storage = type == kConfigCommand ? nullptr : storage;
        variable->defaultText = defaultText;
        variable->idle = type == kConfigCommand;
        variable->watched = watched;
        variable->changed = watched;
        variables_[key] = std::move(variable);
        ResetToDefault(key);
        const auto pending = pendingLines_.find(key);
        if (pending != pendingLines_.end()) {
            const std::string line = pending->second;
            pendingLines_.erase(pending);
            Execute(line);
        }
        return;
    }
    if (existing->readOnly) {
        existing->storage = existing->type == kConfigCommand ? nullptr : storage;
        existing->readOnly = false;
        existing->changed = existing->watched;
        SetValue(key, existing->frozenText);
    }
}

std::uint32_t Config::Execute(const std::string& line, std::string* name)
{
    std::string work = line;
    Trim(work);
    std::string::size_type start = 0;
    while (start < work.size() && work[start] == '\\') {
        ++start;
    }
    work.erase(0, start);
    if (work.empty()) {
        return kExecuteEmptyLine;
    }

    std::string::size_type position = 0;
    while (position < work.size() && (IsBlank(work[position]) || work[position] == '\\')) {
        ++position;
    }
    const std::string::size_type nameStart = position;
    while (position < work.size() && !IsBlank(work[position]) && work[position] != '\\') {
        ++position;
    }
    const std::string key = ToLower(work.substr(nameStart, position - nameStart));
    if (name != nullptr) {
        *name = key;
    }

    ConfigVariable* variable = Find(key);
    if (variable == nullptr || variable->readOnly) {
        return kExecuteUnknownName;
    }
    if (variable->type == kConfigCommand) {
        variable->idle = false;
        return kExecuteDone;
    }

    std::string value = work.substr(position);
    const std::string::size_type doubleBackslash = value.find("\\\\");
    if (doubleBackslash != std::string::npos) {
        value.erase(doubleBackslash);
    }
    Trim(value);
    if (value.empty()) {
        return kExecuteNoValue;
    }
    if (variable->locked) {
        return kExecuteLocked;
    }
    SetFromText(*variable, value);
    return kExecuteDone;
}

void Config::SetFromText(ConfigVariable& variable, const std::string& text)
{
    if (variable.storage == nullptr) {
        return;
    }
    switch (variable.type) {
    case kConfigInteger:
        *static_cast<std::int32_t*>(variable.storage) = StringToInt(text, 10);
        break;
    case kConfigFloat:
        *static_cast<float*>(variable.storage) = StringToFloat(text);
        break;
    case kConfigBoolean:
        *static_cast<std::uint8_t*>(variable.storage) = StringToInt(text, 10) != 0 ? 1 : 0;
        break;
    case kConfigString:
        *static_cast<std::string*>(variable.storage) = text;
        break;
    default:
        break;
    }
}

std::string Config::ToText(const ConfigVariable& variable)
{
    if (variable.readOnly) {
        return variable.frozenText;
    }
    if (variable.storage == nullptr) {
        return std::string();
    }
    switch (variable.type) {
    case kConfigInteger:
        return IntToString(*static_cast<const std::int32_t*>(variable.storage));
    case kConfigFloat: {
        // Fixed notation with six decimals; the .ini file has always held floats so.
        char text[64];
        std::snprintf(text, sizeof text, "%f", static_cast<double>(*static_cast<const float*>(variable.storage)));
        return text;
    }
    case kConfigBoolean:
        return *static_cast<const std::uint8_t*>(variable.storage) != 0 ? "1" : "0";
    case kConfigString:
        return *static_cast<const std::string*>(variable.storage);
    default:
        return std::string();
    }
}

void Config::SetValue(const std::string& name, const std::string& text)
{
    ConfigVariable* variable = FindNamed(name);
    if (variable == nullptr || variable->readOnly || variable->type == kConfigCommand) {
        return;
    }
    SetFromText(*variable, text);
}

std::string Config::GetValue(const std::string& name) const
{
    const ConfigVariable* variable = FindNamed(name);
    return variable == nullptr ? std::string() : ToText(*variable);
}

std::string Config::GetDefaultValue(const std::string& name) const
{
    const ConfigVariable* variable = FindNamed(name);
    return variable == nullptr ? std::string() : variable->defaultText;
}

void Config::ResetToDefault(const std::string& name)
{
    ConfigVariable* variable = FindNamed(name);
    if (variable == nullptr || variable->readOnly) {
        return;
    }
    SetFromText(*variable, variable->defaultText);
    variable->idle = variable->type == kConfigCommand;
}

void Config::ResetAll()
{
    for (auto& entry : variables_) {
        const ConfigVariable& variable = *entry.second;
        if (!variable.locked && variable.type != kConfigCommand) {
            ResetToDefault(entry.first);
        }
    }
}

void Config::SetCommandIdle(std::string_view name, bool idle)
{
    ConfigVariable* variable = FindNamed(name);
    if (variable == nullptr || variable->readOnly) {
        return;
    }
    variable->idle = idle;
}

bool Config::IsCommandIdle(std::string_view name) const
{
    const ConfigVariable* variable = FindNamed(name);
    if (variable == nullptr || variable->readOnly || variable->type != kConfigCommand) {
        return false;
    }
    return variable->idle;
}

bool Config::IsChanged(std::string_view name) const
{
    const ConfigVariable* variable = FindNamed(name);
    return variable != nullptr && variable->changed;
}

void Config::SetReadOnly(const std::string& name)
{
    ConfigVariable* variable = FindNamed(name);
    if (variable == nullptr || variable->readOnly) {
        return;
    }
    variable->frozenText = ToText(*variable);
    variable->readOnly = true;
    variable->storage = nullptr;
}

void Config::ListVariables(std::vector<std::string>& names) const
{
    names.clear();
    for (const auto& entry : variables_) {
        if (!entry.second->readOnly) {
            names.push_back(entry.first);
        }
    }
}

void Config::Load()
{
    ResetAll();
    pendingLines_.clear();
    std::unique_ptr<FileTextual> file;
    try {
        file = files_->OpenTextFile(iniPath_, FileTextual::kModeRead, FileTextual::kEncoding8Bit);
    } catch (const FileError&) {
        // No file yet is the normal first run.
    }
    if (file) {
        try {
            std::string line;
            while (file->ReadString(line, true, false)) {
                std::string name;
                if (Execute(line, &name) == kExecuteUnknownName && pendingLines_.count(name) == 0) {
                    pendingLines_[name] = line;
                }
            }
        } catch (const FileError&) {
            // What was read so far stays applied.
        }
    }
    if (forceVideoMode_) {
        ResetToDefault("v_mode");
    }
    if (forceFullscreenSetting_) {
        ResetToDefault("v_fullscreen");
    }
}

void Config::Save()
{
    // The old file is replaced only once the new one is complete on disk.
    try {
        std::unique_ptr<FileTextual> file = files_->OpenTextFile(FileManager::GetTemporaryName(iniPath_),
                                                                 FileTextual::kModeWrite, FileTextual::kEncoding8Bit);
        // The lines of names nobody has registered (a start that ended before
        // their owners came) go back as they were read, in name order among
        // the rest, so that the next start still finds them.
        auto pending = pendingLines_.begin();
        const auto writePendingBefore = [&](const std::string* name) {
            for (; pending != pendingLines_.end() && (name == nullptr || pending->first < *name); ++pending) {
                file->WriteString(pending->second);
                file->WriteLineEnd();
            }
        };
        for (const auto& entry : variables_) {
            const ConfigVariable& variable = *entry.second;
            if (!variable.saved || variable.locked || variable.type == kConfigCommand) {
                continue;
            }
            writePendingBefore(&entry.first);
            file->WriteString(entry.first + " " + ToText(variable));
            file->WriteLineEnd();
        }
        writePendingBefore(nullptr);
        file->Close();
        files_->CommitTemporary(iniPath_);
    } catch (const FileError& error) {
        log_->LogError(error.GetMessage());
        files_->DiscardTemporary(iniPath_);
    }
}

void Config::TakeSnapshot(ConfigVariable& variable) const
{
    switch (variable.type) {
    case kConfigInteger:
        variable.lastInteger = *static_cast<const std::int32_t*>(variable.storage);
        break;
    case kConfigFloat:
        variable.lastFloat = *static_cast<const float*>(variable.storage);
        break;
    case kConfigBoolean:
        variable.lastBoolean = *static_cast<const std::uint8_t*>(variable.storage);
        break;
    case kConfigString:
        variable.lastString = *static_cast<const std::string*>(variable.storage);
        break;
    default:
        break;
    }
}

void Config::Update()
{
    if (!IsCommandIdle("reset_config")) {
        SetCommandIdle("reset_config", true);
        ResetAll();
    }
    for (auto& entry : variables_) {
        ConfigVariable& variable = *entry.second;
        if (!variable.watched || variable.readOnly || variable.storage == nullptr) {
            continue;
        }
        bool differs = false;
        switch (variable.type) {
        case kConfigInteger:
            differs = *static_cast<const std::int32_t*>(variable.storage) != variable.lastInteger;
            break;
        case kConfigFloat:
            differs =
                std::fabs(*static_cast<const float*>(variable.storage) - variable.lastFloat) > kFloatChangeTolerance;
            break;
        case kConfigBoolean:
            differs = *static_cast<const std::uint8_t*>(variable.storage) != variable.lastBoolean;
            break;
        case kConfigString:
            differs = *static_cast<const std::string*>(variable.storage) != variable.lastString;
            break;
        default:
            break;
        }
        if (differs) {
            variable.changed = true;
            TakeSnapshot(variable);
        }
    }
}

void Config::ClearChanged()
{
    for (auto& entry : variables_) {
        entry.second->changed = false;
    }
}

} // namespace OrrelayEngine
