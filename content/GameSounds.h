// The board's sound effects, made by EffectSynth as 16-bit mono 22050 Hz WAV
// files under "data\audio\game\": the character's nine cheers, selecting and
// swapping, a refused swap, five combination chimes rising in pitch, the
// three bonus blasts and the level's start, win and loss.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class GameSounds
{
public:
    static std::vector<std::string> GetNames();
    static std::string GetPackPath(const std::string& name);
    // Throws OrrelayEngine::Error for a name not in the list.
    static std::vector<std::uint8_t> Make(const std::string& name);
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
