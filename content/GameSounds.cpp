#include "content/GameSounds.h"

#include <algorithm>
#include <cmath>

#include "content/AssetRecipe.h"
#include "content/ContentHash.h"
#include "content/DataSetBuilder.h"
#include "content/EffectSynth.h"
#include "engine/core/Error.h"

namespace Content {

namespace {

using Tone = EffectSynth::Tone;
using Noise = EffectSynth::Noise;
using Wave = EffectSynth::Wave;

constexpr const char* kRecipeVersion = "game sounds 2";
constexpr double kPeakDbfs = -4.0;
constexpr double kSoftPeakDbfs = -9.0;

double Semitones(double base, double steps)
{
    return base * std::pow(2.0, steps / 12.0);
}

// A little voice: a few sung syllables gliding between notes of a major
// pentatonic scale, with a warble, each cheer its own tune.
std::vector<std::uint8_t> Cheer(int index, std::uint32_t seed)
{
    static const int kTunes[9][3] = {{0, 4, 7}, {7, 4, 9},   {4, 7, 12}, {0, 7, 4},  {9, 7, 12},
                                     {2, 4, 9}, {12, 9, 14}, {4, 0, 7},  {7, 12, 16}};
    const double base = 523.25;
    EffectSynth synth(0.75, seed);
    for (int syllable = 0; syllable < 3; ++syllable) {
        const double start = 0.17 * syllable;
        const double from = Semitones(base, kTunes[index][syllable] - 1.0);
        const double to = Semitones(base, kTunes[index][syllable]);
        const double length = syllable == 2 ? 0.32 : 0.15;
        synth.AddTone(Tone{start, length, from, to, 0.5, 0.004, 0.0, 0.05, Wave::kTriangle, 11.0, 0.25, 0.0});
        synth.AddTone(Tone{start, length, from * 2.0, to * 2.0, 0.12, 0.01, 0.0, 0.05, Wave::kSine, 11.0, 0.25, 0.0});
        synth.AddNoise(Noise{start, 0.02, 0.15, 0.002, 0.01, 0.005, 3500.0, 0.0, 2.0});
    }
    return synth.BuildWav(kSoftPeakDbfs);
}

std::vector<std::uint8_t> Combination(int level, std::uint32_t seed)
{
    // Larger groups ring higher and with more notes of the chord.
    static const double kSteps[5] = {0.0, 2.0, 4.0, 7.0, 9.0};
    const double root = Semitones(659.26, kSteps[level]);
    EffectSynth synth(1.0 + 0.1 * level, seed);
    const double chord[4] = {0.0, 4.0, 7.0, 12.0};
    for (int note = 0; note <= std::min(level, 3); ++note) {
        synth.AddBell(0.05 * note, Semitones(root, chord[note]), 0.35, 0.35);
    }
    synth.AddNoise(Noise{0.0, 0.05, 0.1, 0.001, 0.02, 0.01, 7000.0, 9000.0, 2.0});
    return synth.BuildWav(kPeakDbfs - 2.0);
}

std::vector<std::uint8_t> MakeNamed(const std::string& name, std::uint32_t seed)
{
    if (name == "bad_swap") { // two dull bumps, down a tone
        EffectSynth synth(0.4, seed);
        synth.AddTone(Tone{0.0, 0.12, 220.0, 180.0, 0.6, 0.004, 0.05, 0.02, Wave::kTriangle});
        synth.AddTone(Tone{0.15, 0.18, 196.0, 150.0, 0.6, 0.004, 0.06, 0.03, Wave::kTriangle});
        return synth.BuildWav(kPeakDbfs - 3.0);
    }
    if (name == "bonus_item_destruction") { // a puff of flame and a soft boom
        EffectSynth synth(1.0, seed);
        synth.AddNoise(Noise{0.0, 0.7, 0.9, 0.003, 0.25, 0.1, 600.0, 3000.0, 0.8});
        synth.AddTone(Tone{0.0, 0.6, 110.0, 45.0, 0.8, 0.005, 0.2, 0.1});
        synth.AddBell(0.05, 1567.98, 0.15, 0.3);
        return synth.BuildWav(kPeakDbfs);
    }
    if (name == "bonus_combination_destruction") { // a sweep upward through a shimmer
        EffectSynth synth(1.1, seed);
        synth.AddNoise(Noise{0.0, 0.8, 0.6, 0.004, 0.0, 0.3, 800.0, 6000.0, 3.0});
        for (int i = 0; i < 6; ++i) {
            synth.AddBell(0.08 * i, Semitones(523.25, 2.0 * i), 0.22, 0.25);
        }
        return synth.BuildWav(kPeakDbfs);
    }
    if (name == "bonus_color_destruction") { // a rainbow glissando of bells
        EffectSynth synth(1.4, seed);
        const int scale[10] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21};
        for (int i = 0; i < 10; ++i) {
            synth.AddBell(0.05 * i, Semitones(523.25, scale[i]), 0.25, 0.3);
        }
        synth.AddTone(Tone{0.0, 0.9, 261.63, 523.25, 0.25, 0.004, 0.3, 0.2});
        return synth.BuildWav(kPeakDbfs);
    }
    if (name == "select" || name == "deselect") { // a soft pluck, up to pick, down to let go
        const bool up = name == "select";
        EffectSynth synth(0.2, seed);
        synth.AddTone(
            Tone{0.0, 0.18, up ? 880.0 : 1046.5, up ? 1046.5 : 784.0, 0.6, 0.002, 0.05, 0.02, Wave::kTriangle});
        synth.AddNoise(Noise{0.0, 0.01, 0.2, 0.0005, 0.003, 0.003, 4000.0, 0.0, 1.5});
        return synth.BuildWav(kSoftPeakDbfs);
    }
    if (name == "swap") { // a flutter of wings
        EffectSynth synth(0.45, seed);
        synth.AddNoise(Noise{0.0, 0.42, 0.8, 0.004, 0.0, 0.12, 1200.0, 2400.0, 1.2});
        synth.AddNoise(Noise{0.0, 0.03, 0.4, 0.001, 0.01, 0.01, 3000.0, 0.0, 1.5});
        synth.AddTone(Tone{0.0, 0.4, 600.0, 900.0, 0.15, 0.02, 0.0, 0.1, Wave::kSine, 22.0, 0.9, 0.0});
        return synth.BuildWav(kSoftPeakDbfs);
    }
    if (name == "level_begin") { // three rising bells, the last held
        EffectSynth synth(1.4, seed);
        synth.AddBell(0.0, 523.25, 0.35, 0.3);
        synth.AddBell(0.14, 659.26, 0.35, 0.3);
        synth.AddBell(0.28, 783.99, 0.45, 0.45);
        return synth.BuildWav(kPeakDbfs);
    }
    if (name == "level_end") { // a little fanfare over a warm chord
        EffectSynth synth(1.45, seed);
        const double melody[6] = {523.25, 659.26, 783.99, 659.26, 783.99, 1046.5};
        for (int i = 0; i < 6; ++i) {
            synth.AddTone(Tone{0.1 * i, i == 5 ? 0.9 : 0.12, melody[i], 0.0, 0.4, 0.003, i == 5 ? 0.45 : 0.08, 0.05,
                               Wave::kTriangle, i == 5 ? 6.0 : 0.0, 0.15, 0.0});
        }
        for (double f : {261.63, 329.63, 392.0}) {
            synth.AddTone(Tone{0.5, 0.95, f, 0.0, 0.15, 0.08, 0.5, 0.25, Wave::kSine});
        }
        synth.AddBell(0.5, 2093.0, 0.12, 0.4);
        return synth.BuildWav(kPeakDbfs);
    }
    if (name == "level_failed") { // a gentle sigh down a minor third and a low note
        EffectSynth synth(1.45, seed);
        const double notes[3] = {392.0, 349.23, 311.13};
        for (int i = 0; i < 3; ++i) {
            synth.AddTone(Tone{0.22 * i, i == 2 ? 0.8 : 0.24, notes[i], i == 2 ? 293.66 : 0.0, 0.4, 0.004,
                               i == 2 ? 0.4 : 0.15, 0.08, Wave::kTriangle});
        }
        synth.AddTone(Tone{0.44, 0.95, 130.81, 0.0, 0.25, 0.05, 0.45, 0.3});
        return synth.BuildWav(kPeakDbfs - 2.0);
    }
    throw OrrelayEngine::Error("No game sound is named \"" + name + "\"");
}

} // namespace

