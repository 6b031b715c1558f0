// The registry of named, typed configuration variables and commands, with the
// .ini file they are loaded from and saved to.
//
// Owners register a variable under a name with a default text and a pointer to
// the field that holds its value; from then on the registry reads and writes
// that field by name. A command has no value: issuing it marks it pending until
// its owner, polling once per frame, marks it handled. Names are looked up
// lower-cased; an unregistered name is never an error. A .ini line for a name
// nobody has registered yet is kept and applied when the name is registered;
// until then a save writes it back as it was read.
//
// The .ini file is replaced as a whole on saving (written beside it under a
// temporary name, then renamed over it), so a failed save keeps the old file.
// Main thread only.
#pragma once

#include "engine/core/ConfigValues.h"
#include "engine/core/ConfigVariable.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace OrrelayEngine {

class FileManager;
class MessageManager;

// Splits "width x height x bits" (the separator is x or X) into three numbers,
// each read up to its first non-digit; any pointer may be null. A text without
// two separators, or a part that gives no number, a negative one, 0 or more
// than 32 bits, gives 640, 480 and 16.
void ParseVideoMode(const std::string& text, std::uint32_t* width, std::uint32_t* height, std::uint32_t* bits);

class Config
{
public:
    enum ExecuteResult : std::uint32_t
    {
        kExecuteDone = 0,
        kExecuteLocked = 2,
        kExecuteNoValue = 3,
        kExecuteUnknownName = 4,
        kExecuteEmptyLine = 5
    };

    // An empty configName means "Orrelay Engine"; an empty configFolder means the
    // file layer's base folder.
    Config(MessageManager* log, FileManager* files, const std::string& configFolder, const std::string& configName,
           bool forceVideoMode, const std::string& videoMode, bool forceFullscreenSetting, bool fullscreenDefault);
    virtual ~Config();

    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    void AddVariable(const std::string& name, std::uint32_t type, bool locked, bool saved, void* storage,
                     const std::string& defaultText, bool watched);

    std::uint32_t Execute(const std::string& line, std::string* name = nullptr);

    void SetValue(const std::string& name, const std::string& text);
    std::string GetValue(const std::string& name) const;
    std::string GetDefaultValue(const std::string& name) const;
    void ResetToDefault(const std::string& name);
    // Every variable that is not locked; commands keep their state, so a pending
    // exit survives a reset.
    void ResetAll();

    // Polled every frame, often with a literal name: a view, so no string is built.
    void SetCommandIdle(std::string_view name, bool idle);
    bool IsCommandIdle(std::string_view name) const;
    bool IsChanged(std::string_view name) const;
    void SetReadOnly(const std::string& name);
    void ListVariables(std::vector<std::string>& names) const;

    void Load();
    void Save();

    void Update();
    void ClearChanged();

    ConfigValues* GetValues() { return &values_; }
    const std::string& GetIniPath() const { return iniPath_; }

private:
    ConfigVariable* Find(std::string_view lowerName) const;
    // Any case; the name need not be lowered first.
    ConfigVariable* FindNamed(std::string_view name) const;
    static void SetFromText(ConfigVariable& variable, const std::string& text);
    static std::string ToText(const ConfigVariable& variable);
    void TakeSnapshot(ConfigVariable& variable) const;

    MessageManager* log_;
    FileManager* files_;
    std::string iniPath_;
    std::map<std::string, std::unique_ptr<ConfigVariable>, std::less<>> variables_;
    std::map<std::string, std::string> pendingLines_;
    bool forceVideoMode_;
    bool forceFullscreenSetting_;
    ConfigValues values_;
};

} // namespace OrrelayEngine
