// The menu's sound effects, made by EffectSynth as 16-bit mono 22050 Hz WAV
// files under "data\audio\menu\": button ticks and clicks, the edit box's key
// tick, window swishes, the upgrade fanfare, and three loops (volume slider,
// score and mana charging) whose partials fit whole cycles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class MenuSounds
{
public:
    struct Description
    {
        const char* name;
        bool loop;
    };

    static const std::vector<Description>& GetSounds();
    static std::string GetPackPath(const std::string& name);
    // Throws OrrelayEngine::Error for a name not in the list.
    static std::vector<std::uint8_t> Make(const std::string& name);
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