std::vector<std::string> GameSounds::GetNames()
{
    std::vector<std::string> names;
    for (int i = 0; i <= 8; ++i) {
        names.push_back("character_paise_" + std::to_string(i));
    }
    for (const char* name :
         {"bad_swap", "bonus_color_destruction", "bonus_combination_destruction", "bonus_item_destruction"}) {
        names.push_back(name);
    }
    for (int i = 0; i <= 4; ++i) {
        names.push_back("combination_" + std::to_string(i));
    }
    for (const char* name : {"deselect", "level_begin", "level_end", "level_failed", "select", "swap"}) {
        names.push_back(name);
    }
    return names;
}

std::string GameSounds::GetPackPath(const std::string& name)
{
    return "data\\audio\\game\\" + name + ".wav";
}

std::vector<std::uint8_t> GameSounds::Make(const std::string& name)
{
    const std::uint32_t seed = ContentHash::SeedOf(GetPackPath(name));
    const std::string cheer = "character_paise_";
    const std::string combination = "combination_";
    if (name.size() == cheer.size() + 1 && name.compare(0, cheer.size(), cheer) == 0 && name.back() >= '0' &&
        name.back() <= '8') {
        return Cheer(name.back() - '0', seed);
    }
    if (name.size() == combination.size() + 1 && name.compare(0, combination.size(), combination) == 0 &&
        name.back() >= '0' && name.back() <= '4') {
        return Combination(name.back() - '0', seed);
    }
    return MakeNamed(name, seed);
}

void GameSounds::AddRecipes(DataSetBuilder& builder)
{
    for (const std::string& name : GetNames()) {
        AssetRecipe recipe;
        recipe.origin = "game sound " + name;
        recipe.packPaths = {GetPackPath(name)};
        recipe.parameters = kRecipeVersion;
        recipe.make = [name]() { return AssetRecipe::Outputs{Make(name)}; };
        builder.Add(std::move(recipe));
    }
}

} // namespace Content
